#include "scene/CutCap.h"

#include "scene/SceneGraphics.h"

void UploadCapChainTextures(CutCap* first, SceneGraphics& graphics) {
    for (CutCap* cap = first; cap != nullptr; cap = cap->next)
        if (cap->pixels != nullptr && cap->textureName == 0) graphics.UploadCapPixels(*cap);
}

void DestroyCapChain(CutCap* cap, SceneGraphics& graphics) {
    if (cap == nullptr) return;
    if (cap->prev != nullptr) cap->prev->next = nullptr;
    while (cap != nullptr) {
        CutCap* next = cap->next;
        delete[] cap->triangles;
        delete[] cap->pixels;
        if (cap->displayList != 0) graphics.DeleteLists(cap->displayList, 1);
        if (cap->textureName != 0) graphics.DeleteTexture(cap->textureName);
        delete cap;
        cap = next;
    }
}
