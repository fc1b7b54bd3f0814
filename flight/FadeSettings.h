#pragma once
// The fades of a saved flight as the flight recorder sets them: how many frames fade in from the empty
// stage or a colour, how many fade out to one, and whether they are extra still frames.

#include <cstdint>

struct FadeSettings {
    int fadeIn = 0;              // "fade-in frames" ticked
    int fadeInFrames = 0;        // 0 .. 1000
    int fadeInStatic = 0;        // the fade-in adds still frames of the first keyframe
    int fadeInFrom = 0;          // 0: from the empty stage, 1: from fadeInColour
    uint32_t fadeInColour = 0;   // 0x00BBGGRR
    int fadeOut = 0;             // "fade-out frames" ticked
    int fadeOutFrames = 0;       // 0 .. 1000
    int fadeOutStatic = 0;       // the fade-out adds still frames of the last keyframe
    int fadeOutTo = 0;           // 0: to the empty stage, 1: to fadeOutColour
    uint32_t fadeOutColour = 0;  // 0x00BBGGRR
};
