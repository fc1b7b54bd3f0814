#include "output/FlightRecording.h"

#include <algorithm>

#include "flight/ImageSeriesNames.h"
#include "output/ScreenImageFormats.h"

namespace {

bool IsMovie(FlightTarget target) {
    return target == FlightTarget::AviMovie || target == FlightTarget::Mp4Movie;
}

bool SameSize(const BgrImage& a, const BgrImage& b) {
    return a.width == b.width && a.height == b.height && a.bytes.size() == b.bytes.size();
}

// The image writer of the screen image for `extension`, used for the frames of a series.
const ScreenImageFormat& SeriesFormat(const std::string& extension) {
    static const std::vector<ScreenImageFormat> formats = ScreenImageFormats();
    for (const ScreenImageFormat& format : formats)
        if (format.extension == extension) return format;
    return formats.front();
}

}  // namespace

FlightRecording::FlightRecording() = default;
FlightRecording::~FlightRecording() = default;

bool FlightRecording::Open(const FlightRecordingSetup& setup) {
    setup_ = setup;
    error_.clear();
    StartPass();
    faded_.width = setup.width;
    faded_.height = setup.height;
    faded_.bytes.assign(BgrStride(setup.width) * static_cast<size_t>(std::max(setup.height, 0)), 0);
    if (!IsMovie(setup.target)) return true;
    const MovieContainer container =
        setup.target == FlightTarget::AviMovie ? MovieContainer::Avi : MovieContainer::Mp4;
    if (movie_.Open(setup.path, container, setup.compression, setup.width, setup.height,
                    setup.framesPerSecond))
        return true;
    error_ = movie_.Error();
    return false;
}

void FlightRecording::StartPass() {
    // Every pass fades alike.
    frameNumber_ = 0;
    fades_ = std::make_unique<FlightFades>(setup_.plan.fades, setup_.plan.totalFrames, setup_.plan.keyframes);
}

bool FlightRecording::Emit(const BgrImage& picture, const BgrImage& emptyStage, FlightFrame frame) {
    if (!WriteOne(picture, emptyStage)) return false;
    if (frame == FlightFrame::Interpolated) return true;
    while (fades_->StillFollows(frame == FlightFrame::FirstKeyframe, frameNumber_))
        if (!WriteOne(picture, emptyStage)) return false;
    return true;
}

bool FlightRecording::WriteOne(const BgrImage& picture, const BgrImage& emptyStage) {
    const FadeStep step = fades_->Next(frameNumber_);
    const BgrImage* written = &picture;
    if (step.kind != FadeKind::None && SameSize(picture, faded_)) {
        const FadeSettings& fades = setup_.plan.fades;
        const bool toColour = step.kind == FadeKind::In ? fades.fadeInFrom != 0 : fades.fadeOutTo != 0;
        const uint32_t colour = step.kind == FadeKind::In ? fades.fadeInColour : fades.fadeOutColour;
        const size_t stride = BgrStride(picture.width);
        // The empty stage has the view's width, up to 3 pixels more than the picture's.
        const bool stageFits = emptyStage.height == picture.height && emptyStage.width >= picture.width &&
                               emptyStage.bytes.size() >= BgrStride(emptyStage.width) * emptyStage.height;
        if (!toColour && stageFits)
            FadePicture(step, emptyStage.bytes.data(), BgrStride(emptyStage.width), picture.bytes.data(),
                        faded_.bytes.data(), picture.width, picture.height, stride);
        else  // no empty stage kept (stereo): the stage fades as black
            FadePictureToColour(step, toColour ? colour : 0, picture.bytes.data(), faded_.bytes.data(),
                                picture.width, picture.height, stride);
        written = &faded_;
    }
    const bool stored = Store(*written);
    ++frameNumber_;
    return stored;
}

bool FlightRecording::Store(const BgrImage& frame) {
    if (IsMovie(setup_.target)) {
        if (!movie_.IsOpen()) return false;
        if (movie_.WriteFrame(frame)) return true;
        error_ = movie_.Error();
        movie_.Abort();
        return false;
    }
    const std::string extension = setup_.target == FlightTarget::JpegSeries ? "jpg" : "bmp";
    // A frame that cannot be written is left out; the series goes on.
    SeriesFormat(extension).write(SeriesFrameName(setup_.path, frameNumber_, extension), frame,
                                  setup_.jpegQuality);
    return true;
}

bool FlightRecording::Finish(bool stopped) {
    if (!IsMovie(setup_.target) || !movie_.IsOpen()) return error_.empty();
    if (stopped) {
        movie_.Abort();
        return true;
    }
    if (movie_.Close()) return true;
    error_ = movie_.Error();
    return false;
}
