// Flight export against plain playback: 100 frames of a model turning in the view at 1024 x 768
// (Mesa's software rasteriser under Xvfb), as a playback shows them, first only drawn, then drawn and
// handed to FlightExport, which reads each frame back and writes
//   flight/play    drawn only (the stage kept for fades, as during any playback)
//   flight/dib     uncompressed AVI
//   flight/mjpeg   Motion JPEG AVI (quality 75)
//   flight/h264    H.264 MP4 (quality 75)
// Counters: total_s (the 100 frames, the export opened before and finished after them).
//   pexora_bench_flight --model=FILE [--folder=DIR] [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "app/FlightExport.h"
#include "bench/ModelBenchmarkMain.h"
#include "bench/QuietServices.h"
#include "import/ModelLoader.h"
#include "import/StageSize.h"
#include "navigation/ControlledScene.h"
#include "platform/ColourChooser.h"
#include "platform/DesktopOpener.h"
#include "platform/FileDialogs.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramSettings.h"
#include "platform/ScreenSaverInhibitor.h"
#include "platform/qt/QtSettingsStore.h"
#include "render/CPexoraView.h"
#include "render/GLSceneGraphics.h"
#include "render/PlateRecord.h"
#include "render/StatusTexts.h"
#include "scene/DisplayState.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrames = 100;

std::string folder = std::filesystem::temp_directory_path().string();

// The services an export asks: the save dialog answers the movie to write, questions are answered Yes.
class YesMessages : public MessageBoxes {
public:
    MessageAnswer ShowCaptioned(const std::string&, const std::string& text, MessageButtons buttons,
                                MessageIcon) override {
        if (buttons == MessageButtons::Ok) std::fprintf(stderr, "message: %s\n", text.c_str());
        return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
};
class AnsweringFiles : public FileDialogs {
public:
    std::optional<FileDialogResult> Open(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogResult> Save(const FileDialogRequest&) override { return answer; }
    FileDialogResult answer{"", 1, 0};  // no player afterwards
};
class NoColours : public ColourChooser {
public:
    std::optional<uint32_t> Choose(uint32_t) override { return std::nullopt; }
};
class NoDesktop : public DesktopOpener {
public:
    bool Open(const std::string&) override { return true; }
};
class AwakeScreen : public ScreenSaverInhibitor {
public:
    void Inhibit(const std::string&) override {}
    void Release() override {}
};
class OnlyInstance : public InstanceLock {
public:
    bool IsFirstInstance() const override { return true; }
    bool TryHold() override { return true; }
};
class FixedCompression : public CompressionChooser {
public:
    std::optional<MovieCompression> Choose(const std::vector<MovieCodec>&, const MovieCompression&) override {
        return choice;
    }
    MovieCompression choice;
};

// A shown view over a scene holding the model, with the stage fitted to it, and an export of it.
struct Stage {
    explicit Stage(const std::string& model)
        : settingsStore(QString::fromStdString(folder + "/pexora-bench-flight.ini")) {
        InitPlateExtent(scene, settings);
        view = new CPexoraView(scene, settings, display, 5, 0, &window);
        graphics =
            std::make_unique<GLSceneGraphics>(*view, GLSceneGraphics::ProgressSink{}, &scene, &messages);
        view->SetStatusTextSink([this](int pane, const char*) { paints += pane == kPositionPane ? 1 : 0; });
        view->setGeometry(0, 0, kWidth, kHeight);
        window.resize(kWidth, kHeight);
        window.show();
        while (view->context() == nullptr || !view->context()->isValid() || !window.windowHandle() ||
               !window.windowHandle()->isExposed())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        const int index = scene.AddModelSlot();
        if (!LoadModelFile(scene, index, model, tones)) return;
        const SceneObject& record = scene.objects[index];
        settings.stageSize = AdaptStageSize(settings.stageSize, true, record.boxMin, record.boxMax,
                                            StageRounding::kTruncateThenTimesFour);
        graphics->BuildSurfaceLists(index);
        settings.aviFramerate = 25;
        display.playing = 1;
        loaded = true;
    }
    ~Stage() { scene.FreeAllModels(*graphics); }

