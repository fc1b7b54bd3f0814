#include "flight/FlightFades.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// One written frame of a pass: the keyframe or interpolated frame it shows and how it was faded.
struct Written {
    int source;  // 2k: keyframe k; 2k+1: a frame between keyframes k and k+1
    FadeStep step;
};

// The frame count the flight recorder announces for a flight of `keyframes` with `between` frames
// between two keyframes and the static fades added.
int TotalFrames(int keyframes, int between, const FadeSettings& fades) {
    int total = keyframes + (keyframes - 1) * between;
    if (fades.fadeIn && fades.fadeInStatic) total += fades.fadeInFrames;
    if (fades.fadeOut && fades.fadeOutStatic) total += fades.fadeOutFrames;
    return total;
}

// Plays one pass as the playback drives the export: keyframe 0, then for every further keyframe the
// frames before it and the keyframe; still copies follow keyframes while the fades ask for them.
std::vector<Written> Pass(int keyframes, int between, const FadeSettings& fades) {
    FlightFades counters(fades, TotalFrames(keyframes, between, fades), keyframes);
    std::vector<Written> written;
    auto emit = [&](int source) {
        const int f = static_cast<int>(written.size());
        written.push_back({source, counters.Next(f)});
    };
    auto emitKeyframe = [&](int k) {
        emit(2 * k);
        while (counters.StillFollows(k == 0, static_cast<int>(written.size())))
            emit(2 * k);
    };
    emitKeyframe(0);
    for (int k = 1; k < keyframes; ++k) {
        for (int j = 0; j < between; ++j)
            emit(2 * k - 1);
        emitKeyframe(k);
    }
    return written;
}

FadeSettings FadeIn(int frames, bool still, int from = 0) {
    FadeSettings fades;
    fades.fadeIn = 1;
    fades.fadeInFrames = frames;
    fades.fadeInStatic = still;
    fades.fadeInFrom = from;
    return fades;
}

FadeSettings FadeOut(int frames, bool still, FadeSettings fades = {}) {
    fades.fadeOut = 1;
    fades.fadeOutFrames = frames;
    fades.fadeOutStatic = still;
    return fades;
}

// The fade picture's share of a frame, as a fraction.
double FadeShare(const FadeStep& step) {
    const uint32_t sum = step.fadeWeight + step.sceneWeight;
    return sum == 0 ? 0.0 : static_cast<double>(step.fadeWeight) / sum;
}

TEST(FlightFadeCounters, FollowTheFadeSettings) {
    // Two keyframes, three frames between them, a static fade-out of 4: T = 9.
    const FlightFades staticOut(FadeOut(4, true), 9, 2);
    EXPECT_EQ(staticOut.OutStart(), 4);
    EXPECT_EQ(staticOut.OutLeft(), 5);
    EXPECT_EQ(staticOut.InLeft(), 0);

    const FlightFades movingOut(FadeOut(4, false), 5, 2);
    EXPECT_EQ(movingOut.OutStart(), 1);
    EXPECT_EQ(movingOut.OutLeft(), 4);

    const FlightFades staticIn(FadeIn(3, true), 8, 2);
    EXPECT_EQ(staticIn.InLeft(), 4);
    EXPECT_EQ(staticIn.OutLeft(), 0);
    EXPECT_EQ(staticIn.OutStart(), 0);

    // Lengths without their tick count for nothing.
    FadeSettings unticked = FadeOut(4, true, FadeIn(3, true));
    unticked.fadeIn = unticked.fadeOut = 0;
    const FlightFades none(unticked, 5, 2);
    EXPECT_EQ(none.InLeft(), 0);
    EXPECT_EQ(none.OutLeft(), 0);
    EXPECT_EQ(none.OutStart(), 0);
}

TEST(FlightFadePass, StaticFadeOutRepeatsTheLastKeyframeWithGrowingWeights) {
    const std::vector<Written> frames = Pass(2, 3, FadeOut(4, true));
    ASSERT_EQ(frames.size(), 9u);
    for (int f = 0; f < 4; ++f)
        EXPECT_EQ(frames[f].step.kind, FadeKind::None) << f;
    EXPECT_EQ(frames[0].source, 0);
    EXPECT_EQ(frames[3].source, 1);
    for (int f = 4; f < 9; ++f) {
        EXPECT_EQ(frames[f].source, 2) << f;
        EXPECT_EQ(frames[f].step.kind, FadeKind::Out) << f;
        EXPECT_EQ(frames[f].step.fadeWeight, static_cast<uint32_t>(f - 3)) << f;
        EXPECT_EQ(frames[f].step.fadeWeight + frames[f].step.sceneWeight, 5u) << f;
    }
}

