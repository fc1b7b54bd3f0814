#include "app/HandOff.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"
#include "support/ScriptedServices.h"

namespace {

using Op = MemorySettingsStore::Op;

HandOff SampleHandOff() {
    return HandOff{"/data/Scan/Tooth.P3G", "/data/Scan/rec/slice0000.bmp", 12.5f, 4, 2};
}

}  // namespace

TEST(HandOff, WriteStoresTheFiveValuesInOrderWithTheirTypes) {
    MemorySettingsStore store;
    ASSERT_TRUE(WriteHandOff(store, SampleHandOff()));
    EXPECT_EQ(store.operations,
              (std::vector<MemorySettingsStore::Operation>{{Op::WriteString, kHandOffSection, "prefix"},
                                                           {Op::WriteString, kHandOffSection, "cs_set"},
                                                           {Op::WriteInt, kHandOffSection, "postfix_len"},
                                                           {Op::WriteInt, kHandOffSection, "unit"},
                                                           {Op::WriteBytes, kHandOffSection, "pix_size"},
                                                           {Op::Sync, "", ""}}));
    // The model path keeps its case.
    EXPECT_EQ(store.ReadString(kHandOffSection, "prefix"), "/data/Scan/Tooth.P3G");
    // 12.5f is 0x41480000, little-endian.
    EXPECT_EQ(store.ReadBytes(kHandOffSection, "pix_size"), (std::vector<uint8_t>{0x00, 0x00, 0x48, 0x41}));

    const HandOff read = ReadHandOff(store);
    EXPECT_EQ(read.modelPath, "/data/Scan/Tooth.P3G");
    EXPECT_EQ(read.datasetPath, "/data/Scan/rec/slice0000.bmp");
    EXPECT_EQ(read.pixelSize, 12.5f);
    EXPECT_EQ(read.postfixLength, 4);
    EXPECT_EQ(read.unit, 2);

    MemorySettingsStore broken;
    broken.failWrites = true;
    EXPECT_FALSE(WriteHandOff(broken, SampleHandOff()));
}

TEST(HandOff, WithoutPixelSizeNoPixelSizeIsWritten) {
    MemorySettingsStore store;
    HandOff handOff = SampleHandOff();
    handOff.pixelSize = 0.0f;
    WriteHandOff(store, handOff);
    EXPECT_FALSE(store.Has(kHandOffSection, "pix_size"));
    EXPECT_EQ(store.WrittenNames(kHandOffSection),
              (std::vector<std::string>{"prefix", "cs_set", "postfix_len", "unit", "-pix_size"}));
    EXPECT_EQ(ReadHandOff(store).pixelSize, 0.0f);
}

TEST(HandOff, ReadSyncsFirstAndFallsBackToDefaults) {
    MemorySettingsStore store;
    const HandOff empty = ReadHandOff(store);
    ASSERT_FALSE(store.operations.empty());
    EXPECT_EQ(store.operations.front().op, Op::Sync);
    EXPECT_EQ(empty.modelPath, "");
    EXPECT_EQ(empty.datasetPath, "");
    EXPECT_EQ(empty.postfixLength, 4);
    EXPECT_EQ(empty.unit, 0);
    EXPECT_EQ(empty.pixelSize, 0.0f);

    // A pixel size shorter than four bytes is no pixel size; longer ones use their first four.
    store.WriteBytes(kHandOffSection, "pix_size", {0x00, 0x00, 0x48});
    EXPECT_EQ(ReadHandOff(store).pixelSize, 0.0f);
    store.WriteBytes(kHandOffSection, "pix_size", {0x00, 0x00, 0x80, 0x3F, 0x99, 0x99});
    EXPECT_EQ(ReadHandOff(store).pixelSize, 1.0f);

    // Values from the file get the command line's checks.
    store.WriteInt(kHandOffSection, "postfix_len", 0);
    store.WriteInt(kHandOffSection, "unit", 9);
    store.WriteBytes(kHandOffSection, "pix_size", {0x00, 0x00, 0xC0, 0x7F});  // NaN
    const HandOff checked = ReadHandOff(store);
    EXPECT_EQ(checked.postfixLength, 4);
    EXPECT_EQ(checked.unit, 0);
    EXPECT_EQ(checked.pixelSize, 0.0f);
}

