// Scene files: Save Scene and Load Scene. A scene file names its models; loading reads each of them
// again and applies the saved settings to it.

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "import/ModelLoader.h"
#include "persistence/SceneFile.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "render/WaitCursor.h"
#include "resources/CommandIds.h"
#include "scene/SceneGraphics.h"

namespace {

// Saving and loading alike tell what went wrong under this caption.
constexpr const char* kSceneCaption = "Load scene";

FileDialogRequest SceneFileRequest(const char* title, const ProgramSettings& settings) {
    FileDialogRequest request;
    request.title = title;
    request.startDirectory = settings.dataDirectory;
    request.filters = {{kSceneFileFilter, {kSceneFilePattern}}};
    request.defaultExtension = kSceneFileExtension;
    return request;
}

StageBlock StageOf(const ProgramSettings& settings) {
    return {static_cast<int16_t>(settings.bgMode),
            static_cast<int16_t>(settings.bbMode),
            settings.stageColor,
            settings.cubeColor,
            settings.stageSize,
            settings.lookAt};
}

void ApplyStage(const StageBlock& stage, ProgramSettings& settings) {
    // Modes other than the three backgrounds show the fill colour.
    settings.bgMode = stage.bgMode >= 0 && stage.bgMode <= 2 ? static_cast<uint16_t>(stage.bgMode) : 0;
    settings.bbMode = static_cast<uint16_t>(stage.bbMode);
    settings.stageColor = stage.stageColor;
    settings.cubeColor = stage.cubeColor;
    settings.stageSize = stage.stageSize;
    settings.lookAt = stage.lookAt;
}

}  // namespace

void CMainFrame::AttachScene() {
    commands_->Attach(kIdSaveScene, [this] { SaveScene(); });
    commands_->Attach(kIdLoadScene, [this] { LoadScene(); });
}

void CMainFrame::SaveScene() {
    const std::optional<FileDialogResult> chosen =
        services_.files.Save(SceneFileRequest("Save Scene", settings_));
    if (!chosen) return;
    if (!WriteSceneFile(chosen->path, scene_->state, StageOf(settings_), scene_->objects))
        services_.messages.ShowCaptioned(kSceneCaption, "Write error.", MessageButtons::Ok,
                                         MessageIcon::Warning);
}

void CMainFrame::LoadScene() {
    const std::optional<FileDialogResult> chosen =
        services_.files.Open(SceneFileRequest("Load Scene", settings_));
    if (!chosen) return;
    const WaitCursor wait;
    // The previous models go whatever the file holds; the camera, plate, header and stage stay as they
    // are unless the whole file is read.
    while (scene_->ModelCount() > 0)
        scene_->DeleteModel(1, Graphics());

    std::string message;
    SceneFileContent content;
    std::string reason;
    if (!ReadSceneFile(chosen->path, content, reason)) {
        message = "Read error.";
    } else {
        // The plate's display list is rebuilt for the loaded plate under the name it already has.
        const uint32_t plateList = scene_->objects[scene_->PlateIndex()].listBase;
        scene_->InitObject(scene_->PlateIndex());
        scene_->state = content.state;
        for (int i = 0; i <= content.state.count; ++i) {
            scene_->objects[i] = content.records[size_t(i)];
            LoadControllerFromRecord(scene_->objects[i], scene_->controllers[i]);
        }
        scene_->objects[scene_->PlateIndex()].listBase = plateList;
        ApplyStage(content.stage, settings_);
        ApplyLight();  // before the lists are built, which may depend on its kind
        for (int i = 1; i < scene_->PlateIndex();) {
            SceneObject& record = scene_->objects[i];
            record.recutOnKeyframe = 0;
            const std::string location = record.location;
            if (LoadModelFile(*scene_, i, location, services_.tones)) {
                Graphics().BuildSurfaceLists(i);
                ++i;
            } else {
                message += "Dataset \"" + location + "\" not found.\n";
                scene_->DeleteModel(i, Graphics());
            }
        }
        view_->BuildPlateList();
        if (settings_.bgMode == 1) view_->BuildColourCube();
        if (settings_.bgMode == 2) view_->LoadImageCube();
        SyncLightDialog();
    }
    SyncStageDialog();
    RefreshObjectsDialogList();
    ShowStatusTexts();
    commands_->Refresh();
    RepaintNow();
    if (!message.empty())
        services_.messages.ShowCaptioned(kSceneCaption, message, MessageButtons::Ok, MessageIcon::Warning);
}
