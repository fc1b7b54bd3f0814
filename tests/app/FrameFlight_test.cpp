// Flights on a real main frame: keyframes of a moving model stored through the flight recorder,
// played as a flight (written through a recording output), repeated until STOP, shown as a slide show,
// and forgotten when the objects change while the recorder is open.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FlightOutput.h"
#include "flight/KeyframeRecorder.h"
#include "import/P3gWriter.h"
#include "render/CPexoraView.h"
#include "render/ReadPixels.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "resources/FlightRecorderIds.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "tests/output/MovieProbe.h"

namespace {

// A cube of side 4 around the origin, twelve outward facets, vertex index x + 2y + 4z.
Poly3gon Cube() {
    Poly3gon cube(8, 12);
    for (int i = 0; i < 8; ++i)
        for (int axis = 0; axis < 3; ++axis)
            cube.vertices[i * 3 + axis] = ((i >> axis) & 1) ? 2.0f : -2.0f;
    const int64_t facets[] = {3, 0, 2, 3, 1, 0, 7, 4, 5, 7, 6, 4, 5, 0, 1, 5, 4, 0,
                              7, 2, 6, 7, 3, 2, 6, 0, 4, 6, 2, 0, 7, 1, 3, 7, 5, 1};
    std::copy(std::begin(facets), std::end(facets), cube.facets);
    return cube;
}

// Takes the frames a flight writes: which kind each is and where the model stands in the picture.
class RecordingFlightOutput : public FlightOutput {
public:
    bool Prepare(const FlightPlan& plan) override {
        plans.push_back(plan);
        return prepared;
    }
    void StartPass() override { ++passes; }
    bool Emit(FlightFrame frame) override {
        frames.push_back(frame);
        if (onEmit) onEmit();
        return static_cast<int>(frames.size()) != failAt;
    }
    void Finish(bool stopped) override { finished.push_back(stopped); }

    bool prepared = true;
    int failAt = -1;  // Emit answers false for this frame (1-based)
    std::function<void()> onEmit;
    std::vector<FlightPlan> plans;
    std::vector<FlightFrame> frames;
    int passes = 0;
    std::vector<bool> finished;
};

// Counts the view's paints.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (onPaint) onPaint();
        }
        return false;
    }
    int paints = 0;
    std::function<void()> onPaint;
};

struct FrameFlightTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        modelPath = folder.filePath("cube.p3g").toStdString();
        ASSERT_EQ(WriteP3g(Cube(), modelPath), 1);
        keyframeBase = folder.filePath("keys").toStdString();
        MakeFrame();
    }
    void MakeFrame() {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        startup.keyframeFolderBase = keyframeBase;
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->Settings().stageSize = 40;
        if (!realExport) {
            auto recording = std::make_unique<RecordingFlightOutput>();
            output = recording.get();
            frame->SetFlightOutput(std::move(recording));
        }
        frame->resize(400, 300);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_EQ(frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0), 1);
    }

    QAction* Command(int id) {
        frame->Commands().Refresh();
        return frame->Commands().Action(id);
    }
    QWidget* Recorder() {
        auto* window = frame->findChild<QWidget*>(QString::number(kIdFlightRecorderDialog));
        return window && window->isVisible() ? window : nullptr;
    }
    QWidget* Objects() {
        auto* window = frame->findChild<QWidget*>(QString::number(kIdObjectsDialog));
        return window && window->isVisible() ? window : nullptr;
    }
    void OpenRecorder() {
        if (!Recorder()) Command(kIdFlightRecorder)->trigger();
        ASSERT_NE(Recorder(), nullptr);
    }
    void Forget(QWidget* gone) {
        ASSERT_EQ(gone, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class Widget>
    Widget* Find(int id) {
        return FindControl<Widget>(Recorder(), id);
    }
    void Click(int id) { Find<QAbstractButton>(id)->click(); }
    // Types `text` into the edit and leaves it.
    void Enter(int id, const QString& text) {
        auto* edit = Find<QLineEdit>(id);
        edit->setText(text);
        QFocusEvent left(QEvent::FocusOut);
        QCoreApplication::sendEvent(edit, &left);
    }
    QString Text(int id) { return Find<QLineEdit>(id)->text(); }

    // Stores a keyframe with the model moved to `x` along the stage.
    void StoreAt(float x) {
        frame->GetScene().objects[1].position[0] = x;
        Click(kIdStoreKeyframeButton);
    }
    void Interpolate(int frames) {
        if (!Find<QCheckBox>(kIdInterpolatedCheck)->isChecked()) Click(kIdInterpolatedCheck);
        Enter(kIdInterpolatedEdit, QString::number(frames));
    }
    int KeyframeFiles() {
        int files = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(keyframeBase))
            files += entry.path().filename().string().starts_with("~kf") ? 1 : 0;
        return files;
    }
    // Mean column of the lit grey model in the view, -1 when none shows.
    double ModelColumn() {
        const BgrImage image = frame->View().ReadPixels();
        double sum = 0;
        int count = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                const uint8_t* p = image.PixelFromTop(x, y);
                if (p[0] == p[1] && p[1] == p[2] && p[0] > 0x30) {
                    sum += x;
                    ++count;
                }
            }
        return count ? sum / count : -1.0;
    }

    QTemporaryDir folder;
    std::string modelPath;
    std::string keyframeBase;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
    bool realExport = false;  // the frame keeps its own export instead of the recording one
    RecordingFlightOutput* output = nullptr;
};

