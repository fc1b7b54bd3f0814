#pragma once
// How the view's context is requested, and how a software rasteriser is recognised afterwards.

#include <QSurfaceFormat>

// Compatibility profile (fixed-function GL), RGBA 8 bits each, depth 24, stencil 8, double-buffered.
QSurfaceFormat PexoraGLFormat();

// True when a GL_RENDERER text names one of Mesa's software rasterisers (llvmpipe, softpipe,
// swrast, "Software Rasterizer"), in any case. Null: false.
bool IsSoftwareRenderer(const char* renderer);