TEST(HandOff, DeclineEmptiesTheValuesInOrderAndKeepsThePixelSize) {
    MemorySettingsStore store;
    WriteHandOff(store, SampleHandOff());
    const HandOff read = ReadHandOff(store);
    store.operations.clear();

    DeclineHandOff(store, read);
    EXPECT_EQ(store.WrittenNames(kHandOffSection),
              (std::vector<std::string>{"prefix", "cs_set", "postfix_len", "unit", "pix_size"}));
    EXPECT_EQ(store.operations.back().op, Op::Sync);
    EXPECT_EQ(store.ReadString(kHandOffSection, "prefix"), "");
    EXPECT_EQ(store.ReadString(kHandOffSection, "postfix_len"), "");
    EXPECT_EQ(store.ReadBytes(kHandOffSection, "pix_size"), (std::vector<uint8_t>{0x00, 0x00, 0x48, 0x41}));

    // After declining nothing waits; the emptied numbers read as their defaults.
    const HandOff after = ReadHandOff(store);
    EXPECT_EQ(after.modelPath, "");
    EXPECT_EQ(after.postfixLength, 4);
    EXPECT_EQ(after.unit, 0);

    // A declined hand-off without a pixel size writes none back.
    MemorySettingsStore bare;
    DeclineHandOff(bare, HandOff{"/m.stl", "", 0.0f, 4, 0});
    EXPECT_FALSE(bare.Has(kHandOffSection, "pix_size"));
}

TEST(HandOff, StalePixelSizeOfADeclinedHandOffDoesNotReachTheNextOne) {
    MemorySettingsStore store;
    WriteHandOff(store, SampleHandOff());
    DeclineHandOff(store, ReadHandOff(store));
    ASSERT_TRUE(store.Has(kHandOffSection, "pix_size"));

    WriteHandOff(store, HandOff{"/data/Other/bone.stl", "", 0.0f, 4, 0});
    const HandOff next = ReadHandOff(store);
    EXPECT_EQ(next.modelPath, "/data/Other/bone.stl");
    EXPECT_EQ(next.pixelSize, 0.0f);
}

TEST(HandOff, ClearAndRemove) {
    MemorySettingsStore store;
    WriteHandOff(store, SampleHandOff());
    store.operations.clear();
    ClearHandOff(store);
    EXPECT_EQ(store.WrittenNames(kHandOffSection), (std::vector<std::string>{"prefix", "cs_set"}));
    EXPECT_EQ(ReadHandOff(store).modelPath, "");
    EXPECT_EQ(ReadHandOff(store).unit, 2);  // the rest stays until a hand-off is loaded

    RemoveHandOff(store);
    EXPECT_TRUE(store.sections[kHandOffSection].empty());
}

TEST(HandOff, AnswerAsksUnlessStartedWithAModel) {
    ScriptedServices services;
    std::vector<HandOff> loaded;
    int raised = 0;
    const auto raise = [&raised] { ++raised; };
    const auto load = [&loaded, &services](const HandOff& h) {
        // The hand-off is gone from the store before the load runs.
        EXPECT_EQ(ReadHandOff(services.settings).modelPath, "");
        loaded.push_back(h);
    };

    // Started with a model: taken silently.
    WriteHandOff(services.settings, SampleHandOff());
    EXPECT_EQ(AnswerHandOff(ReadHandOff(services.settings), services.settings, services.messages, true, raise,
                            load),
              HandOffOutcome::Loaded);
    EXPECT_TRUE(services.messages.shown.empty());
    EXPECT_EQ(raised, 0);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].modelPath, "/data/Scan/Tooth.P3G");
    EXPECT_FALSE(services.settings.Has(kHandOffSection, "pix_size"));

    // Otherwise the window comes forward and the user is asked; Yes loads.
    WriteHandOff(services.settings, SampleHandOff());
    services.messages.answers = {MessageAnswer::Yes};
    EXPECT_EQ(AnswerHandOff(ReadHandOff(services.settings), services.settings, services.messages, false,
                            raise, load),
              HandOffOutcome::Loaded);
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "Mervik program try to send new model.\nAccept it?");
    EXPECT_EQ(services.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(loaded.size(), 2u);

    // No declines: nothing loaded, the prefix emptied, the pixel size kept.
    WriteHandOff(services.settings, SampleHandOff());
    services.messages.answers = {MessageAnswer::No};
    EXPECT_EQ(AnswerHandOff(ReadHandOff(services.settings), services.settings, services.messages, false,
                            raise, load),
              HandOffOutcome::Declined);
    EXPECT_EQ(loaded.size(), 2u);
    EXPECT_EQ(ReadHandOff(services.settings).modelPath, "");
    EXPECT_EQ(ReadHandOff(services.settings).pixelSize, 12.5f);
}
