#pragma once
// The values the Preferences dialog edits, gathered from their owners (frame settings, view,
// application, settings store), with the rules of the dialog: the clamp of the Apply-button limit
// while it is typed and what follows an OK.

#include <optional>
#include <string_view>

struct ProgramSettings;

struct PreferenceValues {
    int glAccelerator = 0;        // application: takes effect after a restart
    int sound = 1;                // frame
    int plateVisible = 0;         // "Settings"/"PlateVisible" in the store
    int logOpacity = 0;           // frame
    int lookAt = 1;               // frame: view from rising ground
    int applyButtonLimit = 3;     // frame: million facets, 1..9
    int drawBoxesWhenMoving = 0;  // view
    float arrowLength = 50.0f;    // frame, units
    int jpegQuality = 100;        // frame, 0..100 percent
    int aviFramerate = 10;        // frame, 1..25 frames per second
    int mouseWheel = 0;           // frame: 0 far on turning forward, 1 close
};

inline constexpr int kApplyButtonLimitMin = 1;
inline constexpr int kApplyButtonLimitMax = 9;
inline constexpr int kJpegQualityMin = 0;
inline constexpr int kJpegQualityMax = 100;
inline constexpr int kAviFramerateMin = 1;
inline constexpr int kAviFramerateMax = 25;

inline constexpr const char* kRestartQuestion =
    "Please restart program to apply hardware acceleration status.\n"
    "Close program now (Yes) or continue with old settings (No)?";

// What the Apply-button limit edit shows once its text changed to `text`: the integer raised to 1 or
// lowered to 9; nothing when the text is no integer (it stays as typed, and OK refuses it).
std::optional<int> ClampedApplyButtonLimit(std::string_view text);

// The frame's and the view's values, with the owners' values passed in.
PreferenceValues CurrentPreferences(const ProgramSettings& settings, int drawBoxesWhenMoving,
                                    int glAccelerator, int plateVisible);

// Stores the frame-owned values (sound, mouse wheel, arrow length, Apply-button limit, JPEG quality,
// frame rate, logarithmic opacity, view from rising ground) into `settings`.
void StorePreferences(const PreferenceValues& chosen, ProgramSettings& settings);

// What follows an OK once the values are stored.
struct PreferenceFollowUp {
    bool askRestart = false;  // the accelerator choice changed: ask the restart question
    bool repaint = false;     // the viewpoint changed: repaint, unless the program is closing
};
PreferenceFollowUp FollowUpOf(const PreferenceValues& before, const PreferenceValues& chosen);
