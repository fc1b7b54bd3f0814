#pragma once
// Elements of the intrusive list family: every element carries its own links, so a list never
// allocates and moving elements between lists only relinks them.

#include <cstdint>

// Base of every list element. Deleting an element through a KestItem pointer destroys it completely.
class KestItem {
public:
    KestItem() = default;
    KestItem(const KestItem&) = delete;
    KestItem& operator=(const KestItem&) = delete;
    virtual ~KestItem() = default;

    KestItem* prev = nullptr;  // null for the first element
    KestItem* next = nullptr;  // null for the last element
    int64_t key = 0;           // sort key, orientation flag or final vertex index, by use
};

// A vertex index of a polygon being triangulated.
class Item1i : public KestItem {
public:
    explicit Item1i(int64_t i0 = 0) : i0(i0) {}
    int64_t i0;
};

// A directed segment from vertex i0 to vertex i1.
class Item2i : public KestItem {
public:
    Item2i(int64_t i0 = 0, int64_t i1 = 0) : i0(i0), i1(i1) {}
    int64_t i0;
    int64_t i1;
};

// A triangle: three vertex indices in winding order.
class Item3i : public KestItem {
public:
    Item3i(int64_t i0 = 0, int64_t i1 = 0, int64_t i2 = 0) : i0(i0), i1(i1), i2(i2) {}
    int64_t i0;
    int64_t i1;
    int64_t i2;
};

// A point, such as a new vertex made on a cutting plane.
class Item3f : public KestItem {
public:
    Item3f(float x = 0, float y = 0, float z = 0) : x(x), y(y), z(z) {}
    float x;
    float y;
    float z;
};

// A 2D segment from (x1, y1) to (x2, y2) in double precision.
class Otrezok : public KestItem {
public:
    Otrezok(double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0) : x1(x1), y1(y1), x2(x2), y2(y2) {}
    double x1;
    double y1;
    double x2;
    double y2;
};
