#pragma once
// One export of one flight: the movie or the numbered image series that a saved playback writes,
// every frame faded as the flight's fades ask and keyframes repeated as still fade frames.

#include <memory>
#include <string>

#include "app/FlightOutput.h"
#include "flight/FlightFades.h"
#include "output/MovieCompression.h"
#include "output/MovieWriter.h"
#include "render/ReadPixels.h"

enum class FlightTarget { AviMovie, Mp4Movie, BmpSeries, JpegSeries };

struct FlightRecordingSetup {
    FlightTarget target = FlightTarget::AviMovie;
    std::string path;  // the movie file, or the series base: files base + "%04d.bmp" or "%04d.jpg"
    MovieCompression compression;
    int framesPerSecond = 25;
    int jpegQuality = 75;
    int width = 0, height = 0;  // frame picture W (a multiple of 4) x H
    FlightPlan plan;            // fades fitted, totalFrames, keyframes
};

class FlightRecording {
public:
    FlightRecording();
    ~FlightRecording();

    // Opens the movie (image series need nothing opened). False with Error().
    bool Open(const FlightRecordingSetup& setup);
    // A pass begins: the frame number f starts again at 0 and the fades from their beginning.
    void StartPass();
    // `picture`: the frame read back, W x H; `emptyStage`: the empty stage, the renderer's screenImage
    // of the view's size (its leftmost W columns count; one of another height fades as black). Writes the
    // faded frame and the still frames the fades ask for after a keyframe. False when writing the movie
    // failed: Error() says why and the movie has been removed. An image file that cannot be written is
    // skipped silently.
    bool Emit(const BgrImage& picture, const BgrImage& emptyStage, FlightFrame frame);
    // Closes the output; a stopped movie is deleted. False with Error() when the movie could not be
    // finished (it is then removed too).
    bool Finish(bool stopped);

    // Output frames written in this pass so far (the next frame number f).
    int FrameNumber() const { return frameNumber_; }
    const std::string& Error() const { return error_; }

private:
    bool WriteOne(const BgrImage& picture, const BgrImage& emptyStage);
    bool Store(const BgrImage& faded);

    FlightRecordingSetup setup_;
    std::unique_ptr<FlightFades> fades_;
    MovieWriter movie_;
    BgrImage faded_;
    int frameNumber_ = 0;
    std::string error_;
};
