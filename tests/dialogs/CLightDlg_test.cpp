#include "dialogs/CLightDlg.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QTest>

#include <cmath>
#include <cstdlib>

#include "platform/WindowPlacement.h"
#include "resources/DialogIds.h"
#include "scene/SceneObject.h"
#include "support/MemorySettingsStore.h"
#include "support/qt/FindControl.h"
#include "tests/render/ViewHarness.h"

namespace {

// In slider order: colour red, green, blue, then direction x, y, z.
constexpr int kSliders[] = {kIdLightRedSlider, kIdLightGreenSlider, kIdLightBlueSlider,
                            kIdLightXSlider,   kIdLightYSlider,     kIdLightZSlider};
constexpr int kTexts[] = {kIdLightRedText, kIdLightGreenText, kIdLightBlueText,
                          kIdLightXText,   kIdLightYText,     kIdLightZText};

template <class Widget>
Widget* Find(QWidget& dialog, int id) {
    return FindControl<Widget>(&dialog, id);
}

struct LightDlgTest : ::testing::Test {
    void TearDown() override { delete dialog.data(); }

    void Open() {
        dialog = new CLightDlg(LightDialogHost{state, store, [this] { ++applied; }, [this] { ++repaints; }});
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    QSlider* Slider(int slot) { return Find<QSlider>(*dialog, kSliders[slot]); }
    int Position(int slot) { return Slider(slot)->value(); }
    QString Text(int slot) { return Find<QLineEdit>(*dialog, kTexts[slot])->text(); }

    SceneState state;
    MemorySettingsStore store;
    QPointer<CLightDlg> dialog;
    int applied = 0;
    int repaints = 0;
};

TEST_F(LightDlgTest, DefaultLightShowsOnTheSixSliders) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Light"));
    const int positions[] = {80, 80, 80, 25, 75, 100};
    const char* texts[] = {"80%", "80%", "80%", "-50%", "50%", "100%"};
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(Position(slot), positions[slot]) << slot;
        EXPECT_EQ(Text(slot), QString::fromLatin1(texts[slot])) << slot;
        EXPECT_EQ(Slider(slot)->minimum(), 0);
        EXPECT_EQ(Slider(slot)->maximum(), 100);
    }
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(repaints, 0);
}

TEST_F(LightDlgTest, RedToTheEndChangesOnlyTheColourAndAKeyStepAppliesIt) {
    Open();
    Slider(0)->setValue(100);
    EXPECT_FLOAT_EQ(state.lightColour[0], 1.0f);
    EXPECT_FLOAT_EQ(state.lightColour[1], 0.8f);
    EXPECT_FLOAT_EQ(state.lightColour[2], 0.8f);
    EXPECT_FLOAT_EQ(state.lightPosition[0], -0.5f);
    EXPECT_FLOAT_EQ(state.lightPosition[1], 0.5f);
    EXPECT_FLOAT_EQ(state.lightPosition[2], 1.0f);
    EXPECT_EQ(Text(0), QStringLiteral("100%"));
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(repaints, 1);

    QTest::keyClick(Slider(3), Qt::Key_Right);
    EXPECT_EQ(Position(3), 26);
    EXPECT_FLOAT_EQ(state.lightPosition[0], -0.48f);
    EXPECT_EQ(Text(3), QStringLiteral("-48%"));
    EXPECT_EQ(applied, 2);
    EXPECT_EQ(repaints, 2);
}

TEST_F(LightDlgTest, ValuesBetweenOrBeyondTheStepsSnapAtTheNextMovement) {
    state.lightColour[1] = 0.805f;  // from a keyframe
    state.lightPosition[2] = 1.5f;
    Open();
    EXPECT_EQ(Position(1), 80);
    EXPECT_EQ(Position(5), 100);
    EXPECT_FLOAT_EQ(state.lightColour[1], 0.805f);  // showing changes nothing

    Slider(0)->setValue(50);
    EXPECT_FLOAT_EQ(state.lightColour[1], 0.8f);
    EXPECT_FLOAT_EQ(state.lightPosition[2], 1.0f);
    EXPECT_FLOAT_EQ(state.lightColour[0], 0.5f);
}

TEST_F(LightDlgTest, DraggingWritesTheHeaderAndAppliesOnlyOnRelease) {
    Open();
    QSlider* y = Slider(4);
    y->setSliderDown(true);
    y->setValue(0);
    EXPECT_FLOAT_EQ(state.lightPosition[1], -1.0f);
    EXPECT_EQ(Text(4), QStringLiteral("-100%"));
    y->setValue(60);
    EXPECT_FLOAT_EQ(state.lightPosition[1], 0.2f);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(repaints, 0);
    y->setSliderDown(false);
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(repaints, 1);
}

