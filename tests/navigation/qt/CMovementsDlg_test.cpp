#include "navigation/qt/CMovementsDlg.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "navigation/CBallController.h"
#include "navigation/ControlledScene.h"
#include "navigation/NavigationInput.h"
#include "navigation/qt/MovementPictures.h"
#include "navigation/qt/MovementsWindow.h"
#include "platform/ProgramSettings.h"
#include "platform/WindowPlacement.h"
#include "resources/MovementsIds.h"
#include "support/ScriptedServices.h"

namespace {

template <typename T>
T* Control(QWidget& window, int id) {
    return window.findChild<T*>(QString::number(id));
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

struct MovementsHarness {
    MovementsHarness() {
        scene.controllers[1].keyStepDeg = 15;
        settings.movementIncrement = 25;
        window =
            new CMovementsDlg(scene, settings, services.Services(), [this](int key) { keys.push_back(key); });
        rotation = Control<QLineEdit>(*window, kIdRotationStepEdit);
        translation = Control<QLineEdit>(*window, kIdTranslationStepEdit);
    }
    ~MovementsHarness() { delete window.data(); }

    // Shows the window as the active one, so that focus changes send their events.
    bool ShowActive() {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    // Replaces the edit's text as typing would.
    static void Type(QLineEdit& edit, const QString& text) {
        edit.clear();
        QTest::keyClicks(&edit, text);
    }

    ControlledScene scene;
    ProgramSettings settings;
    ScriptedServices services;
    std::vector<int> keys;
    QPointer<CMovementsDlg> window;
    QLineEdit* rotation = nullptr;
    QLineEdit* translation = nullptr;
};

}  // namespace

TEST(CMovementsDlg, ShowsTheStepsAndTwelvePictureButtons) {
    MovementsHarness m;
    EXPECT_EQ(m.window->windowTitle(), QStringLiteral(" Movements"));
    EXPECT_TRUE(m.window->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(m.window->objectName(), QStringLiteral("161"));
    ASSERT_NE(m.rotation, nullptr);
    ASSERT_NE(m.translation, nullptr);
    EXPECT_EQ(m.rotation->text(), QStringLiteral("15"));
    EXPECT_EQ(m.translation->text(), QStringLiteral("25"));

    // Rows left to right: Right, Left, Down, Up, Home, Page Up; then U, D, L, R, F, B.
    const std::vector<std::pair<int, int>> rows[2] = {
        {{1084, kKeyRight},
         {1085, kKeyLeft},
         {1086, kKeyDown},
         {1087, kKeyUp},
         {1088, kKeyHome},
         {1083, kKeyPageUp}},
        {{1077, kKeyU}, {1078, kKeyD}, {1079, kKeyL}, {1080, kKeyR}, {1081, kKeyF}, {1082, kKeyB}}};
    ASSERT_TRUE(m.ShowActive());
    std::set<QByteArray> pictures;
    int rowTop = -1;
    for (const auto& row : rows) {
        int left = -1;
        for (const auto& [id, key] : row) {
            QPushButton* button = Control<QPushButton>(*m.window, id);
            ASSERT_NE(button, nullptr) << id;
            EXPECT_GT(button->x(), left) << id;
            EXPECT_GT(button->y(), rowTop) << id;
            left = button->x();
            EXPECT_EQ(button->iconSize(), QSize(24, 24));
            const QImage picture = button->icon().pixmap(24, 24).toImage();
            EXPECT_EQ(picture.size(), QSize(24, 24));
            pictures.insert(
                QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
            m.keys.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            EXPECT_EQ(m.keys, std::vector<int>{key}) << id;
        }
        rowTop = Control<QPushButton>(*m.window, row.front().first)->y();
    }
    EXPECT_EQ(pictures.size(), 12u);  // every button has its own picture
    EXPECT_TRUE(MovementPicture(1076).isNull());
    EXPECT_TRUE(MovementPicture(1089).isNull());
}

TEST(CMovementsDlg, RotationEditCorrectsOutOfRangeValuesWithTheToneAndCommitsOnFocusLoss) {
    MovementsHarness m;
    ASSERT_TRUE(m.ShowActive());
    m.rotation->setFocus();
    MovementsHarness::Type(*m.rotation, QStringLiteral("0"));
    EXPECT_EQ(m.rotation->text(), QStringLiteral("1"));
    EXPECT_EQ(m.services.tones.beeps, (std::vector<std::pair<int, int>>{{500, 100}}));
    EXPECT_TRUE(m.services.messages.shown.empty());

    MovementsHarness::Type(*m.rotation, QStringLiteral("400"));
    EXPECT_EQ(m.rotation->text(), QStringLiteral("360"));
    EXPECT_EQ(m.services.tones.beeps.size(), 2u);

    MovementsHarness::Type(*m.rotation, QStringLiteral("45"));
    EXPECT_EQ(m.services.tones.beeps.size(), 2u);
    EXPECT_EQ(m.scene.controllers[1].keyStepDeg, 15);  // not before the edit loses the focus
    m.translation->setFocus();
    EXPECT_EQ(m.scene.controllers[1].keyStepDeg, 45);
    EXPECT_EQ(m.scene.controllers[127].keyStepDeg, 45);
    EXPECT_EQ(m.scene.controllers[0].keyStepDeg, 5);  // the camera keeps its own
}

TEST(CMovementsDlg, TextThatIsNoIntegerAsksForOne) {
    MovementsHarness m;
    ASSERT_TRUE(m.ShowActive());
    m.translation->setFocus();
    MovementsHarness::Type(*m.translation, QStringLiteral("x"));
    EXPECT_EQ(m.services.messages.Texts(), std::vector<std::string>{"Enter an integer."});
    EXPECT_EQ(m.translation->text(), QStringLiteral("1"));
    EXPECT_EQ(m.services.tones.beeps, (std::vector<std::pair<int, int>>{{500, 100}}));

    MovementsHarness::Type(*m.translation, QStringLiteral("100001"));
    EXPECT_EQ(m.translation->text(), QStringLiteral("100000"));
    m.rotation->setFocus();
    EXPECT_EQ(m.settings.movementIncrement, 100000);
}

TEST(CMovementsDlg, ClosingCommitsTheEditInUseAndKeepsThePosition) {
    MovementsHarness m;
    ASSERT_TRUE(m.ShowActive());
    m.translation->setFocus();
    MovementsHarness::Type(*m.translation, QStringLiteral("77"));
    const QRect frame = m.window->frameGeometry();
    QTest::keyClick(m.window, Qt::Key_Escape);  // closes like the close box
    DeleteClosedWindows();
    EXPECT_TRUE(m.window.isNull());
    EXPECT_EQ(m.settings.movementIncrement, 77);
    const PlacementRect saved = ReadPlacement(m.services.settings, "Movements", {});
    EXPECT_EQ(saved.left, frame.left());
    EXPECT_EQ(saved.top, frame.top());
}

TEST(MovementsWindow, TogglesAndIsBuiltAnewWithTheCurrentSteps) {
    ControlledScene scene;
    ProgramSettings settings;
    ScriptedServices services;
    PlatformServices platform = services.Services();
    QWidget frame;
    std::vector<int> keys;
    MovementsWindow movements(frame, scene, settings, platform, [&keys](int key) { keys.push_back(key); });
    EXPECT_FALSE(movements.IsOpen());

    movements.Toggle();
    ASSERT_TRUE(movements.IsOpen());
    QPointer<CMovementsDlg> first = movements.Window();
    EXPECT_EQ(first->parentWidget(), &frame);
    QTest::mouseClick(Control<QPushButton>(*first, kIdMoveBackButton), Qt::LeftButton);
    EXPECT_EQ(keys, std::vector<int>{kKeyB});

    movements.Toggle();
    EXPECT_FALSE(movements.IsOpen());
    DeleteClosedWindows();
    EXPECT_TRUE(first.isNull());

    scene.controllers[1].keyStepDeg = 30;
    settings.movementIncrement = 3;
    movements.Toggle();
    ASSERT_TRUE(movements.IsOpen());
    EXPECT_EQ(Control<QLineEdit>(*movements.Window(), kIdRotationStepEdit)->text(), QStringLiteral("30"));
    EXPECT_EQ(Control<QLineEdit>(*movements.Window(), kIdTranslationStepEdit)->text(), QStringLiteral("3"));

    // Closed by its own close box, the window counts as gone at once.
    movements.Window()->close();
    EXPECT_FALSE(movements.IsOpen());
    movements.Toggle();
    EXPECT_TRUE(movements.IsOpen());
}
