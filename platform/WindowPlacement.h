#pragma once
// Stored screen placement of a window: its outer bounds in four 32-bit values of its own section,
// and the arithmetic that decides whether stored bounds may be used.

#include <cstdint>
#include <string>

class SettingsStore;

// Outer bounds in screen coordinates; right and bottom lie one past the last pixel.
struct PlacementRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const PlacementRect&) const = default;
};

// The virtual screen (all monitors together).
struct ScreenArea {
    int32_t x0 = 0;
    int32_t y0 = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// `current` with each side replaced by the value stored in `section`, when that value exists.
PlacementRect ReadPlacement(SettingsStore& store, const std::string& section, PlacementRect current);

// Writes the four sides to `section`; false when any write failed.
bool WritePlacement(SettingsStore& store, const std::string& section, const PlacementRect& bounds);

// Whether stored bounds may be applied: left >= X0, top >= Y0, right <= X0 + B + W, bottom <= Y0 + C + H,
// with B and C the horizontal and vertical frame border widths; an empty or inverted rectangle never fits.
bool PlacementFitsScreen(const PlacementRect& bounds, const ScreenArea& screen, int32_t borderX,
                         int32_t borderY);

// The bounds of a maximised window shrunk by the border widths on each side.
PlacementRect ShrinkMaximised(const PlacementRect& bounds, int32_t borderX, int32_t borderY);
