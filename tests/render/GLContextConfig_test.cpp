#include "render/GLContextConfig.h"

#include <gtest/gtest.h>

namespace {

TEST(GLContextConfig, CompatibilityFormatWithDepthAndStencil) {
    const QSurfaceFormat format = PexoraGLFormat();
    EXPECT_EQ(format.profile(), QSurfaceFormat::CompatibilityProfile);
    EXPECT_EQ(format.renderableType(), QSurfaceFormat::OpenGL);
    EXPECT_EQ(format.redBufferSize(), 8);
    EXPECT_EQ(format.greenBufferSize(), 8);
    EXPECT_EQ(format.blueBufferSize(), 8);
    EXPECT_EQ(format.alphaBufferSize(), 8);
    EXPECT_EQ(format.depthBufferSize(), 24);
    EXPECT_EQ(format.stencilBufferSize(), 8);
    EXPECT_EQ(format.swapBehavior(), QSurfaceFormat::DoubleBuffer);
}

TEST(GLContextConfig, MesaSoftwareRenderersAreRecognised) {
    EXPECT_TRUE(IsSoftwareRenderer("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(IsSoftwareRenderer("softpipe"));
    EXPECT_TRUE(IsSoftwareRenderer("Mesa X11 swrast"));
    EXPECT_TRUE(IsSoftwareRenderer("Software Rasterizer"));
    EXPECT_TRUE(IsSoftwareRenderer("LLVMPIPE"));
    EXPECT_FALSE(IsSoftwareRenderer("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)"));
    EXPECT_FALSE(IsSoftwareRenderer("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(IsSoftwareRenderer(""));
    EXPECT_FALSE(IsSoftwareRenderer(nullptr));
}

}  // namespace
