#include "dialogs/CCompressionDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/ProgramSettings.h"
#include "support/MemorySettingsStore.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

const std::vector<MovieCodec> kCodecs = {
    {"dib", "Full Frames (Uncompressed)", false},
    {"mjpeg", "Motion JPEG", true},
    {"ffv1", "FFV1 (lossless)", false},
};

}  // namespace

TEST(CCompressionDlg, ListsTheCodecsAndEnablesQualityOnlyWhereItMeansSomething) {
    CCompressionDlg dialog(kCodecs, {"mjpeg", 40});
    dialog.show();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("195"));
    auto* list = FindControl<QListWidget>(&dialog, 1000);
    auto* slider = FindControl<QSlider>(&dialog, 1001);
    auto* value = FindControl<QLabel>(&dialog, 1002);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Full Frames (Uncompressed)"));
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(slider->isEnabled());
    EXPECT_EQ(value->text(), QStringLiteral("40"));

    list->setCurrentRow(2);
    EXPECT_FALSE(slider->isEnabled());
    list->setCurrentRow(1);
    slider->setValue(90);
    EXPECT_EQ(value->text(), QStringLiteral("90"));
    EXPECT_EQ(dialog.Choice().codec, "mjpeg");
    EXPECT_EQ(dialog.Choice().quality, 90);

    // A remembered codec that no longer opens here falls back to the first.
    CCompressionDlg unknown(kCodecs, {"h264", 500});
    EXPECT_EQ(FindControl<QListWidget>(&unknown, 1000)->currentRow(), 0);
    EXPECT_EQ(unknown.Choice().quality, 100);
}

TEST(CCompressionDlg, TheChooserRemembersWhatOkTakesAndNothingOnCancel) {
    MemorySettingsStore store;
    EXPECT_EQ(RememberedCompression(store).codec, "mjpeg");
    EXPECT_EQ(RememberedCompression(store).quality, 75);
    DialogCompressionChooser chooser(store, nullptr);

    WhenModalAppears([](QWidget* modal) {
        FindControl<QListWidget>(modal, 1000)->setCurrentRow(2);
        FindControl<QPushButton>(modal, 1)->click();
    });
    const std::optional<MovieCompression> chosen = chooser.Choose(kCodecs, RememberedCompression(store));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->codec, "ffv1");
    EXPECT_EQ(store.StringOr(kSettingsSection, "MovieCodec", ""), "ffv1");
    EXPECT_EQ(store.IntOr(kSettingsSection, "MovieQuality", 0), 75u);

    WhenModalAppears([](QWidget* modal) {
        FindControl<QListWidget>(modal, 1000)->setCurrentRow(0);
        FindControl<QPushButton>(modal, 2)->click();
    });
    EXPECT_FALSE(chooser.Choose(kCodecs, RememberedCompression(store)).has_value());
    EXPECT_EQ(RememberedCompression(store).codec, "ffv1");

    store.WriteInt(kSettingsSection, "MovieQuality", 0);
    EXPECT_EQ(RememberedCompression(store).quality, 1);
    EXPECT_FALSE(chooser.Choose({}, {}).has_value());
}
