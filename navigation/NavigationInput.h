#pragma once
// Plain input events of the view and what the window must do after one. The Qt adapter translates
// its events into these calls, so tests replay input without a window.

enum class MouseButton { Left, Right };

// Windows virtual-key codes of the letter keys that move the movable objects (the turning keys are
// in CBallController.h).
inline constexpr int kKeyU = 0x55;  // up
inline constexpr int kKeyD = 0x44;  // down
inline constexpr int kKeyL = 0x4C;  // left
inline constexpr int kKeyR = 0x52;  // right
inline constexpr int kKeyF = 0x46;  // toward the viewer
inline constexpr int kKeyB = 0x42;  // away from the viewer

// What happens to the mouse capture after an event.
enum class MouseCapture { Keep, Take, Release };

struct Tone {
    int frequencyHz = 0;
    int durationMs = 0;
};

// Double-click tones: entering Move Object(s) and entering Move Camera.
inline constexpr Tone kMoveObjectsTone{2400, 30};
inline constexpr Tone kMoveCameraTone{800, 30};

struct NavigationResponse {
    bool repaint = false;
    MouseCapture capture = MouseCapture::Keep;
    bool playTone = false;
    Tone tone;
};
