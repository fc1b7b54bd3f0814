#include "app/WhatsThisTexts.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <set>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "dialogs/CCompressionDlg.h"
#include "dialogs/CNewName.h"
#include "dialogs/CRecutDlg.h"
#include "dialogs/CVoxSize.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/ModalDriver.h"

namespace {

// Every control of `window` (each child named by its identifier) has a text; returns how many were
// checked, so that a window found empty does not pass unnoticed.
int ExpectEveryControlExplained(const QWidget& window) {
    int checked = 0;
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        bool isNumber = false;
        child->objectName().toInt(&isNumber);
        if (!isNumber) continue;
        ++checked;
        EXPECT_FALSE(child->whatsThis().isEmpty()) << "window " << window.objectName().toStdString()
                                                   << ", control " << child->objectName().toStdString();
    }
    return checked;
}

QWidget* TopLevel(int id) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QString::number(id) && widget->isVisible()) return widget;
    return nullptr;
}

struct WhatsThisTest : ::testing::Test {
    void SetUp() override {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(WhatsThisTest, TheViewAndEveryStatusPaneAreExplained) {
    EXPECT_FALSE(frame->View().whatsThis().isEmpty());
    auto* bar = static_cast<FrameStatusBar*>(frame->statusBar());
    std::set<QString> texts;
    for (int pane = 0; pane < kStatusPaneCount; ++pane) {
        EXPECT_FALSE(bar->Pane(pane)->whatsThis().isEmpty()) << "pane " << pane;
        texts.insert(bar->Pane(pane)->whatsThis());
    }
    EXPECT_EQ(texts.size(), size_t{kStatusPaneCount}) << "each pane its own text";
}

TEST_F(WhatsThisTest, EveryControlOfEveryDialogIsExplained) {
    // The tool windows, opened by their commands as the user opens them.
    for (const auto& [command, window] :
         {std::pair{kIdObjects, kIdObjectsDialog}, std::pair{kIdStage, kIdStageDialog},
          std::pair{kIdLight, kIdLightDialog}, std::pair{kIdMovements, 161},
          std::pair{kIdFlightRecorder, 144}}) {
        frame->Commands().Action(command)->trigger();
        const QWidget* dialog = TopLevel(window);
        ASSERT_NE(dialog, nullptr) << "window " << window;
        EXPECT_GT(ExpectEveryControlExplained(*dialog), 0) << "window " << window;
        frame->Commands().Action(command)->trigger();
    }

    // The modal dialogs, checked while they are open.
    for (const int command : {kIdPreferences, kIdAbout, kIdPageLayout}) {
        int checked = 0;
        WhenModalAppears([&](QWidget* modal) { checked = ExpectEveryControlExplained(*modal); });
        frame->Commands().Action(command)->trigger();
        EXPECT_GT(checked, 0) << "command " << command;
    }
    for (const auto& open : std::vector<std::function<void()>>{
             [&] { CNewName(QStringLiteral("tooth"), frame.get()).exec(); },
             [&] { CVoxSize(12.5, scripted.messages, frame.get()).exec(); },
             [&] { CRecutDlg({}, false, scripted.messages, frame.get()).exec(); },
             [&] { CCompressionDlg(AvailableMovieCodecs(MovieContainer::Avi), {}, frame.get()).exec(); }}) {
        int checked = 0;
        WhenModalAppears([&](QWidget* modal) { checked = ExpectEveryControlExplained(*modal); });
        open();
        EXPECT_GT(checked, 0);
    }
}

TEST(WhatsThisTexts, TheWindowDecidesForIdentifiersSharedBetweenDialogs) {
    // 1008 is the emission slider of the Objects dialog and the light's red slider.
    ASSERT_NE(WhatsThisText(kIdObjectsDialog, kIdEmissionSlider), nullptr);
    ASSERT_NE(WhatsThisText(kIdLightDialog, kIdLightRedSlider), nullptr);
    EXPECT_STRNE(WhatsThisText(kIdObjectsDialog, 1008), WhatsThisText(kIdLightDialog, 1008));
    EXPECT_EQ(WhatsThisText(kIdLightDialog, kIdObjectList), nullptr);
    EXPECT_EQ(WhatsThisText(12345, kIdObjectList), nullptr);
}

}  // namespace
