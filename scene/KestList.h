#pragma once
// Intrusive doubly linked lists with a cursor. A list owns its elements and is itself an element,
// so lists of lists are possible. Most operations act at the cursor; the geometry code relies on
// where each operation leaves the cursors, so those rules are part of every contract below.

#include <cstdint>

#include "scene/KestItem.h"

class KestList : public KestItem {
public:
    KestList() = default;
    // Deletes every element still held, from first to last.
    ~KestList() override;

    KestItem* cursor = nullptr;  // null only when the list is empty
    KestItem* first = nullptr;
    KestItem* last = nullptr;
    int64_t count = 0;

    // Links `item` (unlinked, owned from now on) after the cursor, or as the only element of an
    // empty list; the cursor moves to it. Appends when the cursor is on the last element.
    void InsertAfterCursor(KestItem* item);
    // Links `item` before the cursor, or as the only element of an empty list; the cursor moves to it.
    void InsertBeforeCursor(KestItem* item);
    // Takes the cursor element out of the chain and hands it to the caller (null on an empty list).
    // The cursor moves to its successor, or to its predecessor when it was the last element.
    KestItem* UnlinkCursorItem();
    // Unlinks the cursor element as above and deletes it. Empty list: nothing.
    void DeleteCursorItem();
    // Unlinks the cursor element and makes it the first element of `other`; `other`'s cursor stays
    // unless `other` was empty, then it moves to the element. Empty list: nothing.
    void MoveCursorItemToFront(KestList& other);
    // Unlinks the cursor element and inserts it before `other`'s cursor (InsertBeforeCursor).
    void MoveCursorItemBefore(KestList& other);
    // Unlinks the cursor element and inserts it after `other`'s cursor (InsertAfterCursor).
    void MoveCursorItemAfter(KestList& other);
    // Moves every element, in order, in front of `other`'s first element; this list ends empty.
    // `other`'s cursor stays unless `other` was empty, then it takes this list's cursor.
    // Nothing when this list is empty or is `other`.
    void MoveAllToFront(KestList& other);
    // Moves every element, in order, behind `other`'s last element; this list ends empty.
    // `other`'s cursor stays unless `other` was empty, then it takes this list's cursor.
    // Nothing when this list is empty or is `other`.
    void MoveAllToBack(KestList& other);
    // Moves the first n elements, in order, in front of `other`'s first element; linear in n.
    // n >= count: MoveAllToFront. Otherwise this cursor goes to the new first element, and `other`'s
    // cursor stays unless `other` was empty, then it goes to the first moved element.
    // Nothing when n <= 0, this list is empty or is `other`.
    void MoveFirstN(int64_t n, KestList& other);
    // Moves the last n elements, in order, behind `other`'s last element; linear in n.
    // n >= count: MoveAllToBack. Otherwise this cursor goes to the new last element, and `other`'s
    // cursor stays unless `other` was empty, then it goes to the last moved element.
    // Nothing when n <= 0, this list is empty or is `other`.
    void MoveLastN(int64_t n, KestList& other);
    // Recursive merge sort by ascending key (signed). Ties are not stable: an element of the second
    // half goes before an equal one of the first half (keys 1,1,1,1 labelled a,b,c,d end c,d,a,b).
    // Two elements swap only when the first key is greater, leaving the cursor on the new last
    // element; longer lists end with the cursor on the last element. O(n log n).
    void SortByKey();

private:
    // Links the run first..last (n elements, already detached) in front of this list's first element.
    void LinkRunAtFront(KestItem* runFirst, KestItem* runLast, int64_t n);
    // Links the run first..last (n elements, already detached) behind this list's last element.
    void LinkRunAtBack(KestItem* runFirst, KestItem* runLast, int64_t n);
    // Forgets every element without deleting it (they now belong to another list).
    void Release();
};

// Ring of polygon vertices being triangulated.
class List1i : public KestList {};
// Segments; also the list type of contour lists, whose elements are List2i lists.
class List2i : public KestList {};
// Triangles.
class List3i : public KestList {};

// Points, such as the new vertices of a cut.
class List3f : public KestList {
public:
    // Position k of the first point equal to (x, y, z) (each coordinate compared as a float: 0 equals
    // -0, NaN never matches): the cursor stays on it and the result is -(k + 1). Without a match the
    // point is appended, the cursor moves to it and the result is -(count before + 1). Linear time.
    int64_t FindOrAppend(float x, float y, float z);
};

// 2D segments.
class OList : public KestList {};
// The clipped polygon of the ear test.
class ZOList : public OList {};
