// The File menu's image commands on a real frame: Save Image follows the view's area, Page Layout
// stores what its dialog takes, and Print reaches the printer the print dialog chose.
#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <memory>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "import/ModelFileBytes.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/PrintLayoutIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/ModalDriver.h"
#include "tests/output/ScriptedPrintDialogs.h"

namespace {

struct FrameImageOutputTest : ::testing::Test {
    void SetUp() override {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        startup.printDialogs = &printDialogs;
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    ScriptedPrintDialogs printDialogs;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameImageOutputTest, SaveImageWorksOnlyWhileTheViewHasAnArea) {
    QAction* save = frame->Commands().Action(kIdSaveImage);
    EXPECT_EQ(save->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    frame->Commands().Refresh();
    EXPECT_TRUE(save->isEnabled());
    frame->Display().viewHeight = 0;
    frame->Commands().Refresh();
    EXPECT_FALSE(save->isEnabled());
}

TEST_F(FrameImageOutputTest, PageLayoutStoresTheValuesOnOkOnly) {
    const auto answer = [](const char* size, const char* left, const char* top, int button) {
        WhenModalAppears([=](QWidget* dialog) {
            dialog->findChild<QLineEdit*>(QString::number(kIdPrintLayoutSizeEdit))->setText(size);
            dialog->findChild<QLineEdit*>(QString::number(kIdPrintLayoutLeftMarginEdit))->setText(left);
            dialog->findChild<QLineEdit*>(QString::number(kIdPrintLayoutTopMarginEdit))->setText(top);
            dialog->findChild<QPushButton*>(QString::number(button))->click();
        });
    };
    answer("80", "20", "30", kIdPrintLayoutCancel);
    frame->Commands().Action(kIdPageLayout)->trigger();
    EXPECT_EQ(frame->Settings().printSize, 150);
    EXPECT_EQ(frame->Settings().leftMargin, 10);
    EXPECT_EQ(frame->Settings().topMargin, 10);

    answer("80", "20", "30", kIdPrintLayoutOk);
    frame->Commands().Action(kIdPageLayout)->trigger();
    EXPECT_EQ(frame->Settings().printSize, 80);
    EXPECT_EQ(frame->Settings().leftMargin, 20);
    EXPECT_EQ(frame->Settings().topMargin, 30);
}

TEST_F(FrameImageOutputTest, PrintCommandsUseTheirDialogs) {
    ScratchDirectory folder;
    printDialogs.pdfPath = folder.File("page.pdf");
    frame->Commands().Action(kIdPrint)->trigger();
    EXPECT_EQ(printDialogs.printAsked, 1);
    EXPECT_GT(std::filesystem::file_size(printDialogs.pdfPath), 0u);

    frame->Commands().Action(kIdPrintPreview)->trigger();
    EXPECT_EQ(printDialogs.previewShown, 1);
    frame->Commands().Action(kIdPrintSetup)->trigger();
    EXPECT_EQ(printDialogs.setUpAsked, 1);
}

}  // namespace
