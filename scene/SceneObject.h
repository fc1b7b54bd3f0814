#pragma once
// Scene header and object record. Both layouts are stored in scene and keyframe files, so every
// field sits at a fixed offset (checked below); files are written field by field, never by memcpy.

#include <cstddef>
#include <cstdint>
#include <string>

class Poly3gon;
struct CutCap;

// A number no other record made in this process carries, for the default member initialiser below.
uint64_t NextRecordSerial();

inline constexpr int kRecordCount = 128;        // camera, up to 126 models, plate
inline constexpr size_t kRecordHeadSize = 432;  // leading bytes of a record stored in keyframes
inline constexpr size_t kRecordSize = 1312;     // bytes of a record stored in scene files
inline constexpr size_t kTextSize = 260;        // zero-terminated 8-bit texts in records

// Scene header: the first 56 bytes of every keyframe file and scene file.
struct SceneState {
    double cameraDistance = 0.0;                         // extra camera distance along the viewing axis
    int32_t fogIntensity = 20;                           // fog density in units of 1e-5
    float lightPosition[4] = {-0.5f, 0.5f, 1.0f, 0.0f};  // x, y, z, w
    float lightColour[4] = {0.8f, 0.8f, 0.8f, 1.0f};     // red, green, blue, alpha
    int32_t count = 1;                                   // index of the plate record = models + 1
    int32_t fieldOfView = 70;                            // vertical viewing angle, degrees, 10..170
    float aspect = 0.0f;                                 // view width / view height
};

static_assert(sizeof(SceneState) == 56);
static_assert(offsetof(SceneState, cameraDistance) == 0);
static_assert(offsetof(SceneState, fogIntensity) == 8);
static_assert(offsetof(SceneState, lightPosition) == 12);
static_assert(offsetof(SceneState, lightColour) == 28);
static_assert(offsetof(SceneState, count) == 44);
static_assert(offsetof(SceneState, fieldOfView) == 48);
static_assert(offsetof(SceneState, aspect) == 52);

// Source formats as stored in a record's `fileType`.
inline constexpr int kNoModelFile = -1;
inline constexpr int kP3gFile = 0;
inline constexpr int kCtmFile = 1;
inline constexpr int kStlFile = 2;

// One scene record: index 0 the camera, 1..count-1 the models, count the plate.
// A default-constructed record carries the initial values of InitObject with quaternion (1,0,0,0).
// mesh, normals and caps are owned; normals and cap arrays are allocated with new[]. The first
// kRecordSize bytes are the stored layout; what follows lives in memory only.
struct SceneObject {
    int32_t visible = 0;
    int32_t centered = 0;   // 1: vertices stored shifted by `centre` so the box centre is at the origin
    int32_t optimized = 0;  // 1: indexed mesh with shared vertices
    uint8_t colour[4] = {128, 128, 128, 255};  // red, green, blue, opacity (255 opaque)
    float diffuse = 0.8f;
    float reflection = 0.1f;
    float emission = 0.1f;
    int16_t surfaceMode = 1;  // 0 wire, 1 facets, 2 normal surface, 3 smooth surface
    uint8_t padding30[2] = {0, 0};
    float position[3] = {0, 0, 0};  // translation in the object's scaled frame
    float scale = 1.0f;
    int32_t showAxes = 0;
    int32_t showBox = 0;
    int32_t recutOnKeyframe = 0;
    int32_t capFill = 0;                              // 0 object colour, 1 plate colour, 2 image texture
    float rotation[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};  // rotation as GL applies it, row by row
    uint8_t padding100[4] = {0, 0, 0, 0};
    int64_t lastCutKey[4] = {0, 0, 0, 0};  // quantised plane of the last cut
    float quaternion[4] = {1, 0, 0, 0};    // w, x, y, z copied from the ball controller
    char backupPath[kTextSize] = {};       // mesh snapshot file ("~CM..."); empty: none
    float pixelSize = 0.0f;                // voxel size of the dataset; 0: none
    int32_t postfixLength = 4;             // digits of the slice index in dataset file names
    int32_t unit = 0;                      // length unit code of pixelSize
    int32_t tickFactor = 1;                // bounding-box tick spacing factor 1..10
    uint8_t padding428[4] = {0, 0, 0, 0};
    // --- end of the record head (kRecordHeadSize) ---
    Poly3gon* mesh = nullptr;
    float* normals = nullptr;  // 3 floats per mesh vertex, from .ctm files
    CutCap* caps = nullptr;    // first cap of the chain
    int32_t movable = 1;
    int32_t fileType = kNoModelFile;
    int64_t vertexCount = 0;  // 0: no geometry, never drawn
    int64_t facetCount = 0;   // mesh facets plus all cap triangles
    char name[kTextSize] = {};
    char location[kTextSize] = {};
    char datasetPath[kTextSize] = {};
    uint32_t listBase = 0;  // first surface display list; 0: none
    int32_t listCount = 1;
    int32_t topCut = 1;
    float centre[3] = {0, 0, 0};  // shift removed from the vertices while centered
    float boxMin[3] = {0, 0, 0};
    float boxMax[3] = {0, 0, 0};
    uint8_t padding1308[4] = {0, 0, 0, 0};
    // --- end of the stored record (kRecordSize) ---
    // The model file's whole path, which Restore reads again; `location` holds it only when it fits.
    std::string modelPath;
    // Tells this record apart from every other one while it moves between slots (CopyObject carries it
    // along, InitObject gives the slot a new one): dialogs find the record they edit again by it.
    uint64_t serial = NextRecordSerial();
};

