#include <gtest/gtest.h>

#include <string>

#include "persistence/MaterialFile.h"
#include "scene/SceneObject.h"
#include "support/FailingSaves.h"

namespace {

bool SaveDefaultMaterial(const std::string& path) {
    return SaveMaterial(SceneObject{}, path);
}

}  // namespace

TEST(MaterialFileFailingSave, EveryFailingFileSystemKeepsTheEarlierFile) {
    ExpectFullDisksKeepTheEarlierFile(SaveDefaultMaterial, "red.mat");
    ExpectImpossibleTargetsAreRefused(SaveDefaultMaterial, "red.mat");
    if (!ExpectReadOnlyDirectoryKeepsTheEarlierFile(SaveDefaultMaterial, "red.mat"))
        GTEST_SKIP() << "cannot mount a read-only tmpfs and this user writes into read-only directories";
}
