#pragma once
// Mesh snapshot files built byte by byte from the layout table.

#include <cstdint>
#include <vector>

#include "import/ModelFileBytes.h"

inline FileBytes& Int64(FileBytes& file, int64_t value) {
    return file.Raw(&value, 8);
}

// Counts, centered 1, centre (10,20,30), boxMax (1,1,1), boxMin (-1,-1,-1).
inline FileBytes SnapshotHeader(uint64_t vertices, uint64_t facets, int64_t normals, int64_t caps) {
    FileBytes file;
    file.Raw(&vertices, 8).Raw(&facets, 8).Raw(&normals, 8).Raw(&caps, 8);
    file.Int32(1).Floats({10, 20, 30}).Floats({1, 1, 1}).Floats({-1, -1, -1});
    return file;
}

// A cap head: fill 2, fill colour (1,2,3), diffuse 0.5, `triangles` triangles, texture w x h.
inline void AppendCapHead(FileBytes& file, int64_t triangles, int32_t width, int32_t height) {
    file.Floats({2, 3, 1.5f, 0.5f}).Int32(-4).Int32(6).Int32(-8);
    file.Floats({1, 2, 3})
        .Floats({1, 0, 0, 0, 1, 0, 0, 0, 1})
        .Floats({4, 5, 6})
        .Floats({0, 0, 1, 0, 1, 0, 1, 0, 0});
    file.Int32(2).Raw(std::vector<uint8_t>{1, 2, 3, 0}.data(), 4).Floats({0.5f, 0.25f, 0.125f});
    Int64(file, triangles).Int32(width).Int32(height);
}

// Four vertices (i, 2i, 3i), two facets, normals, and two caps: one of a triangle with a 2x1 texture,
// one of two triangles without.
inline std::vector<uint8_t> SnapshotFileBytes() {
    FileBytes file = SnapshotHeader(4, 2, 4, 2);
    for (int i = 0; i < 4; ++i)
        file.Floats({float(i), float(2 * i), float(3 * i)});
    for (int64_t index : {0, 1, 2, 0, 2, 3})
        Int64(file, index);
    for (int i = 0; i < 4; ++i)
        file.Floats({0, 0, 1});
    AppendCapHead(file, 1, 2, 1);
    for (int64_t index : {3, 2, 1})
        Int64(file, index);
    file.Raw(std::vector<uint8_t>{10, 20, 30, 40, 50, 60}.data(), 6);
    AppendCapHead(file, 2, 0, 0);
    for (int64_t index : {0, 1, 3, 1, 2, 3})
        Int64(file, index);
    return file.bytes;
}