    // Frame `f` of the flight: the camera turned by 3.6 degrees a frame about the vertical, drawn now.
    void DrawFrame(int f) {
        const float half = static_cast<float>(f) * 1.8f * 3.14159265f / 180.0f;
        scene.controllers[0].orientation = Quaternion{std::cos(half), 0.0f, std::sin(half), 0.0f};
        scene.controllers[0].EndDrag();
        // As the frame's RepaintNow: repaint() may be put off by a composed window.
        view->update();
        QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
    }

    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    QWidget window;
    CPexoraView* view = nullptr;  // owned by window
    QtSettingsStore settingsStore;
    YesMessages messages;
    AnsweringFiles files;
    NoColours colours;
    SilentTones tones;
    NoDesktop desktop;
    OnlyInstance instanceLock;
    AwakeScreen screen;
    PlatformServices services{settingsStore, messages, files, colours, tones, desktop, instanceLock, screen};
    FixedCompression chooser;
    std::unique_ptr<GLSceneGraphics> graphics;
    bool loaded = false;
    int paints = 0;  // frames the view has drawn
};

void Play(benchmark::State& state, Stage* stage) {
    using Clock = std::chrono::steady_clock;
    double total = 0;
    stage->paints = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        for (int f = 0; f < kFrames; ++f)
            stage->DrawFrame(f);
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["total_s"] = total / static_cast<double>(state.iterations());
    state.counters["file_mb"] = 0;
    state.counters["frames"] = stage->paints;
}

// `filter`: 1 AVI, 4 MP4, as the save dialog numbers them.
void Export(benchmark::State& state, Stage* stage, int filter, const std::string& codec,
            const char* extension) {
    using Clock = std::chrono::steady_clock;
    const std::string path = folder + "/pexora-bench-flight." + extension;
    stage->files.answer.path = path;
    stage->files.answer.filterIndex = filter;
    stage->chooser.choice = MovieCompression{codec, 75};
    double total = 0;
    for (auto _ : state) {
        FlightExport output(*stage->view, stage->settings, stage->display, stage->services, stage->chooser);
        const auto start = Clock::now();
        if (!output.Prepare(FlightPlan{{}, kFrames, 2})) {
            state.SkipWithError("the export did not open");
            return;
        }
        output.StartPass();
        for (int f = 0; f < kFrames; ++f) {
            stage->DrawFrame(f);
            const FlightFrame kind = f == 0             ? FlightFrame::FirstKeyframe
                                     : f == kFrames - 1 ? FlightFrame::Keyframe
                                                        : FlightFrame::Interpolated;
            if (!output.Emit(kind)) {
                state.SkipWithError("a frame was not written");
                return;
            }
        }
        output.Finish(false);
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.counters["total_s"] = total / static_cast<double>(state.iterations());
    std::error_code error;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(path, error)) / 1e6;
    std::filesystem::remove(path, error);
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::string given = FlagValue(argc, argv, "--folder="); !given.empty()) folder = given;
    return RunOnModel<Stage>(
        argc, argv, "pexora_bench_flight --model=FILE [--folder=DIR] [benchmark flags]", [](Stage& stage) {
            const auto once = [](benchmark::internal::Benchmark* b) {
                b->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
            };
            once(benchmark::RegisterBenchmark("flight/play", Play, &stage));
            once(benchmark::RegisterBenchmark("flight/dib", Export, &stage, 1, std::string("dib"), "avi"));
            once(
                benchmark::RegisterBenchmark("flight/mjpeg", Export, &stage, 1, std::string("mjpeg"), "avi"));
            once(benchmark::RegisterBenchmark("flight/h264", Export, &stage, 4, std::string("h264"), "mp4"));
        });
}
