#include "app/FirstFrameExit.h"

#include <gtest/gtest.h>
#include <QEventLoop>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include "app/CMainFrame.h"
#include "app/CPexoraApp.h"
#include "app/HandOff.h"
#include "import/P3gWriter.h"
#include "render/CPexoraView.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"

namespace {

using Arguments = std::vector<std::string>;

TEST(TakeQuitAfterFirstFrame, TakesTheSwitchWithOrWithoutAnImageAndLeavesTheRest) {
    Arguments plain{"/data/a.p3g", "-v12.5"};
    EXPECT_FALSE(TakeQuitAfterFirstFrame(plain).has_value());
    EXPECT_EQ(plain, (Arguments{"/data/a.p3g", "-v12.5"}));

    Arguments bare{"/data/a.p3g", "--quit-after-first-frame", "-n4"};
    EXPECT_EQ(TakeQuitAfterFirstFrame(bare), std::string());
    EXPECT_EQ(bare, (Arguments{"/data/a.p3g", "-n4"})) << "the switch never reaches the model command line";

    Arguments image{"--quit-after-first-frame=/tmp/one.png", "/data/a.p3g",
                    "--quit-after-first-frame=/tmp/two.png"};
    EXPECT_EQ(TakeQuitAfterFirstFrame(image), "/tmp/two.png") << "the last one counts";
    EXPECT_EQ(image, Arguments{"/data/a.p3g"});

    Arguments lookalikes{"--quit-after-first-frames", "--quit-after-first", "-quit-after-first-frame"};
    EXPECT_FALSE(TakeQuitAfterFirstFrame(lookalikes).has_value());
    EXPECT_EQ(lookalikes.size(), 3u);
}

// A cube of edge 120 around the origin (about the sample specimen's size), twelve outward facets, vertex
// index x + 2y + 4z.
Poly3gon Cube() {
    Poly3gon cube(8, 12);
    for (int i = 0; i < 8; ++i) {
        for (int axis = 0; axis < 3; ++axis)
            cube.vertices[i * 3 + axis] = ((i >> axis) & 1) ? 60.0f : -60.0f;
    }
    const int64_t facets[] = {3, 0, 2, 3, 1, 0, 7, 4, 5, 7, 6, 4, 5, 0, 1, 5, 4, 0,
                              7, 2, 6, 7, 3, 2, 6, 0, 4, 6, 2, 0, 7, 1, 3, 7, 5, 1};
    std::copy(std::begin(facets), std::end(facets), cube.facets);
    return cube;
}

struct FirstFrameExitTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        modelPath = folder.filePath("cube.p3g").toStdString();
        ASSERT_EQ(WriteP3g(Cube(), modelPath), 1);
    }
    // The application's end of the run leaves this fixture's event loop (QCoreApplication::exit would
    // also end every later loop of the test process).
    std::unique_ptr<CPexoraApp> MakeApp() {
        auto app = std::make_unique<CPexoraApp>(services, folder.filePath("Pexora.ini"),
                                                folder.filePath("pexora").toStdString());
        app->endRun = [this](int status) { loop.exit(status); };
        return app;
    }
    // Runs the event loop until the application ends the run; 99 when it never does.
    int RunUntilExit() {
        QTimer::singleShot(60000, &loop, [this] { loop.exit(99); });
        return loop.exec();
    }

    QEventLoop loop;
    QTemporaryDir folder;
    std::string modelPath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
};

TEST_F(FirstFrameExitTest, SavesTheFirstFrameWithTheModelClosesAndEndsWithStatusZero) {
    // Even beside a running viewer it opens its own window and neither hands over nor takes a model.
    scripted.instanceLock.first = false;
    auto app = MakeApp();
    const QString image = folder.filePath("frame.png");
    ASSERT_TRUE(app->InitInstance({modelPath, "--quit-after-first-frame=" + image.toStdString()}));
    ASSERT_NE(app->Frame(), nullptr);
    EXPECT_FALSE(scripted.settings.Has("Mervik_start", "postfix_len")) << "nothing handed over";
    EXPECT_EQ(app->Frame()->GetScene().ModelCount(), 1);
    WriteHandOff(scripted.settings, HandOff{"/data/next.stl", "", 0.0f, 4, 0});
    EXPECT_FALSE(app->PollHandOff()) << "no hand-off is taken";

    EXPECT_EQ(RunUntilExit(), 0);
    EXPECT_FALSE(app->Frame()->isVisible());
    const QImage frame(image);
    ASSERT_FALSE(frame.isNull());
    EXPECT_EQ(frame.size(), app->Frame()->View().size() * app->Frame()->View().devicePixelRatio());
    EXPECT_EQ(frame.pixelColor(1, 1), QColor(0, 0, 64)) << "the stage colour the view clears to";
    const QColor centre = frame.pixelColor(frame.width() / 2, frame.height() / 2);
    EXPECT_GT(centre.red(), 64) << "the lit grey cube covers the centre";
    EXPECT_EQ(centre.red(), centre.green());
    EXPECT_EQ(centre.green(), centre.blue());
    app->ExitInstance();
}

TEST_F(FirstFrameExitTest, WithoutAnImageItJustEndsAndAnUnwritableImageEndsWithStatusOne) {
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({"--quit-after-first-frame"}));
    EXPECT_EQ(RunUntilExit(), 0);
    EXPECT_FALSE(app->Frame()->isVisible());
    app->ExitInstance();

    auto refused = MakeApp();
    ASSERT_TRUE(refused->InitInstance(
        {"--quit-after-first-frame=" + folder.filePath("missing/frame.png").toStdString()}));
    EXPECT_EQ(RunUntilExit(), 1);
    EXPECT_FALSE(refused->Frame()->isVisible());
    refused->ExitInstance();
}

}  // namespace
