#pragma once
// Cap textures: a cap's RGB image in an OpenGL texture.

#include "scene/CutCap.h"

// The smallest power of two at least `extent` and at least 2: the side of the texture an image side
// of `extent` texels is padded to (textures of old drivers must have power-of-two sides).
int CapTextureSide(int extent);

// Replaces the cap's texture by one made from its `pixels`: nearest filtering, clamped, the image in
// the lower-left corner of a power-of-two texture. Returns the padded size over the image size along
// s and t; a cap without pixels gets no texture and factors 1. Needs the cap's context current.
CapTextureFactors UploadCapTexture(CutCap& cap);
