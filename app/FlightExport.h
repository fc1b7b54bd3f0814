#pragma once
// The flight export: what a flight playback writes while "save files" is ticked. Before the flight it
// asks where to write (a movie as AVI or MP4, or a numbered BMP or JPEG series), about files it would
// replace and, for AVI, how to compress; during it, it takes each frame the view has just drawn and
// hands it with the empty stage to the recording, which fades and writes it; after it, a stopped movie
// is deleted and a finished one can be shown in the desktop's player.

#include <memory>
#include <optional>
#include <string>

#include "app/FlightOutput.h"
#include "output/FlightRecording.h"
#include "output/MovieCompression.h"

class CPexoraView;
struct DisplayState;
struct PlatformServices;
struct ProgramSettings;

// Texts of the export, as the user reads them.
inline constexpr char kLaunchPlayerText[] = "Launch associated player to show movie";
inline constexpr char kConfirmSaveAsCaption[] = "Confirm Save As";
// Shown with the movie's path and the system's reason when a movie cannot be created or written.
inline constexpr char kMovieNotWrittenMessage[] = "Cannot write the movie ";

class FlightExport : public FlightOutput {
public:
    // All must outlive the export. Uses "DataDirectory" (start folder, updated by each export),
    // "AviFramerate" and "JpegQuality" of `settings`; the compression remembered in the services'
    // settings store is offered first (the chooser remembers the new choice).
    FlightExport(CPexoraView& view, ProgramSettings& settings, const DisplayState& display,
                 PlatformServices& services, CompressionChooser& chooser);
    ~FlightExport() override;

    bool Prepare(const FlightPlan& plan) override;
    void StartPass() override;
    bool Emit(FlightFrame frame) override;
    void Finish(bool stopped) override;

private:
    // For a movie at `path`: asks whether to replace an existing file and, for AVI, how to compress
    // (MP4 is H.264 at the remembered quality). Nothing when the user declines either.
    std::optional<MovieCompression> AskMovie(const std::string& path, FlightTarget target);

    CPexoraView& view_;
    ProgramSettings& settings_;
    const DisplayState& display_;
    PlatformServices& services_;
    CompressionChooser& chooser_;

    std::unique_ptr<FlightRecording> recording_;
    std::string moviePath_;  // empty for an image series
    bool launchPlayer_ = false;
    bool failed_ = false;  // a frame could not be written; the user has been told
};