// The same frame writing real files through its own export.
struct FrameFlightExportTest : FrameFlightTest {
    void SetUp() override {
        realExport = true;
        FrameFlightTest::SetUp();
    }
    // Plays two keyframes with 3 frames between them (5 in all) into the file the dialog answers.
    void PlayInto(const std::string& name, int filter) {
        OpenRecorder();
        StoreAt(-8.0f);
        StoreAt(8.0f);
        Interpolate(3);
        if (!Find<QCheckBox>(kIdSaveFilesCheck)->isChecked()) Click(kIdSaveFilesCheck);
        ASSERT_EQ(Text(kIdTotalFramesText), QStringLiteral("5"));
        scripted.files.answers.push_back(
            FileDialogResult{folder.filePath(QString::fromStdString(name)).toStdString(), filter, 1});
        Click(kIdPlayButton);
    }
};

TEST_F(FrameFlightTest, TheCommandOpensTheRecorderAndHoldsOffTheScreenSaverWhileOpen) {
    EXPECT_FALSE(Command(kIdFlightRecorder)->isChecked());
    frame->Settings().duration = 7;
    OpenRecorder();
    EXPECT_EQ(Recorder()->windowTitle(), QStringLiteral(" Flight recorder"));
    EXPECT_TRUE(Command(kIdFlightRecorder)->isChecked());
    EXPECT_EQ(scripted.screenSaver.calls.size(), 1u);
    EXPECT_TRUE(scripted.screenSaver.held);
    EXPECT_EQ(Text(kIdInterpolatedEdit), QStringLiteral("7"));
    EXPECT_TRUE(Find<QCheckBox>(kIdInterpolatedCheck)->isChecked()) << "\"Interpolation\" is on by default";
    EXPECT_EQ(Text(kIdKeyframeText), QStringLiteral("0"));
    // Idle: ">" shows, STOP and the progress bar do not.
    EXPECT_TRUE(Find<QPushButton>(kIdPlayButton)->isVisible());
    EXPECT_FALSE(Find<QPushButton>(kIdStopButton)->isVisible());
    EXPECT_FALSE(Find<QProgressBar>(kIdPlayProgress)->isVisible());

    Enter(kIdInterpolatedEdit, QStringLiteral("1500"));
    EXPECT_EQ(Text(kIdInterpolatedEdit), QStringLiteral("1000"));
    Click(kIdInterpolatedCheck);
    Command(kIdFlightRecorder)->trigger();
    Forget(Recorder());
    EXPECT_FALSE(Command(kIdFlightRecorder)->isChecked());
    EXPECT_FALSE(scripted.screenSaver.held);
    EXPECT_EQ(scripted.screenSaver.calls.back(), "release");
    // The choices go back to the frame and survive reopening.
    EXPECT_EQ(frame->Settings().duration, 1000);
    EXPECT_EQ(frame->Settings().interpolation, 0);
    OpenRecorder();
    EXPECT_FALSE(Find<QCheckBox>(kIdInterpolatedCheck)->isChecked());
    EXPECT_FALSE(Find<QLineEdit>(kIdInterpolatedEdit)->isEnabled());
}

