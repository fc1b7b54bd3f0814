#include "flight/KeyframeFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "flight/KeyframeBytes.h"
#include "flight/SceneBlock.h"

namespace {

std::unique_ptr<SceneBlock> Decoded(const std::vector<uint8_t>& bytes) {
    auto block = std::make_unique<SceneBlock>();
    EXPECT_TRUE(DecodeKeyframe(bytes.data(), bytes.size(), *block));
    return block;
}

TEST(KeyframeFile, ReadsEveryFieldAtItsOffset) {
    const auto block = Decoded(KeyframeFileBytes(3));
    EXPECT_EQ(block->state.cameraDistance, 2.5);
    EXPECT_EQ(block->state.fogIntensity, 33);
    EXPECT_EQ(block->state.lightPosition[1], 2.0f);
    EXPECT_EQ(block->state.lightColour[2], 0.7f);
    EXPECT_EQ(block->state.count, 3);
    EXPECT_EQ(block->state.fieldOfView, 45);
    EXPECT_EQ(block->state.aspect, 1.25f);
    const SceneObject& head = block->heads[2];
    EXPECT_EQ(head.visible, 0);
    EXPECT_EQ(head.centered, 1);
    EXPECT_EQ(head.colour[0], 12);
    EXPECT_EQ(head.colour[3], 200);
    EXPECT_EQ(head.emission, 0.75f);
    EXPECT_EQ(head.surfaceMode, 2);
    EXPECT_EQ(head.position[2], 4.0f);
    EXPECT_EQ(head.scale, 3.0f);
    EXPECT_EQ(head.recutOnKeyframe, 1);
    EXPECT_EQ(head.capFill, 2);
    EXPECT_EQ(head.rotation[3], -1.0f);
    EXPECT_EQ(head.lastCutKey[2], int64_t(1) << 40);
    EXPECT_EQ(head.lastCutKey[3], 2);
    EXPECT_EQ(head.quaternion[3], 0.5f);
    EXPECT_STREQ(head.backupPath, "/snap/~CM2");
    EXPECT_EQ(head.pixelSize, 0.03f);
    EXPECT_EQ(head.postfixLength, 5);
    EXPECT_EQ(head.unit, 2);
    EXPECT_EQ(head.tickFactor, 3);
    EXPECT_STREQ(block->heads[3].backupPath, "");
}

TEST(KeyframeFile, WritesTheLayoutWithZeroPadding) {
    std::vector<uint8_t> expected = KeyframeFileBytes(2);
    for (size_t head = 0; head < 3; ++head)
        for (size_t offset : {30, 31, 100, 101, 102, 103, 428, 429, 430, 431})
            expected[kSceneHeaderSize + head * kRecordHeadSize + offset] = 0;
    EXPECT_EQ(EncodeKeyframe(*Decoded(KeyframeFileBytes(2))), expected);
}

TEST(KeyframeFile, RefusesCountsOutsideTheHeadsAndLeavesTheBlock) {
    auto block = std::make_unique<SceneBlock>();
    block->state.fogIntensity = 77;
    for (int32_t count : {-1, 0, 128, 1 << 30}) {
        std::vector<uint8_t> bytes = KeyframeFileBytes(1);
        std::memcpy(bytes.data() + 44, &count, 4);
        bytes.resize(bytes.size() + 200 * kRecordHeadSize);
        EXPECT_FALSE(DecodeKeyframe(bytes.data(), bytes.size(), *block)) << count;
    }
    EXPECT_EQ(block->state.fogIntensity, 77);
    EXPECT_TRUE(Decoded(KeyframeFileBytes(127)) != nullptr);
}

TEST(KeyframeFile, UnterminatedPathIsCutAtTheFieldEnd) {
    std::vector<uint8_t> bytes = KeyframeFileBytes(2);
    std::fill_n(bytes.begin() + kSceneHeaderSize + kRecordHeadSize + 152, kTextSize, 'x');
    EXPECT_EQ(std::string(Decoded(bytes)->heads[1].backupPath), std::string(kTextSize - 1, 'x'));
}

// Every prefix of a valid file is refused until the last head is whole; bytes after it are ignored.
TEST(KeyframeFile, TruncationSweep) {
    const std::vector<uint8_t> valid = KeyframeFileBytes(4);
    auto block = std::make_unique<SceneBlock>();
    for (size_t length = 0; length <= valid.size(); ++length) {
        std::vector<uint8_t> prefix(valid.begin(),
                                    valid.begin() + length);  // fresh buffer: ASan sees overreads
        EXPECT_EQ(DecodeKeyframe(prefix.data(), prefix.size(), *block), length == valid.size()) << length;
    }
}

TEST(SceneBlock, CopyRecordHeadCopiesTheHeadOnly) {
    const auto block = Decoded(KeyframeFileBytes(3));
    SceneObject record;
    record.vertexCount = 9;
    record.padding30[0] = 5;
    CopyRecordHead(record, block->heads[2]);
    EXPECT_EQ(EncodeKeyframe(*block), [&] {
        CopyRecordHead(block->heads[2], record);
        return EncodeKeyframe(*block);
    }());
    EXPECT_EQ(record.vertexCount, 9);
    EXPECT_EQ(record.padding30[0], 5);
    EXPECT_STREQ(record.backupPath, "/snap/~CM2");
}

TEST(SceneBlock, HasRecutObjectLooksAtModelsOnly) {
    auto block = std::make_unique<SceneBlock>();
    block->state.count = 3;
    block->heads[0].recutOnKeyframe = 1;
    block->heads[3].recutOnKeyframe = 1;
    EXPECT_FALSE(HasRecutObject(*block));
    block->heads[2].recutOnKeyframe = 1;
    EXPECT_TRUE(HasRecutObject(*block));
    auto copy = std::make_unique<SceneBlock>();
    CopySceneBlock(*copy, *block);
    EXPECT_TRUE(HasRecutObject(*copy));
    EXPECT_EQ(copy->state.count, 3);
}

}  // namespace
