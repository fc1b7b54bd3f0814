#include "scene/KestList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// Counts live elements so tests can tell that lists delete what they own.
int liveItems = 0;

class CountedItem : public KestItem {
public:
    explicit CountedItem(int64_t value) : value(value) { ++liveItems; }
    ~CountedItem() override { --liveItems; }
    int64_t value;
};

int64_t ValueOf(const KestItem* item) {
    return static_cast<const CountedItem*>(item)->value;
}

// Builds a list of counted items whose values (and keys) are `values`, cursor on the last one.
void Fill(KestList& list, const std::vector<int64_t>& values) {
    for (int64_t value : values) {
        auto* item = new CountedItem(value);
        item->key = value;
        list.cursor = list.last;
        list.InsertAfterCursor(item);
    }
}

// Values from first to last, after checking that links, ends and count agree in both directions.
std::vector<int64_t> Values(const KestList& list) {
    std::vector<int64_t> values;
    const KestItem* previous = nullptr;
    for (const KestItem* item = list.first; item != nullptr; item = item->next) {
        EXPECT_EQ(item->prev, previous);
        values.push_back(ValueOf(item));
        previous = item;
    }
    EXPECT_EQ(list.last, previous);
    EXPECT_EQ(list.count, static_cast<int64_t>(values.size()));
    EXPECT_EQ(list.cursor == nullptr, values.empty());
    return values;
}

int64_t CursorValue(const KestList& list) {
    return list.cursor == nullptr ? -1 : ValueOf(list.cursor);
}

// Puts the cursor on the element holding `value`.
void PlaceCursor(KestList& list, int64_t value) {
    for (KestItem* item = list.first; item != nullptr; item = item->next)
        if (ValueOf(item) == value) list.cursor = item;
}

using ValueList = std::vector<int64_t>;

}  // namespace

TEST(KestList, InsertingMovesTheCursorToTheNewElement) {
    {
        KestList list;
        list.InsertAfterCursor(new CountedItem(1));
        EXPECT_EQ(Values(list), (ValueList{1}));
        list.InsertBeforeCursor(new CountedItem(0));
        EXPECT_EQ(Values(list), (ValueList{0, 1}));
        EXPECT_EQ(CursorValue(list), 0);
        list.InsertAfterCursor(new CountedItem(5));  // between 0 and 1
        EXPECT_EQ(Values(list), (ValueList{0, 5, 1}));
        EXPECT_EQ(CursorValue(list), 5);
        PlaceCursor(list, 1);
        list.InsertAfterCursor(new CountedItem(2));  // after the last: appends
        EXPECT_EQ(Values(list), (ValueList{0, 5, 1, 2}));
        PlaceCursor(list, 0);
        list.InsertBeforeCursor(new CountedItem(-1));  // before the first: new first
        EXPECT_EQ(Values(list), (ValueList{-1, 0, 5, 1, 2}));
        EXPECT_EQ(CursorValue(list), -1);
        KestList empty;
        empty.InsertBeforeCursor(new CountedItem(9));
        EXPECT_EQ(Values(empty), (ValueList{9}));
        EXPECT_EQ(CursorValue(empty), 9);
    }
    EXPECT_EQ(liveItems, 0);
}

TEST(KestList, UnlinkingMovesTheCursorForwardOrBackAtTheEnd) {
    KestList list;
    Fill(list, {1, 2, 3, 4});
    PlaceCursor(list, 2);
    list.DeleteCursorItem();  // middle: cursor to the successor
    EXPECT_EQ(Values(list), (ValueList{1, 3, 4}));
    EXPECT_EQ(CursorValue(list), 3);
    PlaceCursor(list, 1);
    list.DeleteCursorItem();  // first: the successor becomes first and cursor
    EXPECT_EQ(Values(list), (ValueList{3, 4}));
    EXPECT_EQ(CursorValue(list), 3);
    PlaceCursor(list, 4);
    list.DeleteCursorItem();  // last: back to the new last, not forward to null
    EXPECT_EQ(Values(list), (ValueList{3}));
    EXPECT_EQ(CursorValue(list), 3);
    KestItem* only = list.UnlinkCursorItem();  // the only element
    EXPECT_EQ(ValueOf(only), 3);
    EXPECT_EQ(only->prev, nullptr);
    EXPECT_EQ(only->next, nullptr);
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.cursor, nullptr);
    EXPECT_EQ(list.count, 0);
    delete only;
    list.DeleteCursorItem();  // empty: nothing
    EXPECT_EQ(list.UnlinkCursorItem(), nullptr);
    EXPECT_EQ(liveItems, 0);
}