TEST_F(FrameFlightTest, TotalFramesSaveFilesRepeatAndTheFadeShortening) {
    OpenRecorder();
    for (int k = 0; k < 4; ++k)
        StoreAt(float(k));
    EXPECT_EQ(Text(kIdKeyframeText), QStringLiteral("4/4"));
    Interpolate(10);
    EXPECT_EQ(Text(kIdTotalFramesText), QStringLiteral("34"));

    // Fades are offered only while saving; "save files" and "repeat" exclude each other.
    EXPECT_FALSE(Find<QCheckBox>(kIdFadeInCheck)->isEnabled());
    Click(kIdRepeatCheck);
    Click(kIdSaveFilesCheck);
    EXPECT_FALSE(Find<QCheckBox>(kIdRepeatCheck)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(kIdFadeInCheck)->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>(kIdFadeInEdit)->isEnabled());
    Click(kIdFadeInCheck);
    EXPECT_TRUE(Find<QLineEdit>(kIdFadeInEdit)->isEnabled());
    Enter(kIdFadeInEdit, QStringLiteral("5"));
    Click(kIdFadeInStaticCheck);
    EXPECT_EQ(Text(kIdTotalFramesText), QStringLiteral("39"));
    // The colour swatch shows only for a fade from a colour.
    EXPECT_FALSE(Find<QWidget>(kIdFadeInColourSwatch)->isVisible());
    Click(kIdFadeInColourRadio);
    EXPECT_TRUE(Find<QWidget>(kIdFadeInColourSwatch)->isVisible());
    scripted.colours.answers.push_back(0x00112233u);
    Click(kIdFadeInColourSwatch);
    EXPECT_EQ(frame->FlightRecorder().fades.fadeInColour, 0x00112233u);
    Click(kIdRepeatCheck);
    EXPECT_FALSE(Find<QCheckBox>(kIdSaveFilesCheck)->isChecked());
    EXPECT_EQ(Text(kIdTotalFramesText), QStringLiteral("34")) << "still frames count only while saving";

    // Fades longer than the flight are shortened and the user is told; a cancelled output plays nothing.
    Click(kIdSaveFilesCheck);
    Click(kIdFadeInStaticCheck);
    Click(kIdFadeOutCheck);
    Enter(kIdFadeInEdit, QStringLiteral("40"));
    Enter(kIdFadeOutEdit, QStringLiteral("10"));
    ASSERT_EQ(Text(kIdTotalFramesText), QStringLiteral("34"));
    output->prepared = false;
    Click(kIdPlayButton);
    ASSERT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{
                  "The number of the fade frames was adjusted to the range of the image frames."});
    EXPECT_EQ(Text(kIdFadeInEdit), QStringLiteral("34"));
    EXPECT_EQ(Text(kIdFadeOutEdit), QStringLiteral("0"));
    ASSERT_EQ(output->plans.size(), 1u);
    EXPECT_EQ(output->plans[0].fades.fadeInFrames, 34);
    EXPECT_EQ(output->plans[0].totalFrames, 34);
    EXPECT_EQ(output->plans[0].keyframes, 4);
    EXPECT_TRUE(output->frames.empty());
    EXPECT_TRUE(output->finished.empty());
    EXPECT_EQ(frame->FlightRecorder().idle, 1);
}

