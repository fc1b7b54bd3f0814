// A truncated model file leaves the scene exactly as its reader's refusal of an empty file does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "import/ModelLoader.h"
#include "scene/Scene.h"
#include "support/ScriptedServices.h"

namespace {

struct ValidFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The stored part of a record, byte for byte (pointers included: a refused read keeps none).
::testing::AssertionResult SameRecord(const SceneObject& record, const SceneObject& expected) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    const auto* expectedBytes = reinterpret_cast<const uint8_t*>(&expected);
    for (size_t at = 0; at < kRecordSize; ++at)
        if (bytes[at] != expectedBytes[at])
            return ::testing::AssertionFailure() << "the records differ at byte " << at;
    if (record.modelPath != expected.modelPath) return ::testing::AssertionFailure() << record.modelPath;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(ModelLoaderSweep, EveryPrefixLeavesTheSceneAsAFailedRead) {
    ScratchDirectory directory;
    Scene scene;
    RecordingTones tones;
    const int good = scene.AddModelSlot();
    ASSERT_EQ(LoadModelFile(scene, good, directory.Write("good.p3g", SmallP3g().bytes), tones), 1);
    const SceneObject goodBefore = scene.objects[good];

    for (const ValidFile& valid :
         {ValidFile{"model.p3g", SmallP3g().bytes}, ValidFile{"model.ctm", CtmFile(3, 2, 72).bytes},
          ValidFile{"model.stl", BinaryStl(Triangles(3)).bytes}}) {
        // The reference: an empty file of the format, which its reader refuses at once.
        const int failed = scene.AddModelSlot();
        ASSERT_EQ(LoadModelFile(scene, failed, directory.Write("empty-" + valid.name, {}), tones), 0);
        const int cut = scene.AddModelSlot();
        const int modelCount = scene.ModelCount();
        for (size_t length = 0; length < valid.bytes.size(); ++length) {
            const std::vector<uint8_t> prefix(valid.bytes.begin(), valid.bytes.begin() + length);
            std::string problem;
            ASSERT_EQ(LoadModelFile(scene, cut, directory.Write(valid.name, prefix), tones, &problem), 0)
                << length;
            ASSERT_FALSE(problem.empty()) << length;
            ASSERT_TRUE(SameRecord(scene.objects[cut], scene.objects[failed])) << valid.name << " " << length;
            ASSERT_EQ(scene.ModelCount(), modelCount);
        }
        ASSERT_EQ(LoadModelFile(scene, cut, directory.Write(valid.name, valid.bytes), tones), 1)
            << valid.name;
    }
    EXPECT_TRUE(SameRecord(scene.objects[good], goodBefore));
    EXPECT_TRUE(tones.beeps.empty()) << "only an unknown .p3g version sounds";
}