static_assert(sizeof(void*) == 8, "record layout assumes 64-bit pointers");
static_assert(offsetof(SceneObject, modelPath) == kRecordSize);
static_assert(offsetof(SceneObject, visible) == 0);
static_assert(offsetof(SceneObject, centered) == 4);
static_assert(offsetof(SceneObject, optimized) == 8);
static_assert(offsetof(SceneObject, colour) == 12);
static_assert(offsetof(SceneObject, diffuse) == 16);
static_assert(offsetof(SceneObject, reflection) == 20);
static_assert(offsetof(SceneObject, emission) == 24);
static_assert(offsetof(SceneObject, surfaceMode) == 28);
static_assert(offsetof(SceneObject, padding30) == 30);
static_assert(offsetof(SceneObject, position) == 32);
static_assert(offsetof(SceneObject, scale) == 44);
static_assert(offsetof(SceneObject, showAxes) == 48);
static_assert(offsetof(SceneObject, showBox) == 52);
static_assert(offsetof(SceneObject, recutOnKeyframe) == 56);
static_assert(offsetof(SceneObject, capFill) == 60);
static_assert(offsetof(SceneObject, rotation) == 64);
static_assert(offsetof(SceneObject, padding100) == 100);
static_assert(offsetof(SceneObject, lastCutKey) == 104);
static_assert(offsetof(SceneObject, quaternion) == 136);
static_assert(offsetof(SceneObject, backupPath) == 152);
static_assert(offsetof(SceneObject, pixelSize) == 412);
static_assert(offsetof(SceneObject, postfixLength) == 416);
static_assert(offsetof(SceneObject, unit) == 420);
static_assert(offsetof(SceneObject, tickFactor) == 424);
static_assert(offsetof(SceneObject, padding428) == 428);
static_assert(offsetof(SceneObject, mesh) == kRecordHeadSize);
static_assert(offsetof(SceneObject, normals) == 440);
static_assert(offsetof(SceneObject, caps) == 448);
static_assert(offsetof(SceneObject, movable) == 456);
static_assert(offsetof(SceneObject, fileType) == 460);
static_assert(offsetof(SceneObject, vertexCount) == 464);
static_assert(offsetof(SceneObject, facetCount) == 472);
static_assert(offsetof(SceneObject, name) == 480);
static_assert(offsetof(SceneObject, location) == 740);
static_assert(offsetof(SceneObject, datasetPath) == 1000);
static_assert(offsetof(SceneObject, listBase) == 1260);
static_assert(offsetof(SceneObject, listCount) == 1264);
static_assert(offsetof(SceneObject, topCut) == 1268);
static_assert(offsetof(SceneObject, centre) == 1272);
static_assert(offsetof(SceneObject, boxMin) == 1284);
static_assert(offsetof(SceneObject, boxMax) == 1296);
static_assert(offsetof(SceneObject, padding1308) == 1308);

// Stores `text` in a record text field, cut to 259 bytes and zero-terminated.
void SetRecordText(char (&field)[kTextSize], const char* text);

// Sets the record's model file path: `modelPath` keeps it whole; `location` receives it only when it
// fits (at most 259 bytes), a path that does not is refused there and leaves it empty rather than
// naming another file. Returns whether `location` holds the path.
bool SetRecordLocation(SceneObject& record, const std::string& path);

// The path the record names as its source: `modelPath`, or the `location` text when it has none
// (the plate's "(internal)").
std::string RecordLocation(const SceneObject& record);