TEST_F(FrameFlightTest, AFlightPlaysEveryFrameAndWritesThemWhileSaving) {
    OpenRecorder();
    for (const float x : {-8.0f, 0.0f, 8.0f})
        StoreAt(x);
    Interpolate(3);
    Click(kIdSaveFilesCheck);
    std::vector<double> columns;
    std::vector<int> playing;
    output->onEmit = [&] {
        columns.push_back(ModelColumn());
        playing.push_back(frame->Display().playing);
    };
    Click(kIdPlayButton);

    using F = FlightFrame;
    const std::vector<F> expected{F::FirstKeyframe, F::Interpolated, F::Interpolated,
                                  F::Interpolated,  F::Keyframe,     F::Interpolated,
                                  F::Interpolated,  F::Interpolated, F::Keyframe};
    EXPECT_EQ(output->frames, expected);
    EXPECT_EQ(output->passes, 1);
    EXPECT_EQ(output->finished, std::vector<bool>{false});
    ASSERT_EQ(output->plans.size(), 1u);
    EXPECT_EQ(output->plans[0].totalFrames, 9);
    EXPECT_EQ(playing, std::vector<int>(9, 1));
    // The model moves from left to right across the picture, a step each frame.
    ASSERT_EQ(columns.size(), 9u);
    EXPECT_GT(columns.front(), 0.0);
    for (size_t i = 1; i < columns.size(); ++i)
        EXPECT_GT(columns[i], columns[i - 1] + 1.0) << "frame " << i;
    const double centre = frame->View().width() / 2.0;
    EXPECT_LT(columns.front(), centre);
    EXPECT_GT(columns.back(), centre);
    EXPECT_FLOAT_EQ(frame->GetScene().objects[1].position[0], 8.0f);
    EXPECT_EQ(Text(kIdKeyframeText), QStringLiteral("3/3"));
    EXPECT_EQ(frame->Display().playing, 0);
    EXPECT_TRUE(Find<QPushButton>(kIdPlayButton)->isVisible());

    // A single keyframe shows once, with no frames between; an output that fails stops the flight.
    output->frames.clear();
    output->failAt = 2;
    Click(kIdPlayButton);
    EXPECT_EQ(output->frames.size(), 2u);
    EXPECT_EQ(output->finished.back(), true);
    Click(kIdResetButton);
    EXPECT_EQ(KeyframeFiles(), 0);
    StoreAt(3.0f);
    output->frames.clear();
    output->failAt = -1;
    Click(kIdPlayButton);
    EXPECT_EQ(output->frames, std::vector<F>{F::FirstKeyframe});
}

TEST_F(FrameFlightTest, ARepeatedFlightRunsUntilStopWhichEndsItWithinAFrame) {
    OpenRecorder();
    StoreAt(-8.0f);
    StoreAt(8.0f);
    Interpolate(20);
    Click(kIdRepeatCheck);
    PaintCounter counter;
    frame->View().installEventFilter(&counter);
    int atStop = -1;
    bool stopVisible = false;
    bool loadDuringFlight = true;
    bool recorderDuringFlight = false;
    // Once the flight has gone round more than twice, STOP is pressed as a user would, from the events.
    counter.onPaint = [&] {
        if (counter.paints != 60) return;
        stopVisible = Find<QPushButton>(kIdStopButton)->isVisible();
        loadDuringFlight = Command(kIdLoadObject)->isEnabled();
        recorderDuringFlight = Command(kIdFlightRecorder)->isEnabled();
        QTimer::singleShot(0, Recorder(), [&] {
            atStop = counter.paints;
            Click(kIdStopButton);
        });
    };
    Click(kIdPlayButton);
    frame->View().removeEventFilter(&counter);
    EXPECT_TRUE(stopVisible);
    EXPECT_FALSE(loadDuringFlight) << "nothing may change the objects under a flight";
    EXPECT_TRUE(recorderDuringFlight) << "closing the recorder stops the flight";
    ASSERT_GT(atStop, 0) << "the flight ended by itself";
    // After STOP a repeating flight shows keyframe 0 once more, then ends.
    EXPECT_LE(counter.paints - atStop, 2);
    EXPECT_EQ(frame->FlightRecorder().idle, 1);
    EXPECT_EQ(frame->Display().playing, 0);
    EXPECT_TRUE(output->frames.empty()) << "a repeated flight is not written";
    EXPECT_TRUE(Command(kIdLoadObject)->isEnabled()) << "commands work again after the flight";
}