TEST(FlightFadePass, FadeInStartsWithThePureFadePicture) {
    const std::vector<Written> moving = Pass(2, 4, FadeIn(3, false));
    ASSERT_EQ(moving.size(), 6u);
    const uint32_t expected[3][2] = {{3, 0}, {2, 1}, {1, 2}};
    for (int f = 0; f < 3; ++f) {
        EXPECT_EQ(moving[f].step.kind, FadeKind::In);
        EXPECT_EQ(moving[f].step.fadeWeight, expected[f][0]) << f;
        EXPECT_EQ(moving[f].step.sceneWeight, expected[f][1]) << f;
    }
    EXPECT_EQ(moving[1].source, 1);  // a moving fade-in runs over the flight itself
    EXPECT_EQ(moving[3].step.kind, FadeKind::None);

    const std::vector<Written> still = Pass(2, 1, FadeIn(3, true));
    ASSERT_EQ(still.size(), 6u);
    for (int f = 0; f < 4; ++f) {
        EXPECT_EQ(still[f].source, 0) << f;
        EXPECT_DOUBLE_EQ(FadeShare(still[f].step), (4.0 - f) / 4.0) << f;
    }
    EXPECT_EQ(still[4].source, 1);
    EXPECT_EQ(still[4].step.kind, FadeKind::None);
}

// Every combination of small flights and fades: the pass writes exactly the announced frames, starts
// with the pure fade picture, ends on it, and fades strictly monotonically in between.
TEST(FlightFadePass, EveryCombinationWritesTheAnnouncedFramesAndEndsOnTheFadePicture) {
    for (int keyframes = 1; keyframes <= 3; ++keyframes)
        for (int between = 0; between <= 2; ++between)
            for (int in = 0; in <= 3; ++in)
                for (int out = 0; out <= 3; ++out)
                    for (int statics = 0; statics < 4; ++statics) {
                        FadeSettings fades;
                        if (in) fades = FadeIn(in, statics & 1);
                        if (out) fades = FadeOut(out, statics & 2, fades);
                        const int total = TotalFrames(keyframes, between, fades);
                        // Moving fades that overlap each other, or the keyframe of a one-keyframe
                        // flight that the other fade holds still, have no clean end; not the case here.
                        const int base = keyframes + (keyframes - 1) * between;
                        const int movingIn = fades.fadeInStatic ? 0 : in;
                        const int movingOut = fades.fadeOutStatic ? 0 : out;
                        if (movingIn + movingOut > base) continue;
                        if (keyframes == 1 && in && out && (movingIn || movingOut)) continue;
                        const std::vector<Written> frames = Pass(keyframes, between, fades);
                        SCOPED_TRACE(testing::Message()
                                     << keyframes << " keyframes, " << between << " between, in " << in
                                     << ", out " << out << ", statics " << statics);
                        ASSERT_EQ(static_cast<int>(frames.size()), total);
                        if (in) {
                            EXPECT_DOUBLE_EQ(FadeShare(frames.front().step), 1.0);
                        }
                        if (out) {
                            EXPECT_DOUBLE_EQ(FadeShare(frames.back().step), 1.0);
                        }
                        if (!in && !out) {
                            for (const Written& frame : frames)
                                EXPECT_EQ(frame.step.kind, FadeKind::None);
                        }
                        if (out && !in) {
                            // The fade-out never goes back towards the scene.
                            double previous = 0;
                            for (const Written& frame : frames) {
                                EXPECT_GE(FadeShare(frame.step), previous);
                                previous = FadeShare(frame.step);
                            }
                        }
                    }
}

TEST(FlightFadePass, FramesBeyondTheAnnouncedCountKeepThePureFadePicture) {
    // More keyframe files than the recorder counted: T - f - 1 would go negative.
    FlightFades counters(FadeOut(2, false), 3, 2);
    EXPECT_EQ(counters.Next(0).kind, FadeKind::None);
    EXPECT_EQ(counters.Next(1).fadeWeight, 1u);
    const FadeStep last = counters.Next(2);
    EXPECT_EQ(last.sceneWeight, 0u);
    EXPECT_EQ(counters.Next(3).kind, FadeKind::None);  // the fade is used up
    FlightFades longer(FadeOut(3, true), 4, 2);
    EXPECT_FALSE(longer.StillFollows(false, 4));  // no still frame past T - 1

    // Fades longer than the flight start nowhere.
    FadeSettings fades = FadeOut(5, true, FadeIn(2, true));
    FlightFades tooLong(fades, 3, 2);
    EXPECT_LT(tooLong.OutStart(), 0);
    tooLong.Next(0);
    tooLong.Next(1);
    tooLong.Next(2);
    EXPECT_EQ(tooLong.Next(3).kind, FadeKind::None);
}

