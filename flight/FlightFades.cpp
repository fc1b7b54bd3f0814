#include "flight/FlightFades.h"

#include <algorithm>
#include <cstring>

void BlendPixel(const uint8_t* a, const uint8_t* b, uint32_t wa, uint32_t wb, uint8_t* out) {
    const uint32_t sum = wa + wb;
    for (int i = 0; i < 3; ++i) {
        if (sum == 0) {
            out[i] = b[i];
            continue;
        }
        const uint32_t value = (a[i] * wa + b[i] * wb) / sum;
        out[i] = static_cast<uint8_t>(std::min<uint32_t>(value, 255));
    }
}

FlightFades::FlightFades(const FadeSettings& settings, int totalFrames, int keyframes)
    : settings_(settings), totalFrames_(totalFrames), keyframes_(keyframes) {
    inLeft_ = settings.fadeIn ? settings.fadeInFrames : 0;
    outLeft_ = settings.fadeOut ? settings.fadeOutFrames : 0;
    // A static fade also covers the keyframe its still copies repeat, so that a fade-in begins with the
    // pure fade picture on that keyframe and a fade-out fades from it to the pure fade picture on T-1.
    if (inLeft_ != 0 && settings.fadeInStatic) ++inLeft_;
    if (outLeft_ != 0 && settings.fadeOutStatic) ++outLeft_;
    outStart_ = outLeft_ != 0 ? totalFrames - outLeft_ : 0;
}

bool FlightFades::FadeOutReached(int f) const {
    // Compared as unsigned numbers: a negative start (fades longer than the flight) never begins.
    return outLeft_ != 0 && static_cast<uint32_t>(f) >= static_cast<uint32_t>(outStart_);
}

FadeStep FlightFades::Next(int f) {
    if (inLeft_ != 0) {
        const FadeStep step{FadeKind::In, static_cast<uint32_t>(inLeft_), static_cast<uint32_t>(f)};
        --inLeft_;
        return step;
    }
    if (FadeOutReached(f)) {
        // Past the expected end (a flight longer than T) the fade picture keeps all the weight.
        const FadeStep step{FadeKind::Out, static_cast<uint32_t>(f - outStart_ + 1),
                            static_cast<uint32_t>(std::max(totalFrames_ - f - 1, 0))};
        --outLeft_;
        return step;
    }
    return {};
}

bool FlightFades::StillFollows(bool firstKeyframe, int f) const {
    if (f >= totalFrames_) return false;
    if (firstKeyframe && inLeft_ != 0 && settings_.fadeInStatic) return true;
    // The keyframe just written (frame f - 1) must itself lie in the fade-out: a keyframe right before
    // the last one, with no frames between them, is no still picture of the end.
    const bool fadeOutKeyframe = !firstKeyframe || keyframes_ == 1;
    return fadeOutKeyframe && settings_.fadeOutStatic && FadeOutReached(f - 1);
}

namespace {

// (a x wa + b x wb) / (wa + wb) as BlendPixel computes it, with the division by the frame's constant
// sum turned into a multiplication: for numerators n < 2^24, m = ceil(2^k / sum) with
// k = 24 + ceil(log2 sum) gives floor(n / sum) = (n x m) >> k exactly (the error n x (m x sum - 2^k)
// / (sum x 2^k) stays below 1 / sum).
class FrameBlend {
public:
    FrameBlend(uint32_t wa, uint32_t wb) : wa_(wa), wb_(wb) {
        const uint64_t sum = static_cast<uint64_t>(wa) + wb;
        exact_ = sum != 0 && sum * 255 < (1u << 24);
        if (!exact_) return;
        while ((uint64_t{1} << shift_) < sum)
            ++shift_;
        shift_ += 24;
        multiplier_ = ((uint64_t{1} << shift_) + sum - 1) / sum;
    }

    // `bytes` bytes of whole pixels.
    void Row(const uint8_t* a, const uint8_t* b, uint8_t* out, size_t bytes) const {
        if (!exact_) {
            for (size_t x = 0; x < bytes; x += 3)
                BlendPixel(a + x, b + x, wa_, wb_, out + x);
            return;
        }
        for (size_t x = 0; x < bytes; ++x)
            out[x] = static_cast<uint8_t>((uint64_t{a[x] * wa_ + b[x] * wb_} * multiplier_) >> shift_);
    }

private:
    uint32_t wa_;
    uint32_t wb_;
    bool exact_ = false;
    int shift_ = 0;
    uint64_t multiplier_ = 0;
};

}  // namespace

void FadePicture(const FadeStep& step, const uint8_t* fade, size_t fadeStride, const uint8_t* scene,
                 uint8_t* out, int width, int height, size_t stride) {
    const size_t rowBytes = static_cast<size_t>(std::max(width, 0)) * 3;
    const FrameBlend blend(step.fadeWeight, step.sceneWeight);
    for (int y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * stride;
        if (step.kind == FadeKind::None) {
            if (out != scene) std::memcpy(out + row, scene + row, rowBytes);
            continue;
        }
        blend.Row(fade + static_cast<size_t>(y) * fadeStride, scene + row, out + row, rowBytes);
    }
}

void FadePictureToColour(const FadeStep& step, uint32_t colour, const uint8_t* scene, uint8_t* out, int width,
                         int height, size_t stride) {
    if (step.kind == FadeKind::None) {
        FadePicture(step, nullptr, 0, scene, out, width, height, stride);
        return;
    }
    // One colour against 256 possible scene bytes: blend each pairing once per frame.
    const uint8_t pixel[3] = {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                              static_cast<uint8_t>(colour)};
    uint8_t table[3][256];
    for (int value = 0; value < 256; ++value) {
        const uint8_t scenePixel[3] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value),
                                       static_cast<uint8_t>(value)};
        uint8_t blended[3];
        BlendPixel(pixel, scenePixel, step.fadeWeight, step.sceneWeight, blended);
        for (int channel = 0; channel < 3; ++channel)
            table[channel][value] = blended[channel];
    }
    const size_t rowBytes = static_cast<size_t>(std::max(width, 0)) * 3;
    for (int y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * stride;
        for (size_t x = row; x < row + rowBytes; x += 3) {
            out[x] = table[0][scene[x]];
            out[x + 1] = table[1][scene[x + 1]];
            out[x + 2] = table[2][scene[x + 2]];
        }
    }
}
