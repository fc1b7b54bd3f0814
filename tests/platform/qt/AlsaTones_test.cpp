#include "platform/qt/AlsaTones.h"

#include <gtest/gtest.h>

// Whether a sound device exists depends on the machine; what must hold everywhere is that asking for
// tones never blocks or fails, and that ending the player while tones wait or play ends cleanly.
TEST(AlsaTones, TonesAreQueuedAndThePlayerEndsCleanly) {
    AlsaTones tones;
    tones.Beep(1500, 30);
    tones.Beep(2400, 30);
    tones.Beep(10, 30);   // below the audible range: nothing
    tones.Beep(1000, 0);  // no duration: nothing
    for (int i = 0; i < 50; ++i)
        tones.Beep(500, 100);  // more than wait: the rest dropped
}

TEST(AlsaTones, EndingRightAwayDropsWaitingTones) {
    AlsaTones tones;
    tones.Beep(1000, 10000);
}
