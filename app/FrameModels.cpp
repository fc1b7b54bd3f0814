// Adding models to the scene.

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/HandOff.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"

int CMainFrame::LoadHandedModel(const std::string& modelPath, const std::string& datasetPath, float pixelSize,
                                int postfixLength, int unit) {
    // Taken first, so that a hand-off is never picked up twice, not even when it cannot be added.
    RemoveHandOff(services_.settings);

    const int index = scene_->AddModelSlot();
    if (index == 0) {
        services_.messages.Warn(kSceneFullMessage);
        return 0;
    }
    // Until a reader fills it, the record has no geometry: it is counted but never drawn.
    SceneObject& record = scene_->objects[index];
    SetRecordText(record.datasetPath, datasetPath.c_str());
    record.pixelSize = pixelSize;
    record.postfixLength = postfixLength;
    record.unit = unit;

    // The file dialogs start in the folder of the last model handed over.
    const size_t slash = modelPath.find_last_of('/');
    if (slash != std::string::npos) settings_.dataDirectory = slash == 0 ? "/" : modelPath.substr(0, slash);

    ShowStatusTexts();
    commands_->Refresh();
    RepaintNow();
    return 1;
}
