#include "scene/DuplicateModel.h"

#include <algorithm>
#include <memory>
#include <new>

#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"

namespace {

// Releases a chain made here: no display list or texture belongs to it yet.
void FreeCopiedCaps(CutCap* cap) {
    while (cap != nullptr) {
        CutCap* next = cap->next;
        delete[] cap->triangles;
        delete[] cap->pixels;
        delete cap;
        cap = next;
    }
}

// A copy of the chain from `first`, without display lists and textures; throws std::bad_alloc after
// releasing what it made.
CutCap* CopyCapChain(const CutCap* first) {
    CutCap* head = nullptr;
    CutCap* last = nullptr;
    try {
        for (const CutCap* cap = first; cap != nullptr; cap = cap->next) {
            auto copy = std::make_unique<CutCap>(*cap);
            copy->triangles = nullptr;
            copy->pixels = nullptr;
            copy->displayList = 0;
            copy->textureName = 0;
            copy->prev = last;
            copy->next = nullptr;
            if (cap->triangles != nullptr && cap->triangleCount > 0) {
                const size_t indices = size_t(cap->triangleCount) * 3;
                copy->triangles = new int64_t[indices];
                std::copy_n(cap->triangles, indices, copy->triangles);
            }
            if (cap->pixels != nullptr && cap->textureWidth > 0 && cap->textureHeight > 0) {
                const size_t bytes = size_t(cap->textureWidth) * size_t(cap->textureHeight) * 3;
                try {
                    copy->pixels = new uint8_t[bytes];
                } catch (const std::bad_alloc&) {
                    delete[] copy->triangles;
                    throw;
                }
                std::copy_n(cap->pixels, bytes, copy->pixels);
            }
            CutCap* linked = copy.release();
            (last != nullptr ? last->next : head) = linked;
            last = linked;
        }
    } catch (const std::bad_alloc&) {
        FreeCopiedCaps(head);
        throw;
    }
    return head;
}

}  // namespace

int DuplicateModel(Scene& scene, int source) {
    const int count = scene.state.count;
    if (source < 1 || source >= count || count + 1 >= kRecordCount) return 0;
    const SceneObject& original = scene.objects[source];
    std::unique_ptr<Poly3gon> mesh;
    std::unique_ptr<float[]> normals;
    CutCap* caps = nullptr;
    try {
        if (original.mesh != nullptr) mesh = std::make_unique<Poly3gon>(*original.mesh);
        if (original.normals != nullptr && original.mesh != nullptr) {
            const size_t floats = size_t(original.mesh->vertexCount) * 3;
            normals.reset(new float[floats]);
            std::copy_n(original.normals, floats, normals.get());
        }
        caps = CopyCapChain(original.caps);
    } catch (const std::bad_alloc&) {
        return 0;
    }

    scene.CopyObject(count, count + 1);
    scene.CopyObject(source, count);
    SceneObject& copy = scene.objects[count];
    copy.serial = NextRecordSerial();
    copy.mesh = mesh.release();
    copy.normals = normals.release();
    copy.caps = caps;
    copy.listBase = 0;
    copy.listCount = 1;
    // Releasing a record deletes its backup file, which stays the original's.
    copy.backupPath[0] = '\0';
    scene.state.count = count + 1;
    return count;
}