TEST(KestList, MovingTheCursorElementFollowsBothListsCursorRules) {
    KestList source, target;
    Fill(source, {1, 2, 3});
    Fill(target, {10, 11, 12});
    PlaceCursor(target, 11);

    PlaceCursor(source, 2);
    source.MoveCursorItemToFront(target);
    EXPECT_EQ(Values(source), (ValueList{1, 3}));
    EXPECT_EQ(CursorValue(source), 3);
    EXPECT_EQ(Values(target), (ValueList{2, 10, 11, 12}));
    EXPECT_EQ(CursorValue(target), 11);  // unchanged

    source.MoveCursorItemBefore(target);  // 3 goes before 11
    EXPECT_EQ(Values(source), (ValueList{1}));
    EXPECT_EQ(CursorValue(source), 1);  // 3 was last: back to 1
    EXPECT_EQ(Values(target), (ValueList{2, 10, 3, 11, 12}));
    EXPECT_EQ(CursorValue(target), 3);

    source.MoveCursorItemAfter(target);
    EXPECT_EQ(Values(source), (ValueList{}));
    EXPECT_EQ(Values(target), (ValueList{2, 10, 3, 1, 11, 12}));
    EXPECT_EQ(CursorValue(target), 1);

    source.MoveCursorItemToFront(target);  // empty source: nothing
    EXPECT_EQ(target.count, 6);

    KestList empty;
    target.MoveCursorItemToFront(empty);  // into an empty list: its cursor goes to the element
    EXPECT_EQ(Values(empty), (ValueList{1}));
    EXPECT_EQ(CursorValue(empty), 1);
    EXPECT_EQ(CursorValue(target), 11);
}

TEST(KestList, MovingWholeListsKeepsOrderAndHandsOverTheCursorOnlyToEmptyLists) {
    KestList a, b;
    Fill(a, {1, 2, 3});
    Fill(b, {7, 8});
    PlaceCursor(a, 2);
    PlaceCursor(b, 8);
    a.MoveAllToFront(b);
    EXPECT_EQ(Values(a), (ValueList{}));
    EXPECT_EQ(Values(b), (ValueList{1, 2, 3, 7, 8}));
    EXPECT_EQ(CursorValue(b), 8);

    KestList c;
    PlaceCursor(b, 3);
    b.MoveAllToFront(c);  // empty target takes the cursor
    EXPECT_EQ(Values(c), (ValueList{1, 2, 3, 7, 8}));
    EXPECT_EQ(CursorValue(c), 3);

    KestList d;
    Fill(d, {20});
    PlaceCursor(c, 7);
    c.MoveAllToBack(d);
    EXPECT_EQ(Values(d), (ValueList{20, 1, 2, 3, 7, 8}));
    EXPECT_EQ(CursorValue(d), 20);

    KestList e;
    d.MoveAllToBack(e);
    EXPECT_EQ(CursorValue(e), 20);

    e.MoveAllToFront(e);  // onto itself: nothing
    e.MoveAllToBack(e);
    KestList none;
    none.MoveAllToBack(e);  // empty source: nothing
    none.MoveAllToFront(e);
    EXPECT_EQ(Values(e), (ValueList{20, 1, 2, 3, 7, 8}));
}

TEST(KestList, MovingFirstOrLastNPlacesBothCursors) {
    KestList a, b;
    Fill(a, {1, 2, 3, 4, 5});
    Fill(b, {10, 11, 12, 13});
    PlaceCursor(b, 12);
    PlaceCursor(a, 1);
    a.MoveFirstN(2, b);
    EXPECT_EQ(Values(a), (ValueList{3, 4, 5}));
    EXPECT_EQ(CursorValue(a), 3);
    EXPECT_EQ(Values(b), (ValueList{1, 2, 10, 11, 12, 13}));
    EXPECT_EQ(CursorValue(b), 12);

    KestList c;
    b.MoveFirstN(3, c);  // empty target: cursor on the first moved element
    EXPECT_EQ(Values(c), (ValueList{1, 2, 10}));
    EXPECT_EQ(CursorValue(c), 1);
    EXPECT_EQ(CursorValue(b), 11);

    KestList d;
    PlaceCursor(a, 3);
    a.MoveLastN(2, d);
    EXPECT_EQ(Values(a), (ValueList{3}));
    EXPECT_EQ(CursorValue(a), 3);
    EXPECT_EQ(Values(d), (ValueList{4, 5}));
    EXPECT_EQ(CursorValue(d), 5);  // empty target: cursor on the last moved element
    PlaceCursor(c, 2);
    c.MoveLastN(1, d);
    EXPECT_EQ(Values(d), (ValueList{4, 5, 10}));
    EXPECT_EQ(CursorValue(d), 5);
    EXPECT_EQ(CursorValue(c), 2);

    // n covering the whole list behaves as the whole-list moves, cursor included.
    PlaceCursor(c, 1);
    KestList e;
    c.MoveFirstN(7, e);
    EXPECT_EQ(Values(e), (ValueList{1, 2}));
    EXPECT_EQ(CursorValue(e), 1);
    PlaceCursor(e, 1);
    KestList f;
    e.MoveLastN(2, f);
    EXPECT_EQ(Values(f), (ValueList{1, 2}));
    EXPECT_EQ(CursorValue(f), 1);

    // Nothing for n <= 0, an empty source or the list itself.
    f.MoveFirstN(0, d);
    f.MoveLastN(-3, d);
    f.MoveFirstN(1, f);
    f.MoveLastN(1, f);
    e.MoveFirstN(1, f);
    EXPECT_EQ(Values(f), (ValueList{1, 2}));
    EXPECT_EQ(Values(d), (ValueList{4, 5, 10}));
}