TEST_F(FrameFlightTest, ClosingTheRecorderStopsTheFlightAndTheMainWindowStaysMeanwhile) {
    OpenRecorder();
    StoreAt(-8.0f);
    StoreAt(8.0f);
    Interpolate(40);
    PaintCounter counter;
    frame->View().installEventFilter(&counter);
    bool frameClosed = true;
    int atClose = -1;
    counter.onPaint = [&] {
        if (counter.paints != 10) return;
        QTimer::singleShot(0, frame.get(), [&] {
            frameClosed = frame->close();
            atClose = counter.paints;
            Command(kIdFlightRecorder)->trigger();
        });
    };
    Click(kIdPlayButton);
    frame->View().removeEventFilter(&counter);
    ASSERT_GT(atClose, 0);
    EXPECT_FALSE(frameClosed) << "the close box does nothing during a flight";
    EXPECT_TRUE(frame->isVisible());
    EXPECT_LE(counter.paints - atClose, 2);
    EXPECT_EQ(frame->Display().playing, 0);
    Forget(Recorder());
    EXPECT_FALSE(scripted.screenSaver.held);
    EXPECT_EQ(frame->Settings().duration, 40);
}

TEST_F(FrameFlightTest, TheSlideShowShowsTheKeyframesEitherWayAndStops) {
    OpenRecorder();
    for (const float x : {-8.0f, 0.0f, 8.0f})
        StoreAt(x);
    PaintCounter counter;
    std::vector<float> shown;
    counter.onPaint = [&] {
        const float x = frame->GetScene().objects[1].position[0];
        if (shown.empty() || shown.back() != x) shown.push_back(x);
    };
    frame->View().installEventFilter(&counter);
    frame->GetScene().objects[1].position[0] = 100.0f;
    Click(kIdForwardButton);
    EXPECT_EQ(shown, (std::vector<float>{-8.0f, 0.0f, 8.0f}));
    EXPECT_EQ(Text(kIdKeyframeText), QStringLiteral("3/3"));
    shown.clear();
    Click(kIdBackwardButton);
    EXPECT_EQ(shown, (std::vector<float>{8.0f, 0.0f, -8.0f}));
    EXPECT_EQ(Text(kIdKeyframeText), QStringLiteral("1/3"));

    // STOP during the pause after the first keyframe: no other keyframe follows.
    shown.clear();
    QTimer::singleShot(100, Recorder(), [&] { Click(kIdStopButton); });
    Click(kIdForwardButton);
    frame->View().removeEventFilter(&counter);
    EXPECT_EQ(shown, std::vector<float>{-8.0f});
    EXPECT_EQ(frame->Display().playing, 0);
}

TEST_F(FrameFlightTest, ObjectChangesWhileTheRecorderIsOpenForgetTheKeyframes) {
    OpenRecorder();
    StoreAt(1.0f);
    StoreAt(2.0f);
    ASSERT_EQ(KeyframeFiles(), 2);

    // Deleting an object: the keyframes go and the recorder closes.
    Command(kIdObjects)->trigger();
    ASSERT_NE(Objects(), nullptr);
    FindControl<QListWidget>(Objects(), kIdObjectList)->setCurrentRow(0);
    scripted.messages.answers.push_back(MessageAnswer::Ok);
    FindControl<QPushButton>(Objects(), kIdDeleteButton)->click();
    EXPECT_EQ(KeyframeFiles(), 0);
    EXPECT_EQ(frame->Keyframes().KeyframeCount(), 0);
    Forget(Recorder());
    EXPECT_EQ(frame->GetScene().ModelCount(), 0);

    // Loading a model likewise.
    ASSERT_EQ(frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0), 1);
    OpenRecorder();
    StoreAt(1.0f);
    ASSERT_EQ(frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0), 1);
    EXPECT_EQ(KeyframeFiles(), 0);
    Forget(Recorder());

    // Copying likewise; while the recorder is closed, the keyframes stay.
    OpenRecorder();
    StoreAt(1.0f);
    FindControl<QListWidget>(Objects(), kIdObjectList)->setCurrentRow(0);
    Command(kIdDuplicateObject)->trigger();
    EXPECT_EQ(frame->GetScene().ModelCount(), 3);
    EXPECT_EQ(KeyframeFiles(), 0);
    Forget(Recorder());
    OpenRecorder();
    StoreAt(1.0f);
    Command(kIdFlightRecorder)->trigger();
    Command(kIdDuplicateObject)->trigger();
    EXPECT_EQ(KeyframeFiles(), 1);

    // The frame deletes its keyframes when it goes, and when it comes.
    frame.reset();
    EXPECT_EQ(KeyframeFiles(), 0);
}

