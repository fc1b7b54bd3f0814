// Adding models to the scene: the Load Object command and models handed over by the analysis program.

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "app/HandOff.h"
#include "import/ModelLoader.h"
#include "import/RegularFile.h"
#include "import/StageSize.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "render/WaitCursor.h"
#include "resources/CommandIds.h"
#include "scene/SceneGraphics.h"

namespace {

// The folder of `path` (the text before its last slash); the root for a file in it, nothing without one.
std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

FileDialogRequest LoadObjectRequest(const ProgramSettings& settings) {
    FileDialogRequest request;
    request.title = "Load Object";
    request.startDirectory = settings.dataDirectory;
    request.filters = {{"3D-models (*.p3g)", {"*.p3g"}},
                       {"MicroCT-models (*.ctm)", {"*.ctm"}},
                       {"STL-Files (*.stl)", {"*.stl"}}};
    request.selectedFilter = settings.openFileExt;
    request.defaultExtension = "p3g";
    return request;
}

}  // namespace

void CMainFrame::AttachModelCommands() {
    commands_->Attach(kIdLoadObject, [this] { LoadObject(); });
}

void CMainFrame::LoadObject() {
    const std::optional<FileDialogResult> chosen = services_.files.Open(LoadObjectRequest(settings_));
    if (!chosen) return;
    ForgetKeyframesOfChangingObjects();
    settings_.openFileExt = chosen->filterIndex;
    if (const std::string folder = DirectoryOf(chosen->path); !folder.empty())
        settings_.dataDirectory = folder;

    // A file that cannot be opened now leaves the scene as it is, without a message box. The test never
    // waits: a named pipe, a device or a folder is refused at once.
    std::string reason;
    if (!RegularFile().Open(chosen->path, reason)) {
        statusBar_->ShowMessage(QString::fromStdString("Cannot open " + chosen->path + ": " + reason));
        return;
    }
    const int index = scene_->AddModelSlot();
    if (index == 0) {
        services_.messages.Warn(kSceneFullMessage);
        return;
    }
    LoadGeometry(index, chosen->path, StageRounding::kTruncateThenTimesFour);
}

int CMainFrame::LoadHandedModel(const std::string& modelPath, const std::string& datasetPath, float pixelSize,
                                int postfixLength, int unit) {
    // Taken first, so that a hand-off is never picked up twice, not even when it cannot be added.
    RemoveHandOff(services_.settings);
    ForgetKeyframesOfChangingObjects();

    const int index = scene_->AddModelSlot();
    if (index == 0) {
        services_.messages.Warn(kSceneFullMessage);
        return 0;
    }
    SceneObject& record = scene_->objects[index];
    SetRecordText(record.datasetPath, datasetPath.c_str());
    record.pixelSize = pixelSize;
    record.postfixLength = postfixLength;
    record.unit = unit;
    LoadGeometry(index, modelPath, StageRounding::kTimesFourThenTruncate);

    // The file dialogs start in the folder of the last model handed over.
    if (const std::string folder = DirectoryOf(modelPath); !folder.empty()) settings_.dataDirectory = folder;
    return 1;
}

// Reads the model into the new record `index` and builds its lists, with the wait cursor shown. A file
// the reader refuses leaves the record without geometry: it is counted but never drawn, and the status
// bar names the file and the reason. Then the stage grows to the model when "AdaptiveCube" is on, and
// the counts and the view are refreshed.
void CMainFrame::LoadGeometry(int index, const std::string& path, StageRounding rounding) {
    const WaitCursor wait;
    std::string problem;
    if (LoadModelFile(*scene_, index, path, services_.tones, &problem)) {
        Graphics().BuildSurfaceLists(index);
        statusBar_->ShowMessage(QString());
    } else {
        statusBar_->ShowMessage(QString::fromStdString("Cannot read " + path + ": " + problem));
    }
    const SceneObject& record = scene_->objects[index];
    if (record.mesh != nullptr && record.location[0] == '\0')
        statusBar_->ShowMessage(QString::fromStdString(
            "The path of " + path + " is longer than " + std::to_string(kTextSize - 1) +
            " characters: the model is shown and restored, but a scene file cannot name it"));
    if (settings_.adaptiveCube != 0 && record.mesh != nullptr) {
        settings_.stageSize = AdaptStageSize(settings_.stageSize, scene_->ModelCount() == 1, record.boxMin,
                                             record.boxMax, rounding);
        // The cube shown must grow with the stage.
        if (settings_.bgMode == 1) view_->BuildColourCube();
        if (settings_.bgMode == 2) view_->LoadImageCube();
        RefreshStageDialog();  // its cube size shows the grown stage
    }
    ShowStatusTexts();
    RefreshObjectsDialogList();
    commands_->Refresh();
    RepaintNow();
}
