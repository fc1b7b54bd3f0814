#include "platform/ToneWave.h"

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

int CountRisingZeroCrossings(const std::vector<int16_t>& samples) {
    int count = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        if (samples[i - 1] < 0 && samples[i] >= 0) ++count;
    return count;
}

}  // namespace

TEST(ToneWave, SineHasTheAskedLengthPitchAndSoftEdges) {
    // 1000 Hz for 500 ms: the wrong-version tone.
    const auto tone = MakeSineTone(1000, 500, 48000);
    ASSERT_EQ(tone.size(), 24000u);
    EXPECT_NEAR(CountRisingZeroCrossings(tone), 500, 1);
    const auto loudest = *std::max_element(tone.begin(), tone.end());
    EXPECT_GE(loudest, 8000);
    EXPECT_LE(loudest, 8191);
    // Faded in and out: the first and last samples are silent, 2.5 ms in is below full amplitude.
    EXPECT_EQ(tone.front(), 0);
    EXPECT_LE(std::abs(tone.back()), 1);
    EXPECT_LT(*std::max_element(tone.begin(), tone.begin() + 120), 4200);

    // 2400 Hz for 30 ms: the mode-switch tone, shorter than two fades is still faded at both ends.
    const auto click = MakeSineTone(2400, 30, 48000);
    ASSERT_EQ(click.size(), 1440u);
    EXPECT_NEAR(CountRisingZeroCrossings(click), 72, 1);
}

TEST(ToneWave, UnplayableRequestsGiveNoSamples) {
    EXPECT_TRUE(MakeSineTone(36, 100, 48000).empty());
    EXPECT_TRUE(MakeSineTone(32768, 100, 48000).empty());
    EXPECT_TRUE(MakeSineTone(1000, 0, 48000).empty());
    EXPECT_TRUE(MakeSineTone(1000, -5, 48000).empty());
    EXPECT_TRUE(MakeSineTone(1000, 100, 0).empty());
    EXPECT_FALSE(IsPlayableTone(500, 0));
    EXPECT_TRUE(IsPlayableTone(37, 1));
    EXPECT_TRUE(IsPlayableTone(32767, 1));
    // Very long requests are cut.
    EXPECT_EQ(MakeSineTone(440, 3600000, 8000).size(), size_t{kToneMaxDurationMs} * 8);
}
