#include "geometry/CapChain.h"

#include "scene/CutCap.h"

CutCap* AppendCap(CutCap* first, int64_t* triangles, int64_t count) {
    CutCap* last = first;
    while (last->next != nullptr)
        last = last->next;
    if (last->triangles != nullptr) {
        CutCap* cap = new CutCap;
        cap->prev = last;
        last->next = cap;
        last = cap;
    }
    last->triangles = triangles;
    last->triangleCount = count;
    return last;
}