TEST_F(FrameFlightTest, ThePercentButtonShowsWhileTheRecorderInterpolatesAndAModelIsSelected) {
    Command(kIdObjects)->trigger();
    auto* recut = FindControl<QPushButton>(Objects(), kIdRecutCheck);
    auto* list = FindControl<QListWidget>(Objects(), kIdObjectList);
    list->setCurrentRow(0);
    EXPECT_FALSE(recut->isVisible()) << "the recorder is closed";
    OpenRecorder();
    EXPECT_TRUE(recut->isVisible());
    list->setCurrentRow(1);  // the plate
    EXPECT_FALSE(recut->isVisible());
    list->setCurrentRow(0);
    EXPECT_TRUE(recut->isVisible());
    Click(kIdInterpolatedCheck);
    EXPECT_FALSE(recut->isVisible());
    list->setCurrentRow(1);
    list->setCurrentRow(0);
    EXPECT_FALSE(recut->isVisible()) << "\"Interpolation\" is off";
    Click(kIdInterpolatedCheck);
    EXPECT_TRUE(recut->isVisible());
    Command(kIdFlightRecorder)->trigger();
    EXPECT_FALSE(recut->isVisible());
}

}  // namespace

TEST_F(FrameFlightExportTest, AFlightBecomesAMovieFadingOutToItsColourAndOpensInThePlayer) {
    OpenRecorder();
    Click(kIdSaveFilesCheck);
    Click(kIdFadeOutCheck);
    Enter(kIdFadeOutEdit, QStringLiteral("2"));
    Click(kIdFadeOutColourRadio);
    scripted.colours.answers.push_back(0x000000FFu);  // red
    Click(kIdFadeOutColourSwatch);
    PlayInto("flight.mp4", 4);

    const std::string movie = folder.filePath("flight.mp4").toStdString();
    const ProbedMovie probed = ProbeMovie(movie);
    EXPECT_EQ(probed.codec, "h264");
    EXPECT_EQ(probed.frames, 5) << "as many frames as \"Total number of frames\"";
    EXPECT_EQ(probed.frameRate, "10/1") << "\"AviFramerate\" 10";
    EXPECT_EQ(probed.width, frame->View().width() / 4 * 4);
    const auto frames = DecodedFrames(movie, probed.width, probed.height);
    ASSERT_EQ(frames.size(), 5u);
    // The last frame is the fade colour itself (within the codec's loss), the first is the scene.
    const std::vector<uint8_t>& last = frames.back();
    const size_t middle = (static_cast<size_t>(probed.height / 2) * probed.width + probed.width / 2) * 3;
    EXPECT_NEAR(last[middle + 2], 255, 12);
    EXPECT_NEAR(last[middle + 1], 0, 12);
    EXPECT_NEAR(last[middle + 0], 0, 12);
    EXPECT_LT(frames.front()[middle + 2], 200);
    EXPECT_EQ(scripted.desktop.opened, std::vector<std::string>{movie});
    EXPECT_TRUE(scripted.messages.Texts().empty());
}

TEST_F(FrameFlightExportTest, AFlightBecomesANumberedImageSeries) {
    PlayInto("shot0007.bmp", 2);
    for (int f = 0; f < 5; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "shot%04d.bmp", f);
        EXPECT_TRUE(std::filesystem::exists(folder.filePath(name).toStdString())) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(folder.filePath("shot0005.bmp").toStdString()));
    EXPECT_TRUE(scripted.desktop.opened.empty());
}