TEST(KestList, SortByKeyHasItsFixedTieOrder) {
    auto sorted = [](const ValueList& values, std::vector<int64_t> keys) {
        KestList list;
        Fill(list, values);
        int i = 0;
        for (KestItem* item = list.first; item != nullptr; item = item->next)
            item->key = keys[i++];
        list.SortByKey();
        EXPECT_EQ(list.cursor, list.count == 0 ? nullptr : list.last);
        return Values(list);
    };
    EXPECT_EQ(sorted({5, 1, 4}, {5, 1, 4}), (ValueList{1, 4, 5}));
    EXPECT_EQ(sorted({1, 2, 3, 4}, {7, 7, 7, 7}), (ValueList{3, 4, 1, 2}));
    // Five equal keys: halves (1,2) and (3,4,5); the latter splits into (3) and (4,5) -> 4,5,3.
    EXPECT_EQ(sorted({1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}), (ValueList{4, 5, 3, 1, 2}));
    EXPECT_EQ(
        sorted({1, 2, 3}, {std::numeric_limits<int64_t>::max(), -1, std::numeric_limits<int64_t>::min()}),
        (ValueList{3, 2, 1}));
    EXPECT_EQ(sorted({}, {}), (ValueList{}));

    // Two elements: equal keys leave list and cursor alone; a swap leaves the cursor on the new last.
    {
        KestList pair;
        Fill(pair, {1, 2});
        pair.first->key = pair.last->key = 3;
        PlaceCursor(pair, 1);
        pair.SortByKey();
        EXPECT_EQ(Values(pair), (ValueList{1, 2}));
        EXPECT_EQ(CursorValue(pair), 1);
        pair.first->key = 9;
        pair.SortByKey();
        EXPECT_EQ(Values(pair), (ValueList{2, 1}));
        EXPECT_EQ(CursorValue(pair), 1);
    }

    // Random keys come out ascending and nothing is lost.
    std::mt19937 random(5);
    for (int n = 0; n < 200; ++n) {
        KestList list;
        ValueList values(n);
        for (int i = 0; i < n; ++i)
            values[i] = static_cast<int64_t>(random() % 7) - 3;
        Fill(list, values);
        list.SortByKey();
        ValueList out = Values(list);
        ASSERT_EQ(out.size(), values.size());
        for (size_t i = 1; i < out.size(); ++i)
            ASSERT_LE(out[i - 1], out[i]);
    }
    EXPECT_EQ(liveItems, 0);
}

TEST(KestList, FindOrAppendNumbersPointsByFirstAppearance) {
    List3f points;
    EXPECT_EQ(points.FindOrAppend(1, 2, 3), -1);
    EXPECT_EQ(points.FindOrAppend(1, 2, 3), -1);
    EXPECT_EQ(points.count, 1);
    EXPECT_EQ(points.FindOrAppend(4, 5, 6), -2);
    EXPECT_EQ(points.FindOrAppend(-0.0f, 0, 0), -3);
    EXPECT_EQ(points.FindOrAppend(0, -0.0f, 0.0f), -3);  // 0 and -0 are equal
    EXPECT_EQ(points.cursor, points.last);
    EXPECT_EQ(points.FindOrAppend(1, 2, 3), -1);
    EXPECT_EQ(points.cursor, points.first);  // the cursor stays on the match
    float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(points.FindOrAppend(nan, 0, 0), -4);
    EXPECT_EQ(points.FindOrAppend(nan, 0, 0), -5);  // NaN never matches
    EXPECT_EQ(points.count, 5);
    const auto* last = static_cast<const Item3f*>(points.last);
    EXPECT_TRUE(std::isnan(last->x));
    EXPECT_EQ(last->key, 0);
}

TEST(KestList, DestroyingAListOfListsDeletesEverything) {
    {
        List2i contours;
        for (int c = 0; c < 3; ++c) {
            auto* contour = new List2i;
            Fill(*contour, {1, 2, 3});
            contours.InsertAfterCursor(contour);
        }
        EXPECT_EQ(liveItems, 9);
        contours.cursor = contours.first;
        contours.DeleteCursorItem();  // deleting one inner list deletes its elements
        EXPECT_EQ(liveItems, 6);
    }
    EXPECT_EQ(liveItems, 0);
}
