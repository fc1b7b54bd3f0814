// Resample Dataset: cutting the selected model's CT dataset again along the plate.

#include <QAction>

#include <cstdio>
#include <filesystem>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dataset/ResampleDataset.h"
#include "dataset/SliceBuffer.h"
#include "dialogs/CObjPropDlg.h"
#include "dialogs/CRecutDlg.h"
#include "dialogs/ToolWindow.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "render/WaitCursor.h"
#include "resources/CommandIds.h"

namespace {

// The model path without its extension, then "_NN_" numbered by the dialogs shown so far.
std::string DefaultPrefix(const std::string& modelPath, int counter) {
    char number[16];
    std::snprintf(number, sizeof number, "_%02d_", counter % 100);
    return modelPath.substr(0, modelPath.size() >= 4 ? modelPath.size() - 4 : 0) + number;
}

// What the user is told when resampling wrote less than asked; empty when all went well.
std::string ResampleReport(const ResampleResult& result, const std::string& prefix) {
    switch (result.status) {
        case ResampleStatus::Incompatible:
            return "Incompatible file format in dataset !";
        case ResampleStatus::NoImage:
            return "The plate is smaller than one pixel: no image was written.";
        case ResampleStatus::NegativeCount:
            return "The number of slices is negative: no image was written.";
        case ResampleStatus::OutOfMemory:
            return "There is not enough memory to resample the dataset.";
        case ResampleStatus::Done:
            break;
    }
    if (result.filesFailed == 0) return {};
    std::string folder = std::filesystem::path(prefix).parent_path().string();
    return std::to_string(result.filesFailed) + " of " +
           std::to_string(result.filesFailed + result.filesWritten) + " files could not be written to " +
           (folder.empty() ? "." : folder);
}

}  // namespace

void CMainFrame::AttachDatasetCommands() {
    commands_->Attach(
        kIdResampleDataset, [this] { ResampleSelectedDataset(); },
        [this](QAction& action) {
            const CObjPropDlg* objects = objects_->Window();
            action.setEnabled(scene_->PlateIndex() > 1 && objects != nullptr &&
                              objects->SelectedIndex() >= 0 &&
                              scene_->objects[objects->SelectedIndex()].datasetPath[0] != '\0');
        });
}

void CMainFrame::ResampleSelectedDataset() {
    const int plate = scene_->PlateIndex();
    const int index = objects_->Window() ? objects_->Window()->SelectedIndex() : plate - 1;
    if (plate < 2 || index < 0 || index == plate) return;
    const SceneObject& object = scene_->objects[index];
    if (object.datasetPath[0] == '\0') return;
    SliceBuffer first;
    const SliceReadResult read = ReadSlice(object.datasetPath, first);
    if (read == SliceReadFailed) {
        services_.messages.Show("Incompatible file format in dataset !", MessageButtons::Ok,
                                MessageIcon::None);
        return;
    }

    ++resampleCounter_;
    RecutValues values;
    values.prefix = DefaultPrefix(object.modelPath, resampleCounter_);
    CRecutDlg dialog(values, read == SliceBmpInverted, services_.messages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const RecutValues& chosen = dialog.Values();
    ResampleOptions options;
    options.projection = chosen.operation == 1;
    options.prefix = chosen.prefix;
    options.jpeg = chosen.fileType == 1;
    options.jpegQuality = settings_.jpegQuality;
    options.background = chosen.backgroundIndex;
    options.count = chosen.sliceCount;
    options.spacing = chosen.spacing;

    RepaintNow();
    ResampleResult result;
    {
        WaitCursor wait;
        result =
            ResampleDataset(object, scene_->objects[plate], options,
                            [this](int percent, const std::string& text) { ShowProgress(percent, text); });
    }
    const std::string report = ResampleReport(result, options.prefix);
    if (!report.empty()) services_.messages.Warn(report);
}
