// Drawing a large model with the view, in each surface mode (the benchmark argument, 0..3):
//   build_lists/M    BuildSurfaceLists (normals and list compilation);
//   frame/M          one frame of the scene at 1024 x 768, the camera turned by a key step each time
//                    (after a first frame, which first_picture counts);
//   first_picture/M  from a read model to its first frame: BuildSurfaceLists, then that frame.
// Frames are read back so that the time includes the whole drawing. Run under Xvfb with Mesa's
// software rasteriser.
//   pexora_bench_surface_lists --model=FILE [benchmark flags]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bench/ModelBenchmarkMain.h"
#include "bench/QuietServices.h"
#include "import/ModelLoader.h"
#include "import/StageSize.h"
#include "navigation/CBallController.h"
#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "render/CPexoraView.h"
#include "render/GLSceneGraphics.h"
#include "render/PlateRecord.h"
#include "scene/DisplayState.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// A shown view over a scene holding the model, with the stage fitted to it as "AdaptiveCube" would.
struct Stage {
    explicit Stage(const std::string& model) {
        InitPlateExtent(scene, settings);
        view = new CPexoraView(scene, settings, display, 5, 0, &window);
        graphics =
            std::make_unique<GLSceneGraphics>(*view, GLSceneGraphics::ProgressSink{}, &scene, &messages);
        view->setGeometry(0, 0, kWidth, kHeight);
        window.resize(kWidth, kHeight);
        window.show();
        while (view->context() == nullptr || !view->context()->isValid())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        index = scene.AddModelSlot();
        if (!LoadModelFile(scene, index, model, tones)) return;
        const SceneObject& record = scene.objects[index];
        settings.stageSize = AdaptStageSize(settings.stageSize, true, record.boxMin, record.boxMax,
                                            StageRounding::kTruncateThenTimesFour);
        loaded = true;
    }
    ~Stage() { scene.FreeAllModels(*graphics); }

    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    QWidget window;
    CPexoraView* view = nullptr;  // owned by window
    SilentTones tones;
    PrintedMessages messages;
    std::unique_ptr<GLSceneGraphics> graphics;
    int index = 0;
    bool loaded = false;
};

// Switches the model to the benchmark's surface mode; its lists are then rebuilt by the caller.
SceneObject& InMode(benchmark::State& state, Stage* stage) {
    SceneObject& record = stage->scene.objects[stage->index];
    record.surfaceMode = static_cast<int>(state.range(0));
    state.counters["facets"] = static_cast<double>(record.facetCount);
    return record;
}

// One frame with the camera turned a step further, read back.
void TurnAndDraw(benchmark::State& state, Stage* stage) {
    stage->scene.controllers[0].RotateByKey(kKeyLeft);
    if (stage->view->ReadPixels().width != kWidth) state.SkipWithError("the view is not 1024 pixels wide");
}

void BuildLists(benchmark::State& state, Stage* stage) {
    InMode(state, stage);
    for (auto _ : state)
        benchmark::DoNotOptimize(stage->graphics->BuildSurfaceLists(stage->index));
}

void DrawFrame(benchmark::State& state, Stage* stage) {
    InMode(state, stage);
    stage->graphics->BuildSurfaceLists(stage->index);
    TurnAndDraw(state, stage);  // the first frame after a build is part of the first picture
    for (auto _ : state)
        TurnAndDraw(state, stage);
}

void FirstPicture(benchmark::State& state, Stage* stage) {
    InMode(state, stage);
    for (auto _ : state) {
        stage->graphics->BuildSurfaceLists(stage->index);
        TurnAndDraw(state, stage);
    }
}

}  // namespace

int main(int argc, char** argv) {
    return RunOnModel<Stage>(
        argc, argv, "pexora_bench_surface_lists --model=FILE [benchmark flags]", [](Stage& stage) {
            for (auto* benchmark : {benchmark::RegisterBenchmark("build_lists", BuildLists, &stage),
                                    benchmark::RegisterBenchmark("frame", DrawFrame, &stage),
                                    benchmark::RegisterBenchmark("first_picture", FirstPicture, &stage)})
                benchmark->DenseRange(0, 3)
                    ->Unit(benchmark::kMillisecond)
                    ->MeasureProcessCPUTime()
                    ->UseRealTime();
        });
}
