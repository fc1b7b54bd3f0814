#include "scene/SurfaceModes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "scene/SceneObject.h"

namespace {

// Truncation toward zero of a side length; NaN, negative and out-of-range lengths give 0.
unsigned SideLength(float low, float high) {
    const double length = static_cast<double>(high) - low;
    if (!(length > 0.0) || length >= 4294967296.0) return 0;
    return static_cast<unsigned>(length);
}

}  // namespace

SurfaceOffer OfferedSurfaceModes(const SceneObject& object) {
    SurfaceOffer offer;
    int mode = object.surfaceMode;
    if (object.optimized != 0 || object.fileType == kP3gFile) {
        offer.itemCount = kSurfaceModeCount;
    } else if (object.fileType == kCtmFile) {
        offer.itemCount = object.normals != nullptr ? 3 : 2;
        mode = std::min(mode, offer.itemCount - 1);
    } else if (object.fileType == kStlFile) {
        mode = std::min(mode, 1);
    }
    offer.selected = ComboRow(mode, offer.itemCount);
    return offer;
}

int OfferedCapFills(const char* datasetPath) {
    const size_t length = std::strlen(datasetPath);
    if (length < 3) return kCapFillCount - 1;
    char ending[4] = {};
    for (int i = 0; i < 3; ++i)
        ending[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(datasetPath[length - 3 + i])));
    const bool image = std::strcmp(ending, "bmp") == 0 || std::strcmp(ending, "jpg") == 0;
    return image ? kCapFillCount : kCapFillCount - 1;
}

int ComboRow(int value, int itemCount) {
    return value >= 0 && value < itemCount ? value : -1;
}

bool PlateSizeAccepted(unsigned sizeX, unsigned sizeY) {
    return sizeX > kPlateSizeRefused && sizeY > kPlateSizeRefused;
}

void SetPlateSize(SceneObject& plate, unsigned sizeX, unsigned sizeY) {
    const float halfX = static_cast<float>(sizeX / 2.0);
    const float halfY = static_cast<float>(sizeY / 2.0);
    plate.boxMin[0] = -halfX;
    plate.boxMax[0] = halfX;
    plate.boxMin[1] = plate.boxMax[1] = 0.0f;
    plate.boxMin[2] = -halfY;
    plate.boxMax[2] = halfY;
}

unsigned SetDefaultPlateSize(SceneObject& plate, int stageSize) {
    const int half = std::max(stageSize, 0) / 4;
    const unsigned size = 2u * static_cast<unsigned>(half);
    SetPlateSize(plate, size, size);
    return size;
}

void PlateSizeOf(const SceneObject& plate, unsigned& sizeX, unsigned& sizeY) {
    sizeX = SideLength(plate.boxMin[0], plate.boxMax[0]);
    sizeY = SideLength(plate.boxMin[2], plate.boxMax[2]);
}
