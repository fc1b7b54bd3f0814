#pragma once
// One flat cap closing a cut opening. The first 160 bytes are a fixed record stored byte for byte
// in the keyframe mesh snapshots; the fields after them exist only in memory.

#include <cstddef>
#include <cstdint>

class SceneGraphics;

struct CutCap {
    // --- fixed 160-byte head ---
    float texSpanS = 1.0f;     // texture-space length of the cap's x extent
    float texSpanT = 1.0f;     // texture-space length of the cap's z extent
    float objectScale = 1.0f;  // object's scale at the last textured cut
    float plateScale = 1.0f;   // plate's scale at that cut
    int32_t texMinX = 0;       // lower x bound of the cap in plate coordinates
    int32_t planeHeight = 0;   // plate-coordinate height of the cap plane, rounded
    int32_t texMinZ = 0;       // lower z bound of the cap in plate coordinates
    float objectPosition[3] = {0, 0, 0};
    float objectRotation[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};  // row by row
    float platePosition[3] = {0, 0, 0};
    float plateRotationT[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};  // transpose of the plate's rotation, row by row
    int32_t fill = 0;                   // 0 object colour, 1 plate colour, 2 image texture
    uint8_t fillColour[3] = {0, 0, 0};  // red, green, blue for fills 0 and 1
    uint8_t reserved = 0;
    float fillDiffuse = 0.0f;
    float fillReflection = 0.0f;
    float fillEmission = 0.0f;
    int64_t triangleCount = 0;
    int32_t textureWidth = 0;  // texels; 0 when there is no texture
    int32_t textureHeight = 0;

    // --- in memory only ---
    // Arrays are allocated with new[] and released with delete[] by DestroyCapChain.
    int64_t* triangles = nullptr;  // triangleCount*3 vertex indices into the object's mesh vertices
    uint8_t* pixels = nullptr;     // textureWidth*textureHeight*3 bytes, RGB, row by row
    uint32_t displayList = 0;      // 0: none
    uint32_t textureName = 0;      // 0: none
    CutCap* prev = nullptr;
    CutCap* next = nullptr;
};

inline constexpr size_t kCutCapHeadSize = 160;

// Bounds of a cap in plate coordinates, in whole units.
struct CapPlateBounds {
    int32_t minX;
    int32_t minZ;
    int32_t maxX;
    int32_t maxZ;
    int32_t planeHeight;  // plate-coordinate height of the first corner, rounded
};

// What an uploaded cap texture stretches the cap's spans by: the padded size over the image size
// along plate x (s) and z (t); 1 for a cap without texture.
struct CapTextureFactors {
    float s = 1.0f;
    float t = 1.0f;
};

static_assert(offsetof(CutCap, texSpanS) == 0);
static_assert(offsetof(CutCap, texSpanT) == 4);
static_assert(offsetof(CutCap, objectScale) == 8);
static_assert(offsetof(CutCap, plateScale) == 12);
static_assert(offsetof(CutCap, texMinX) == 16);
static_assert(offsetof(CutCap, planeHeight) == 20);
static_assert(offsetof(CutCap, texMinZ) == 24);
static_assert(offsetof(CutCap, objectPosition) == 28);
static_assert(offsetof(CutCap, objectRotation) == 40);
static_assert(offsetof(CutCap, platePosition) == 76);
static_assert(offsetof(CutCap, plateRotationT) == 88);
static_assert(offsetof(CutCap, fill) == 124);
static_assert(offsetof(CutCap, fillColour) == 128);
static_assert(offsetof(CutCap, reserved) == 131);
static_assert(offsetof(CutCap, fillDiffuse) == 132);
static_assert(offsetof(CutCap, fillReflection) == 136);
static_assert(offsetof(CutCap, fillEmission) == 140);
static_assert(offsetof(CutCap, triangleCount) == 144);
static_assert(offsetof(CutCap, textureWidth) == 152);
static_assert(offsetof(CutCap, textureHeight) == 156);
static_assert(offsetof(CutCap, triangles) == kCutCapHeadSize);

// Destroys `cap` and every cap after it in the chain (iteratively: chains may be long): frees the
// arrays, deletes display lists and textures through `graphics`, and unlinks `cap` from its
// predecessor so the remaining chain stays valid. Null: nothing.
void DestroyCapChain(CutCap* cap, SceneGraphics& graphics);

// Gives every cap from `first` on that carries pixels but no texture its texture (UploadCapPixels).
void UploadCapChainTextures(CutCap* first, SceneGraphics& graphics);
