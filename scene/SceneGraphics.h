#pragma once
// What core scene operations need from the GPU and the user-interface side.
// render/ implements it; tests use a recording fake.

#include <cstdint>
#include <string>

#include "scene/CutCap.h"

class SceneGraphics {
public:
    virtual ~SceneGraphics() = default;
    // Deletes `count` consecutive display lists starting at `base` (base 0 or count <= 0: nothing),
    // with the lists nested in them.
    virtual void DeleteLists(uint32_t base, int32_t count) = 0;
    // Nests the `count` lists from `base` on in the list `caller`, which calls them: they are deleted
    // with it. A graphics side without display lists has none to nest.
    virtual void NestLists(uint32_t /*caller*/, uint32_t /*base*/, int32_t /*count*/) {}
    // Deletes one texture object (name 0: nothing).
    virtual void DeleteTexture(uint32_t name) = 0;
    // Draws a progress bar of `percent` (1..100) with a label in status-bar pane 3; 0 clears the pane.
    virtual void ShowProgress(int percent, const std::string& text) = 0;
    // Compiles the surface and cap display lists of record `index` from its mesh, normals and caps.
    // Returns 0 when the record has no mesh or nothing can be built, otherwise 1. A graphics side
    // without display lists (a scene being torn down, a headless tool) builds nothing.
    virtual int BuildSurfaceLists(int /*index*/) { return 0; }
    // Paints `cap`, the last cap of model record `index` with the plate-coordinate `bounds`, with the
    // section of the record's CT dataset and uploads it as the cap's texture; returns the texture's
    // factors. The cap has no texture when this is called. Without a dataset, or on a graphics side
    // without textures, the cap stays untextured and the factors are 1.
    virtual CapTextureFactors TextureCap(int /*index*/, CutCap& /*cap*/, const CapPlateBounds& /*bounds*/) {
        return {};
    }
    // Uploads the texture of `cap` from the pixels it already carries (a cap read back or copied, which
    // has no texture yet); its spans already account for the padding. A graphics side without
    // textures does nothing.
    virtual void UploadCapPixels(CutCap& /*cap*/) {}
};
