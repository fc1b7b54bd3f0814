#include "tools/sample/SoupWriters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "import/ByteSource.h"
#include "import/CtmReader.h"
#include "import/ModelFileBytes.h"
#include "import/StlReader.h"
#include "scene/Poly3gon.h"
#include "tools/sample/MeshChecks.h"
#include "tools/sample/SpecimenMesh.h"

TEST(SoupWriters, FilesReadBackAsTheMeshTheyCameFrom) {
    const Poly3gon sphere = Sphere(5, 1.5);
    const auto normals = AreaWeightedNormals(sphere);
    ASSERT_NE(normals, nullptr);
    for (uint64_t v = 0; v < sphere.vertexCount; ++v) {
        const float* n = normals.get() + v * 3;
        const float* p = sphere.vertices + v * 3;
        ASSERT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0, 1e-5);
        ASSERT_GT((n[0] * p[0] + n[1] * p[1] + n[2] * p[2]) / 5.0, 0.9);  // outwards
    }

    ScratchDirectory directory;
    ASSERT_TRUE(WriteBinaryStl(sphere, directory.File("s.stl")));
    ASSERT_TRUE(WriteCtmWithNormals(sphere, normals.get(), directory.File("s.ctm")));
    const uint64_t n = sphere.facetCount;
    for (const char* name : {"s.stl", "s.ctm"}) {
        const std::vector<uint8_t> bytes = ReadWholeFile(directory.File(name));
        MemorySource source(bytes.data(), bytes.size());
        ParsedModel model;
        const bool isStl = name[2] == 's';
        ASSERT_EQ((isStl ? ParseStl(source, model) : ParseCtm(source, model)).status, ParseStatus::kParsed);
        ASSERT_EQ(model.mesh.facetCount, n);
        EXPECT_EQ(model.normals != nullptr, !isStl);
        for (uint64_t k = 0; k < n; ++k) {
            for (int c = 0; c < 3; ++c) {
                const int64_t original = sphere.facets[k * 3 + c];
                const int64_t read = model.mesh.facets[(n - 1 - k) * 3 + c];
                ASSERT_EQ(0, std::memcmp(model.mesh.vertices + read * 3, sphere.vertices + original * 3, 12));
                if (!isStl) {
                    ASSERT_EQ(0,
                              std::memcmp(model.normals.get() + read * 3, normals.get() + original * 3, 12));
                }
            }
        }
    }
}
