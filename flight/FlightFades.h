#pragma once
// The fades of one saved flight: which frames blend with the fade picture (the empty stage or a plain
// colour), by how much, and which keyframes are repeated as still frames for a "static" fade.
//
// Counters, with T the flight's total frame count and f the output frame number of a pass:
// - inLeft: frames the fade-in still covers; a static fade-in covers one more (keyframe 0 itself
//   plus its still copies). Frame f of the fade-in has the weights (inLeft, f).
// - outLeft, outStart: the fade-out covers frames outStart .. T-1 with the weights
//   (f - outStart + 1, T - f - 1), so that its last frame is the pure fade picture; a static
//   fade-out covers one more frame (the last keyframe and its still copies).
// A fade-in still running takes precedence over the fade-out.

#include <cstddef>
#include <cstdint>

#include "flight/FadeSettings.h"

// result = (a x wa + b x wb) / (wa + wb) for each of the three bytes of a pixel, in unsigned 32-bit
// arithmetic, truncating and limited to 255; two zero weights give b.
void BlendPixel(const uint8_t* a, const uint8_t* b, uint32_t wa, uint32_t wb, uint8_t* out);

// What one frame fades with.
enum class FadeKind { None, In, Out };

struct FadeStep {
    FadeKind kind = FadeKind::None;
    uint32_t fadeWeight = 0;   // weight of the fade picture
    uint32_t sceneWeight = 0;  // weight of the scene picture
};

class FlightFades {
public:
    // `settings` already fitted to `totalFrames`; `keyframes` of the flight.
    FlightFades(const FadeSettings& settings, int totalFrames, int keyframes);

    int InLeft() const { return inLeft_; }
    int OutLeft() const { return outLeft_; }
    int OutStart() const { return outStart_; }

    // The fade of output frame `f`; counts the frame off the fade it belongs to.
    FadeStep Next(int f);

    // Whether a still copy of the keyframe just written follows as frame `f` (the next frame number):
    // after keyframe 0 while a static fade-in runs; after any other keyframe (and keyframe 0 of a flight
    // of one) written at or after outStart while a static fade-out runs. Never past the last frame T-1.
    bool StillFollows(bool firstKeyframe, int f) const;

private:
    bool FadeOutReached(int f) const;

    FadeSettings settings_;
    int totalFrames_ = 0;
    int keyframes_ = 0;
    int inLeft_ = 0;
    int outLeft_ = 0;
    int outStart_ = 0;
};

// Fades a picture of `height` rows of `width` BGR pixels, rows `stride` bytes apart in `scene` and
// `out` and `fadeStride` apart in `fade` (which may be wider): out = the blend of `fade` and `scene`
// with the step's weights; `scene` copied for FadeKind::None. The three may share no bytes with
// `out` except `out` == `scene`.
void FadePicture(const FadeStep& step, const uint8_t* fade, size_t fadeStride, const uint8_t* scene,
                 uint8_t* out, int width, int height, size_t stride);

// The same with a fade picture of one colour (0x00BBGGRR).
void FadePictureToColour(const FadeStep& step, uint32_t colour, const uint8_t* scene, uint8_t* out, int width,
                         int height, size_t stride);