TEST(BlendPixel, TruncatesAndWeighsEachByte) {
    const uint8_t a[3] = {255, 0, 10};
    const uint8_t b[3] = {0, 255, 11};
    uint8_t out[3];
    BlendPixel(a, b, 1, 2, out);
    EXPECT_EQ(out[0], 85);   // 255 / 3
    EXPECT_EQ(out[1], 170);  // 510 / 3
    EXPECT_EQ(out[2], 10);   // 32 / 3 truncated
    BlendPixel(a, b, 5, 0, out);
    EXPECT_EQ(out[0], 255);
    EXPECT_EQ(out[2], 10);
    BlendPixel(a, b, 0, 0, out);  // no weight at all keeps the scene
    EXPECT_EQ(out[1], 255);
    BlendPixel(a, b, 1000, 1000, out);
    EXPECT_EQ(out[0], 127);
}

TEST(FadePictures, BlendRowsAndLeaveRowPaddingAlone) {
    // Two rows of one pixel, rows padded to 4 bytes.
    const size_t stride = 4;
    const std::vector<uint8_t> scene = {100, 200, 50, 7, 0, 30, 90, 7};
    const std::vector<uint8_t> empty = {0, 0, 0, 9, 255, 255, 255, 9};
    std::vector<uint8_t> out(8, 1);
    FadePicture({FadeKind::In, 1, 1}, empty.data(), stride, scene.data(), out.data(), 1, 2, stride);
    EXPECT_EQ(out, (std::vector<uint8_t>{50, 100, 25, 1, 127, 142, 172, 1}));
    // A wider fade picture: its leftmost pixels count.
    const std::vector<uint8_t> wide = {0, 0, 0, 5, 5, 5, 255, 255, 255, 5, 5, 5};
    FadePicture({FadeKind::In, 1, 1}, wide.data(), 6, scene.data(), out.data(), 1, 2, stride);
    EXPECT_EQ(out, (std::vector<uint8_t>{50, 100, 25, 1, 127, 142, 172, 1}));

    // 0x00BBGGRR: red in the low byte, written last of the three.
    std::vector<uint8_t> coloured(8, 1);
    FadePictureToColour({FadeKind::Out, 3, 0}, 0x00102030, scene.data(), coloured.data(), 1, 2, stride);
    EXPECT_EQ(coloured, (std::vector<uint8_t>{0x10, 0x20, 0x30, 1, 0x10, 0x20, 0x30, 1}));
    FadePictureToColour({FadeKind::Out, 1, 3}, 0x00FF0000, scene.data(), coloured.data(), 1, 2, stride);
    EXPECT_EQ(coloured[0], (255 + 300) / 4);
    EXPECT_EQ(coloured[2], 150 / 4);

    std::vector<uint8_t> copied(8, 1);
    FadePictureToColour({}, 0x00FFFFFF, scene.data(), copied.data(), 1, 2, stride);
    EXPECT_EQ(copied, (std::vector<uint8_t>{100, 200, 50, 1, 0, 30, 90, 1}));
}

TEST(FadePictures, WholeFramesBlendExactlyAsBlendPixel) {
    // Every pairing of two bytes, as 65536 pixels of grey.
    std::vector<uint8_t> fade, scene;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            fade.insert(fade.end(), 3, static_cast<uint8_t>(a));
            scene.insert(scene.end(), 3, static_cast<uint8_t>(b));
        }
    const int width = 256, height = 256;
    const size_t stride = width * 3;
    std::vector<uint8_t> out(scene.size());
    // Small and odd sums, sums at the limit of the fast path, and beyond it.
    const std::pair<uint32_t, uint32_t> weights[] = {
        {1, 0}, {1, 2}, {2, 5}, {7, 993}, {500, 501}, {65000, 792}, {65790, 2}, {70000, 12345}, {0, 0}};
    for (auto [wa, wb] : weights) {
        FadePicture({FadeKind::Out, wa, wb}, fade.data(), stride, scene.data(), out.data(), width, height,
                    stride);
        for (size_t i = 0; i < out.size(); i += 3) {
            uint8_t expected[3];
            BlendPixel(&fade[i], &scene[i], wa, wb, expected);
            ASSERT_EQ(out[i], expected[0]) << wa << ":" << wb << " at " << i;
        }
    }
}

}  // namespace
