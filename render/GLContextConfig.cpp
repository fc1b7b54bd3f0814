#include "render/GLContextConfig.h"

#include <QByteArray>

QSurfaceFormat PexoraGLFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

bool IsSoftwareRenderer(const char* renderer) {
    if (renderer == nullptr) return false;
    const QByteArray name = QByteArray(renderer).toLower();
    for (const char* software : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (name.contains(software)) return true;
    }
    return false;
}
