#include "app/FlightExport.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/WhatsThisTexts.h"
#include "dialogs/CCompressionDlg.h"
#include "flight/ImageSeriesNames.h"
#include "output/FlightRecording.h"
#include "output/ScreenPicture.h"
#include "platform/DesktopOpener.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramSettings.h"
#include "render/CPexoraView.h"
#include "resources/FlightSaveIds.h"
#include "scene/DisplayState.h"

namespace {

// The dialog's filters, in this order: the filter index tells the target.
constexpr FlightTarget kTargets[] = {FlightTarget::AviMovie, FlightTarget::BmpSeries,
                                     FlightTarget::JpegSeries, FlightTarget::Mp4Movie};

FileDialogRequest FlightSaveRequest(const std::string& dataDirectory) {
    FileDialogRequest request;
    request.startDirectory = dataDirectory;
    request.filters = {{"AVI Files (*.avi)", {"*.avi"}},
                       {"BMP Files (*.bmp)", {"*.bmp"}},
                       {"JPG Files (*.jpg)", {"*.jpg"}},
                       {"MP4 Files (*.mp4)", {"*.mp4"}}};
    request.selectedFilter = 1;
    request.defaultExtension = "avi";
    // The export asks about existing files itself: a movie is replaced, a series deleted first.
    request.confirmOverwrite = false;
    request.checkText = kLaunchPlayerText;
    request.checkState = 1;
    const char* help = WhatsThisText(kIdFlightSaveDialog, kIdLaunchPlayerCheck);
    request.checkHelp = help ? help : "";
    return request;
}

bool IsMovie(FlightTarget target) {
    return target == FlightTarget::AviMovie || target == FlightTarget::Mp4Movie;
}

// What the user reads when the movie cannot be written: a compressor that refused as such, anything
// else with the file and the system's reason.
std::string MovieFailure(const std::string& path, const std::string& reason) {
    if (reason == kNotSupportedCompressor) return reason;
    return kMovieNotWrittenMessage + path + ".\n" + reason;
}

}  // namespace

FlightExport::FlightExport(CPexoraView& view, ProgramSettings& settings, const DisplayState& display,
                           PlatformServices& services, CompressionChooser& chooser)
    : view_(view), settings_(settings), display_(display), services_(services), chooser_(chooser) {}

FlightExport::~FlightExport() = default;

bool FlightExport::Prepare(const FlightPlan& plan) {
    recording_.reset();
    moviePath_.clear();
    failed_ = false;

    const std::optional<FileDialogResult> chosen =
        services_.files.Save(FlightSaveRequest(settings_.dataDirectory));
    if (!chosen) return false;
    settings_.dataDirectory = FolderOf(chosen->path);
    const bool inRange =
        chosen->filterIndex >= 1 && chosen->filterIndex <= static_cast<int>(std::size(kTargets));
    const FlightTarget target = kTargets[inRange ? chosen->filterIndex - 1 : 0];

    FlightRecordingSetup setup;
    setup.target = target;
    setup.framesPerSecond = std::max(1, settings_.aviFramerate);
    setup.jpegQuality = settings_.jpegQuality;
    setup.width = display_.viewWidth / 4 * 4;
    setup.height = display_.viewHeight;
    setup.plan = plan;
    if (IsMovie(target)) {
        setup.path = chosen->path;
        const std::optional<MovieCompression> compression = AskMovie(chosen->path, target);
        if (!compression) return false;
        setup.compression = *compression;
    } else {
        setup.path = SeriesBase(chosen->path);
        if (!CheckImageNames(setup.path, target == FlightTarget::JpegSeries ? "jpg" : "bmp",
                             services_.messages))
            return false;
    }

    auto recording = std::make_unique<FlightRecording>();
    if (!recording->Open(setup)) {
        services_.messages.Warn(MovieFailure(setup.path, recording->Error()));
        return false;
    }
    recording_ = std::move(recording);
    if (IsMovie(target)) moviePath_ = chosen->path;
    launchPlayer_ = chosen->checkState != 0;
    return true;
}

std::optional<MovieCompression> FlightExport::AskMovie(const std::string& path, FlightTarget target) {
    // The old movie stays until the new one is complete: the writer renames it into place then.
    std::error_code error;
    if (std::filesystem::exists(path, error) &&
        services_.messages.ShowCaptioned(
            kConfirmSaveAsCaption,
            std::filesystem::path(path).filename().string() + " already exists.Do you want to replace it?",
            MessageButtons::YesNo, MessageIcon::Warning) != MessageAnswer::Yes)
        return std::nullopt;
    const MovieCompression remembered = RememberedCompression(services_.settings);
    if (target == FlightTarget::Mp4Movie) return MovieCompression{"h264", remembered.quality};
    return chooser_.Choose(AvailableMovieCodecs(MovieContainer::Avi), remembered);
}

void FlightExport::StartPass() {
    if (recording_) recording_->StartPass();
}

bool FlightExport::Emit(FlightFrame frame) {
    if (!recording_ || failed_) return false;
    // The frame was drawn a moment ago: read it as it stands rather than drawing the scene again.
    const BgrImage picture = CutToWholeQuads(view_.ReadShownPixels());
    const BgrImage emptyStage =
        CutToWholeQuads(BgrImage{display_.viewWidth, display_.viewHeight, display_.screenImage});
    if (recording_->Emit(picture, emptyStage, frame)) return true;
    failed_ = true;
    services_.messages.Warn(MovieFailure(moviePath_, recording_->Error()));
    return false;
}

void FlightExport::Finish(bool stopped) {
    if (!recording_) return;
    const std::unique_ptr<FlightRecording> recording = std::move(recording_);
    // After a failed frame the movie is gone already and the user has been told.
    const bool finished = recording->Finish(stopped || failed_);
    if (failed_ || stopped) return;
    if (!finished) {
        services_.messages.Warn(MovieFailure(moviePath_, recording->Error()));
        return;
    }
    if (!moviePath_.empty() && launchPlayer_) services_.desktop.Open(moviePath_);
}
