#include "geometry/CapChain.h"

#include <gtest/gtest.h>

#include "scene/CutCap.h"
#include "support/RecordingSceneGraphics.h"

TEST(CapChain, AppendCapFillsAnUnusedLastCapOrAddsOne) {
    RecordingSceneGraphics graphics;
    CutCap* first = new CutCap;
    int64_t* a = new int64_t[3]{0, 1, 2};
    EXPECT_EQ(AppendCap(first, a, 1), first);  // a fresh cap without an array takes the triangles
    EXPECT_EQ(first->triangles, a);
    EXPECT_EQ(first->triangleCount, 1);
    int64_t* b = new int64_t[6]{0, 1, 2, 2, 3, 0};
    CutCap* second = AppendCap(first, b, 2);
    EXPECT_NE(second, first);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(second->triangleCount, 2);
    EXPECT_FLOAT_EQ(second->texSpanS, 1.0f);  // a new cap's defaults
    // A cap emptied by a later cut keeps an empty array and is not reused.
    delete[] second->triangles;
    second->triangles = new int64_t[0];
    second->triangleCount = 0;
    CutCap* third = AppendCap(first, new int64_t[3]{4, 5, 6}, 1);
    EXPECT_EQ(second->next, third);
    DestroyCapChain(first, graphics);
}
