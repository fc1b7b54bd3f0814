#include "scene/CutCap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/RecordingSceneGraphics.h"

TEST(CutCap, NewCapHasFourUnitFloatsAndZeroesElsewhere) {
    CutCap cap;
    unsigned char head[kCutCapHeadSize];
    std::memcpy(head, &cap, sizeof(head));
    float first[4];
    std::memcpy(first, head, sizeof(first));
    for (float f : first)
        EXPECT_EQ(f, 1.0f);
    for (size_t i = 16; i < kCutCapHeadSize; ++i)
        EXPECT_EQ(head[i], 0) << i;
    EXPECT_EQ(cap.triangles, nullptr);
    EXPECT_EQ(cap.pixels, nullptr);
    EXPECT_EQ(cap.displayList, 0u);
    EXPECT_EQ(cap.textureName, 0u);
    EXPECT_EQ(cap.prev, nullptr);
    EXPECT_EQ(cap.next, nullptr);
}

TEST(CutCap, DestroyingFromTheMiddleReleasesTheRestAndUnlinks) {
    CutCap* first = new CutCap;
    CutCap* second = new CutCap;
    CutCap* third = new CutCap;
    first->next = second;
    second->prev = first;
    second->next = third;
    third->prev = second;
    first->displayList = 7;
    second->displayList = 8;
    second->textureName = 21;
    second->triangles = new int64_t[3]{0, 1, 2};
    second->pixels = new uint8_t[12]();
    third->textureName = 22;

    RecordingSceneGraphics graphics;
    DestroyCapChain(second, graphics);
    EXPECT_EQ(first->next, nullptr);
    EXPECT_EQ(graphics.deletedLists, (std::vector<RecordingSceneGraphics::ListRange>{{8, 1}}));
    EXPECT_EQ(graphics.deletedTextures, (std::vector<uint32_t>{21, 22}));

    DestroyCapChain(first, graphics);
    EXPECT_EQ(graphics.deletedLists.back(), (RecordingSceneGraphics::ListRange{7, 1}));
    DestroyCapChain(nullptr, graphics);
    EXPECT_EQ(graphics.deletedLists.size(), 2u);
}

TEST(CutCap, LongChainsAreDestroyedWithoutRecursion) {
    CutCap* head = new CutCap;
    CutCap* tail = head;
    for (int i = 1; i < 200000; ++i) {
        tail->next = new CutCap;
        tail->next->prev = tail;
        tail = tail->next;
    }
    tail->displayList = 5;
    RecordingSceneGraphics graphics;
    DestroyCapChain(head, graphics);
    EXPECT_EQ(graphics.deletedLists.size(), 1u);
}
