#include "dialogs/CAboutDlg.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/AboutTexts.h"
#include "resources/CommandIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

QString LabelText(QWidget& dialog, int id) {
    const QLabel* label = FindControl<QLabel>(&dialog, id);
    return label ? label->text() : QStringLiteral("<missing>");
}

}  // namespace

TEST(AboutTexts, VersionLineShowsTheFourPartsAndTheWordSize) {
    EXPECT_EQ(VersionLine(1, 2, 3, 4), "Version: 1.2.3.4 (64-bit)");
    EXPECT_EQ(VersionLine(10, 0, 255, 65535), "Version: 10.0.255.65535 (64-bit)");
}

TEST(CAboutDlg, ShowsTheProjectVersionTheNoticeAndTheLinks) {
    ScriptedServices services;
    CAboutDlg about(services.desktop, services.messages);
    EXPECT_EQ(about.windowTitle(), QStringLiteral(" About Pexora"));
    EXPECT_EQ(about.objectName(), QStringLiteral("100"));
    const std::string version =
        std::to_string(PEXORA_VERSION_MAJOR) + "." + std::to_string(PEXORA_VERSION_MINOR) + "." +
        std::to_string(PEXORA_VERSION_PATCH) + "." + std::to_string(PEXORA_VERSION_TWEAK);
    EXPECT_EQ(LabelText(about, 1081).toStdString(), "Version: " + version + " (64-bit)");
    EXPECT_FALSE(LabelText(about, 1082).isEmpty());
    EXPECT_EQ(LabelText(about, 1047), QStringLiteral("e-mail : pexora@example.org"));
    EXPECT_EQ(LabelText(about, 1048), QStringLiteral("web-site : https://www.example.org/pexora"));
    bool productLine = false;
    for (const QLabel* label : about.findChildren<QLabel*>())
        productLine |= label->text() == QStringLiteral("Pexora : Realistic 3D-Visualization");
    EXPECT_TRUE(productLine);
    const QPushButton* close = about.findChild<QPushButton*>(QStringLiteral("1"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));

    // The program icon, compiled in: shown at 48 pixels and carried by the window.
    const QLabel* icon = FindControl<QLabel>(&about, 128);
    ASSERT_NE(icon, nullptr);
    const QImage shown = icon->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(48, 48));
    EXPECT_EQ(shown.pixelColor(24, 24).alpha(), 255) << "the specimen in the middle is opaque";
    EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 0) << "the corners are transparent";
    EXPECT_EQ(about.windowIcon().availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));
}

TEST(CAboutDlg, TheAboutCommandRunsItModallyAndTheLinksOpenThroughTheDesktop) {
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    FrameStartup startup;
    startup.programPath = "/opt/pexora/bin/pexora";
    CMainFrame frame(services, startup);
    EXPECT_EQ(frame.windowIcon().availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));
    frame.Commands().Refresh();
    QAction* command = frame.Commands().Action(kIdAbout);
    ASSERT_TRUE(command->isEnabled());

    bool closedByButton = false;
    WhenModalAppears([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral(" About Pexora"));
        QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("1047")), Qt::LeftButton);
        QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("1048")), Qt::LeftButton);
        QTest::mouseClick(modal->findChild<QLabel*>(QStringLiteral("1081")), Qt::LeftButton);  // no link
        QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        closedByButton = !modal->isVisible();
    });
    command->trigger();
    EXPECT_TRUE(closedByButton);
    EXPECT_EQ(scripted.desktop.opened,
              (std::vector<std::string>{"mailto:pexora@example.org", "https://www.example.org/pexora"}));
}

TEST(CAboutDlg, ALinkNothingCanOpenIsReported) {
    ScriptedServices services;
    services.desktop.succeed = false;
    CAboutDlg about(services.desktop, services.messages);
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("1047")), Qt::LeftButton);
    QTest::mouseClick(about.findChild<QLabel*>(QStringLiteral("1048")), Qt::LeftButton);
    EXPECT_EQ(services.messages.Texts(),
              (std::vector<std::string>{"Cannot open mailto:pexora@example.org.",
                                        "Cannot open https://www.example.org/pexora."}));
    EXPECT_EQ(services.messages.shown.front().buttons, MessageButtons::Ok);
}
