#pragma once
// Which surface modes and cap fills the Objects dialog offers for an object, and the plate sizes it
// accepts. Both combo boxes list their texts in the order of the record values, so an item's row is
// the value it stands for.

#include <cstdint>

struct SceneObject;

inline constexpr int kSurfaceModeCount = 4;
inline constexpr const char* kSurfaceModeNames[kSurfaceModeCount] = {"Wire model", "Triangular facets",
                                                                     "Normal surface", "Smooth surface"};
inline constexpr int kCapFillCount = 3;
inline constexpr const char* kCapFillNames[kCapFillCount] = {"Object color", "Plate color", "Image texture"};

// The surface combo for one object: how many of the modes it lists and which row is selected
// (-1: none). The stored surface mode itself is not changed by showing it.
struct SurfaceOffer {
    int itemCount = 2;
    int selected = -1;
};

// Modes offered: all four for shared vertices or a .p3g source; without shared vertices a .ctm
// offers three when the file had normals (selecting at most "Normal surface"), else two, and an .stl
// two (selecting at most "Triangular facets"); any other source (the plate) two with its mode as it
// is. A mode beyond the listed items selects nothing.
SurfaceOffer OfferedSurfaceModes(const SceneObject& object);

// Number of cap fills offered: "Image texture" only when `datasetPath` ends in "bmp" or "jpg",
// compared without regard to case.
int OfferedCapFills(const char* datasetPath);

// The row to select in a combo of `itemCount` items for `value`; -1 when it is not listed.
int ComboRow(int value, int itemCount);

// Smallest plate side the plate group accepts; 10 or less is refused.
inline constexpr unsigned kPlateSizeRefused = 10;
// Whether the typed plate size is taken: both sides above 10.
bool PlateSizeAccepted(unsigned sizeX, unsigned sizeY);
// The plate's extent from a size: x from -X/2 to X/2, y 0, z from -Y/2 to Y/2.
void SetPlateSize(SceneObject& plate, unsigned sizeX, unsigned sizeY);
// "Default": x and z from -h to h with h = stageSize / 4 (integer division), y 0. Returns 2h, the
// size both edits then show (0 for a stage of no positive size).
unsigned SetDefaultPlateSize(SceneObject& plate, int stageSize);
// The plate's sides as the Size edits show them: the box width along x and depth along z, each
// truncated toward zero (0 for a negative, empty or unreadable extent).
void PlateSizeOf(const SceneObject& plate, unsigned& sizeX, unsigned& sizeY);
