#include <gtest/gtest.h>

#include <string>

#include "scene/Poly3gon.h"
#include "support/FailingSaves.h"
#include "tools/sample/MeshChecks.h"
#include "tools/sample/SoupWriters.h"
#include "tools/sample/SpecimenMesh.h"

TEST(SoupWritersFailingSave, EveryFailingFileSystemKeepsTheEarlierFile) {
    const Poly3gon sphere = Sphere(5, 1.5);
    const auto normals = AreaWeightedNormals(sphere);
    ASSERT_NE(normals, nullptr);
    const SaveToPath saveStl = [&](const std::string& path) { return WriteBinaryStl(sphere, path); };
    const SaveToPath saveCtm = [&](const std::string& path) {
        return WriteCtmWithNormals(sphere, normals.get(), path);
    };
    for (const auto& [save, name] : {std::pair{saveStl, "sphere.stl"}, std::pair{saveCtm, "sphere.ctm"}}) {
        ExpectFullDisksKeepTheEarlierFile(save, name, 128);
        ExpectImpossibleTargetsAreRefused(save, name);
        if (!ExpectReadOnlyDirectoryKeepsTheEarlierFile(save, name))
            GTEST_SKIP() << "cannot mount a read-only tmpfs and this user writes into read-only directories";
    }
}
