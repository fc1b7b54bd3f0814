// Peak memory of one step on a specimen file, against the size of the mesh's own arrays (24 bytes of
// indices per facet and 12 bytes per vertex). One step per process, so that no step inherits another's
// heap; bench/run starts it once per step and file.
//   pexora_bench_memory --step=load|weld|cut|draw --model=FILE
//     load  LoadModelFile of the file
//     weld  WeldMesh of the file's mesh (a facet soup from an .stl)
//     cut   CutMesh by an oblique plane through the middle of the mesh's bounding box
//     draw  BuildSurfaceLists ("Normal surface") and one frame at 1024 x 768 read back; needs a display
// Prints one line: step, file, facets, vertices, layout MB, resident MB before reading the model,
// resident MB when the step starts (after reading it, except for load), peak MB during the step, the
// peak's bytes per facet above the resident memory before reading, and that over the layout size.
#include <QApplication>
#include <QOpenGLContext>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "bench/FlagValue.h"
#include "bench/QuietServices.h"
#include "geometry/CutMesh.h"
#include "geometry/WeldVertices.h"
#include "import/ModelLoader.h"
#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "render/CPexoraView.h"
#include "render/GLSceneGraphics.h"
#include "render/PlateRecord.h"
#include "scene/CutCap.h"
#include "scene/DisplayState.h"

namespace {

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM").
double StatusBytes(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(field) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0) return std::stod(line.substr(prefix.size())) * 1024;
    return 0;
}

// Makes the peak resident size start again from the present one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The plane with normal (1, 2, 3) through the centre of the record's bounding box.
CutPlane ObliquePlane(const SceneObject& record) {
    const float n[3] = {1 / std::sqrt(14.0f), 2 / std::sqrt(14.0f), 3 / std::sqrt(14.0f)};
    float d = 0;
    for (int axis = 0; axis < 3; ++axis)
        d -= n[axis] * (record.boxMin[axis] + record.boxMax[axis]) / 2;
    return {n[0], n[1], n[2], d};
}

struct Measure {
    double before = 0;    // resident before reading the model
    double resident = 0;  // resident after reading it, when the step starts
    uint64_t facets = 0;
    uint64_t vertices = 0;
};

// A shown 1024 x 768 view over the scene, for the draw step.
struct View {
    View(ControlledScene& scene, ProgramSettings& settings, DisplayState& display, MessageBoxes& messages) {
        InitPlateExtent(scene, settings);
        view = new CPexoraView(scene, settings, display, 5, 0, &window);
        graphics =
            std::make_unique<GLSceneGraphics>(*view, GLSceneGraphics::ProgressSink{}, &scene, &messages);
        view->setGeometry(0, 0, 1024, 768);
        window.resize(1024, 768);
        window.show();
        while (view->context() == nullptr || !view->context()->isValid())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QWidget window;
    CPexoraView* view = nullptr;  // owned by window
    std::unique_ptr<GLSceneGraphics> graphics;
};

int Run(const std::string& step, const std::string& model, int argc, char** argv) {
    std::unique_ptr<QApplication> application;
    if (step == "draw") {
        CPexoraView::ConfigureGLAccelerator(0);
        application = std::make_unique<QApplication>(argc, argv);
    }
    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    PrintedMessages messages;
    SilentTones tones;
    std::unique_ptr<View> view;
    if (step == "draw") view = std::make_unique<View>(scene, settings, display, messages);

    Measure measure;
    measure.before = StatusBytes("VmRSS");
    ResetPeak();
    const int index = scene.AddModelSlot();
    if (!LoadModelFile(scene, index, model, tones)) {
        std::fprintf(stderr, "cannot read %s\n", model.c_str());
        return 1;
    }
    SceneObject& record = scene.objects[index];
    measure.facets = record.mesh->facetCount;
    measure.vertices = record.mesh->vertexCount;
    measure.resident = step == "load" ? measure.before : StatusBytes("VmRSS");
    if (step != "load") ResetPeak();

    NoGraphics none;
    if (step == "weld") {
        if (!WeldMesh(*record.mesh, record.caps, none)) std::fprintf(stderr, "weld refused\n");
    } else if (step == "cut") {
        CutMesh(record, ObliquePlane(record), nullptr);
    } else if (step == "draw") {
        view->graphics->BuildSurfaceLists(index);
        if (view->view->ReadPixels().width != 1024)
            std::fprintf(stderr, "the view is not 1024 pixels wide\n");
    } else if (step != "load") {
        std::fprintf(stderr, "unknown step %s\n", step.c_str());
        return 2;
    }
    const double peak = StatusBytes("VmHWM");

    const double layout = 24.0 * double(measure.facets) + 12.0 * double(measure.vertices);
    const double above = peak - measure.before;
    const std::string name = model.substr(model.rfind('/') + 1);
    std::printf("%s %s %llu %llu %.1f %.1f %.1f %.1f %.1f %.2f\n", step.c_str(), name.c_str(),
                static_cast<unsigned long long>(measure.facets),
                static_cast<unsigned long long>(measure.vertices), layout / 1e6, measure.before / 1e6,
                measure.resident / 1e6, peak / 1e6, above / double(measure.facets), above / layout);
    if (view)
        scene.FreeAllModels(*view->graphics);
    else
        scene.FreeAllModels(none);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string step = FlagValue(argc, argv, "--step=");
    const std::string model = FlagValue(argc, argv, "--model=");
    if (step.empty() || model.empty()) {
        std::fprintf(stderr, "usage: pexora_bench_memory --step=load|weld|cut|draw --model=FILE\n");
        return 2;
    }
    return Run(step, model, argc, argv);
}
