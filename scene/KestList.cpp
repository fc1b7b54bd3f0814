#include "scene/KestList.h"

KestList::~KestList() {
    KestItem* item = first;
    while (item != nullptr) {
        KestItem* next = item->next;
        delete item;
        item = next;
    }
}

void KestList::InsertAfterCursor(KestItem* item) {
    item->prev = cursor;
    if (cursor == nullptr) {
        item->next = nullptr;
        first = last = item;
    } else {
        item->next = cursor->next;
        if (cursor->next != nullptr)
            cursor->next->prev = item;
        else
            last = item;
        cursor->next = item;
    }
    cursor = item;
    ++count;
}

void KestList::InsertBeforeCursor(KestItem* item) {
    item->next = cursor;
    if (cursor == nullptr) {
        item->prev = nullptr;
        first = last = item;
    } else {
        item->prev = cursor->prev;
        if (cursor->prev != nullptr)
            cursor->prev->next = item;
        else
            first = item;
        cursor->prev = item;
    }
    cursor = item;
    ++count;
}

KestItem* KestList::UnlinkCursorItem() {
    KestItem* item = cursor;
    if (item == nullptr) return nullptr;
    if (item->prev != nullptr)
        item->prev->next = item->next;
    else
        first = item->next;
    if (item->next != nullptr)
        item->next->prev = item->prev;
    else
        last = item->prev;
    cursor = item->next != nullptr ? item->next : item->prev;
    --count;
    item->prev = item->next = nullptr;
    return item;
}

void KestList::DeleteCursorItem() {
    delete UnlinkCursorItem();
}

void KestList::MoveCursorItemToFront(KestList& other) {
    KestItem* item = UnlinkCursorItem();
    if (item == nullptr) return;
    bool otherWasEmpty = other.count == 0;
    other.LinkRunAtFront(item, item, 1);
    if (otherWasEmpty) other.cursor = item;
}

void KestList::MoveCursorItemBefore(KestList& other) {
    KestItem* item = UnlinkCursorItem();
    if (item != nullptr) other.InsertBeforeCursor(item);
}

void KestList::MoveCursorItemAfter(KestList& other) {
    KestItem* item = UnlinkCursorItem();
    if (item != nullptr) other.InsertAfterCursor(item);
}

void KestList::MoveAllToFront(KestList& other) {
    if (count == 0 || &other == this) return;
    bool otherWasEmpty = other.count == 0;
    other.LinkRunAtFront(first, last, count);
    if (otherWasEmpty) other.cursor = cursor;
    Release();
}

void KestList::MoveAllToBack(KestList& other) {
    if (count == 0 || &other == this) return;
    bool otherWasEmpty = other.count == 0;
    other.LinkRunAtBack(first, last, count);
    if (otherWasEmpty) other.cursor = cursor;
    Release();
}

void KestList::MoveFirstN(int64_t n, KestList& other) {
    if (n <= 0 || count == 0 || &other == this) return;
    if (n >= count) {
        MoveAllToFront(other);
        return;
    }
    KestItem* runFirst = first;
    KestItem* runLast = first;
    for (int64_t i = 1; i < n; ++i)
        runLast = runLast->next;
    first = runLast->next;
    first->prev = nullptr;
    runLast->next = nullptr;
    count -= n;
    cursor = first;
    bool otherWasEmpty = other.count == 0;
    other.LinkRunAtFront(runFirst, runLast, n);
    if (otherWasEmpty) other.cursor = runFirst;
}

void KestList::MoveLastN(int64_t n, KestList& other) {
    if (n <= 0 || count == 0 || &other == this) return;
    if (n >= count) {
        MoveAllToBack(other);
        return;
    }
    KestItem* runLast = last;
    KestItem* runFirst = last;
    for (int64_t i = 1; i < n; ++i)
        runFirst = runFirst->prev;
    last = runFirst->prev;
    last->next = nullptr;
    runFirst->prev = nullptr;
    count -= n;
    cursor = last;
    bool otherWasEmpty = other.count == 0;
    other.LinkRunAtBack(runFirst, runLast, n);
    if (otherWasEmpty) other.cursor = runLast;
}

void KestList::SortByKey() {
    if (count < 2) return;
    if (count == 2) {
        if (first->key > last->key) {
            KestItem* a = first;
            KestItem* b = last;
            b->prev = nullptr;
            b->next = a;
            a->prev = b;
            a->next = nullptr;
            first = b;
            last = a;
            cursor = a;
        }
        return;
    }
    KestList firstHalf;
    MoveFirstN(count / 2, firstHalf);
    SortByKey();
    firstHalf.SortByKey();

    // Merge: an element of the first half goes before the current element only when strictly smaller.
    KestItem* current = first;
    while (current != nullptr && firstHalf.count > 0) {
        if (current->key > firstHalf.first->key) {
            firstHalf.cursor = firstHalf.first;
            cursor = current;
            firstHalf.MoveCursorItemBefore(*this);
        } else {
            current = current->next;
        }
    }
    firstHalf.MoveAllToBack(*this);
    cursor = last;
}

void KestList::LinkRunAtFront(KestItem* runFirst, KestItem* runLast, int64_t n) {
    runFirst->prev = nullptr;
    runLast->next = first;
    if (first != nullptr)
        first->prev = runLast;
    else
        last = runLast;
    first = runFirst;
    count += n;
}

void KestList::LinkRunAtBack(KestItem* runFirst, KestItem* runLast, int64_t n) {
    runLast->next = nullptr;
    runFirst->prev = last;
    if (last != nullptr)
        last->next = runFirst;
    else
        first = runFirst;
    last = runLast;
    count += n;
}

void KestList::Release() {
    first = last = cursor = nullptr;
    count = 0;
}

int64_t List3f::FindOrAppend(float x, float y, float z) {
    int64_t position = 0;
    for (KestItem* item = first; item != nullptr; item = item->next, ++position) {
        const Item3f* point = static_cast<const Item3f*>(item);
        if (point->x == x && point->y == y && point->z == z) {
            cursor = item;
            return -(position + 1);
        }
    }
    cursor = last;
    InsertAfterCursor(new Item3f(x, y, z));
    return -(position + 1);
}
