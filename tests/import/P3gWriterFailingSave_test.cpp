#include <gtest/gtest.h>

#include <string>

#include "import/P3gWriter.h"
#include "scene/Poly3gon.h"
#include "support/FailingSaves.h"

namespace {

// A mesh of 32-bit indices, so that a full disk can strike in the header, the vertices and the facets.
const Poly3gon& WideMesh() {
    static const Poly3gon mesh = [] {
        Poly3gon wide(65537, 2);
        for (uint64_t i = 0; i < wide.vertexCount * 3; ++i)
            wide.vertices[i] = float(i % 97);
        const int64_t facets[6] = {0, 65536, 1, 2, 3, 65535};
        std::copy(facets, facets + 6, wide.facets);
        return wide;
    }();
    return mesh;
}

bool SaveWideMesh(const std::string& path) {
    return WriteP3g(WideMesh(), path) == 1;
}

}  // namespace

TEST(P3gWriterFailingSave, EveryFailingFileSystemKeepsTheEarlierFile) {
    ExpectFullDisksKeepTheEarlierFile(SaveWideMesh, "model.p3g", 256);
    ExpectImpossibleTargetsAreRefused(SaveWideMesh, "model.p3g");
    if (!ExpectReadOnlyDirectoryKeepsTheEarlierFile(SaveWideMesh, "model.p3g"))
        GTEST_SKIP() << "cannot mount a read-only tmpfs and this user writes into read-only directories";
}
