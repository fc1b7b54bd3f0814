#pragma once
// Run-time display state the main frame owns and the view reads on every paint.

#include <cstdint>
#include <vector>

struct DisplayState {
    int moveObjects = 1;      // 1: movements act on the objects, 0: on the camera
    int stereo = 0;           // red/cyan stereo
    int fogOn = 0;            // "Add fog"
    int playing = 0;          // a flight is being played or exported
    int saveFlightFiles = 0;  // the flight recorder's "save files": playing a flight writes it out
    int startedWithModel = 0;
    int viewWidth = 0;
    int viewHeight = 0;
    uint32_t backgroundList = 0;
    uint32_t axesList = 0;
    // View-sized picture: 3 bytes per pixel in blue, green, red order, rows bottom-up, rows padded to 4
    // bytes.
    std::vector<uint8_t> screenImage;
};
