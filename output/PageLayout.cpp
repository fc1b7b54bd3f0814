#include "output/PageLayout.h"

#include <climits>
#include <cstdint>

namespace {

// Beyond what a page can hold (100000 mm of a tall view at a high resolution) the value stops at the
// largest int rather than wrapping round.
int DevicePixels(int64_t millimetres, int dpi) {
    const double pixels = static_cast<double>(millimetres) / 25.4 * dpi;
    return pixels >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(pixels);
}

}  // namespace

PageArea PrintedPictureArea(const PrintLayout& layout, int width, int height, int dpiX, int dpiY) {
    PageArea area;
    area.x = DevicePixels(layout.leftMargin, dpiX);
    area.y = DevicePixels(layout.topMargin, dpiY);
    area.width = DevicePixels(layout.printSize, dpiX);
    // 64 bits: 100000 mm times a tall view does not fit in an int.
    const int64_t heightMm = width > 0 ? static_cast<int64_t>(layout.printSize) * height / width : 0;
    area.height = DevicePixels(heightMm, dpiY);
    return area;
}
