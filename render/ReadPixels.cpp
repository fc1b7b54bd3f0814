#include "render/ReadPixels.h"

#include <GL/gl.h>

size_t BgrStride(int width) {
    if (width <= 0) return 0;
    return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}

int ReadFramebufferBgr(int width, int height, uint8_t* buffer, size_t size) {
    if (width <= 0 || height <= 0 || buffer == nullptr) return 0;
    if (size / BgrStride(width) < static_cast<size_t>(height)) return 0;
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, buffer);
    return 1;
}