TEST_F(LightDlgTest, LoadControlsShowsAChangedHeaderWithoutApplyingIt) {
    Open();
    state.lightColour[2] = 0.3f;
    state.lightPosition[0] = 1.0f;
    dialog->LoadControls();
    EXPECT_EQ(Position(2), 30);
    EXPECT_EQ(Text(2), QStringLiteral("30%"));
    EXPECT_EQ(Position(3), 100);
    EXPECT_EQ(Text(3), QStringLiteral("100%"));
    EXPECT_EQ(applied, 0);
}

TEST_F(LightDlgTest, PositionIsRestoredAndSavedWhenTheWindowCloses) {
    WritePlacement(store, "LightDialog", {30, 40, 31, 41});
    Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->frameGeometry().topLeft() == QPoint(30, 40); }, 2000));
    EXPECT_EQ(dialog->frameGeometry().topLeft(), QPoint(30, 40));
    const QRect frame = dialog->frameGeometry();
    EXPECT_TRUE(dialog->close());  // the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(ReadPlacement(store, "LightDialog", {}),
              (PlacementRect{frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1}));
}

TEST_F(LightDlgTest, EscapeClosesTheWindow) {
    Open();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

// A sphere of radius `radius` around the origin, its normals pointing outward.
GLuint CompileSphere(ViewHarness& h, float radius) {
    constexpr int kRings = 24;
    constexpr int kSegments = 48;
    constexpr double kPi = 3.14159265358979;
    h.view->makeCurrent();
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    for (int ring = 0; ring < kRings; ++ring) {
        glBegin(GL_QUAD_STRIP);
        for (int segment = 0; segment <= kSegments; ++segment) {
            const double phi = 2.0 * kPi * segment / kSegments;
            for (int edge : {ring, ring + 1}) {
                const double theta = kPi * edge / kRings;
                const float n[3] = {static_cast<float>(std::sin(theta) * std::cos(phi)),
                                    static_cast<float>(std::cos(theta)),
                                    static_cast<float>(std::sin(theta) * std::sin(phi))};
                glNormal3fv(n);
                glVertex3f(radius * n[0], radius * n[1], radius * n[2]);
            }
        }
        glEnd();
    }
    glEndList();
    h.view->doneCurrent();
    return list;
}

// Summed red of the left and the right half of the picture along its middle rows.
struct Halves {
    long left = 0;
    long right = 0;
};
Halves Brightness(const BgrImage& image) {
    Halves sum;
    for (int y = kViewSize / 4; y < 3 * kViewSize / 4; ++y) {
        for (int x = 0; x < kViewSize; ++x)
            (x < kViewSize / 2 ? sum.left : sum.right) += ViewHarness::Rgb(image, x, y)[0];
    }
    return sum;
}

TEST(LightDlgRender, LitSideKeepsFacingTheSameWayWhenTheCameraTurns) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.settings.stageColor = 0;  // black around the sphere
    const int sphere = h.AddSquare(1.0f, 100, 0.0f);
    h.scene.objects[sphere].listBase = CompileSphere(h, 300.0f);
    MemorySettingsStore store;
    int repaints = 0;
    CLightDlg dialog(
        LightDialogHost{h.scene.state, store, [&h] { h.view->ApplyLight(); }, [&] { ++repaints; }});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    // From the left, level with the viewer: x slider 0, y and z in the middle.
    const Halves before = Brightness(h.view->ReadPixels());
    QSlider* x = Find<QSlider>(dialog, kIdLightXSlider);
    QSlider* y = Find<QSlider>(dialog, kIdLightYSlider);
    QSlider* z = Find<QSlider>(dialog, kIdLightZSlider);
    for (QSlider* slider : {x, y, z})
        slider->setSliderDown(true);
    x->setValue(0);
    y->setValue(50);
    z->setValue(50);
    // Held down, the sliders have changed the header but not the picture.
    const Halves held = Brightness(h.view->ReadPixels());
    EXPECT_EQ(held.left, before.left);
    EXPECT_EQ(held.right, before.right);
    for (QSlider* slider : {x, y, z})
        slider->setSliderDown(false);
    EXPECT_EQ(repaints, 3);

    const Halves lit = Brightness(h.view->ReadPixels());
    EXPECT_GT(lit.left - lit.right, lit.right / 10);

    // A quarter turn of the camera about the vertical axis: a light fixed in the world would now shine
    // along the line of sight and light both halves alike.
    TurnController(h.scene.controllers[0], 90.0f, false);
    const Halves turned = Brightness(h.view->ReadPixels());
    EXPECT_GT(turned.left - turned.right, turned.right / 10);
    EXPECT_NEAR(static_cast<double>(turned.left), static_cast<double>(lit.left), 0.05 * lit.left);

    // Given again under the turned camera, the same direction runs along the line of sight.
    h.view->ApplyLight();
    const Halves along = Brightness(h.view->ReadPixels());
    EXPECT_LT(std::labs(along.left - along.right), along.right / 50);
}

}  // namespace
