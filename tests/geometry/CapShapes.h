#pragma once
// Planar test shapes: polygons in the z = 0 plane turned into cut segments, plus generators of
// random nested and touching contours for the oracle comparisons.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

struct PlanarShape {
    std::vector<float> vertices;  // x, y, 0 per vertex
    std::vector<Segment> segments;

    int64_t AddVertex(float x, float y) {
        vertices.insert(vertices.end(), {x, y, 0.0f});
        return static_cast<int64_t>(vertices.size() / 3) - 1;
    }
    // Adds the closed polygon through the given vertex indices, in order.
    void AddLoop(const std::vector<int64_t>& loop) {
        for (size_t i = 0; i < loop.size(); ++i)
            segments.push_back({loop[i], loop[(i + 1) % loop.size()]});
    }
    // Adds the closed polygon through new vertices at the given points.
    std::vector<int64_t> AddPolygon(const std::vector<std::pair<float, float>>& points) {
        std::vector<int64_t> loop;
        for (auto [x, y] : points)
            loop.push_back(AddVertex(x, y));
        AddLoop(loop);
        return loop;
    }
    PlaneProjection Projection() const { return PlaneProjection(vertices.data(), 0, 0, 1); }
    std::vector<Point2> Points() const {
        std::vector<Point2> points;
        for (size_t i = 0; i < vertices.size(); i += 3)
            points.push_back({vertices[i], vertices[i + 1]});
        return points;
    }
};

// Star-shaped polygon around (cx, cy) with radii in [r0, r1], counter-clockwise unless `clockwise`.
// With `lattice`, coordinates snap to multiples of 1/4 (many exact ties and collinear runs).
inline std::vector<std::pair<float, float>> StarPolygon(std::mt19937& random, float cx, float cy, float r0,
                                                        float r1, int n, bool clockwise, bool lattice) {
    std::uniform_real_distribution<float> radius(r0, r1);
    std::vector<std::pair<float, float>> points;
    for (int i = 0; i < n; ++i) {
        double angle = 2 * M_PI * i / n * (clockwise ? -1 : 1);
        float r = radius(random);
        float x = cx + r * static_cast<float>(std::cos(angle));
        float y = cy + r * static_cast<float>(std::sin(angle));
        if (lattice) {
            x = std::round(x * 4) / 4;
            y = std::round(y * 4) / 4;
        }
        points.emplace_back(x, y);
    }
    return points;
}

// A random arrangement of islands on a grid: each island an outer star, often with a hole, an
// island inside the hole and a further hole; some lone holes outside everything; some islands
// touching at a shared vertex. Segments come out shuffled, sometimes in contour order.
inline PlanarShape RandomArrangement(std::mt19937& random, bool lattice) {
    PlanarShape shape;
    std::uniform_int_distribution<int> islands(1, 6);
    std::uniform_int_distribution<int> sides(3, 24);
    std::uniform_int_distribution<int> coin(0, 3);
    int count = islands(random);
    for (int i = 0; i < count; ++i) {
        float cx = static_cast<float>(i % 3) * 20, cy = static_cast<float>(i / 3) * 20;
        int kind = coin(random);
        if (kind == 0) {  // a lone hole (clockwise) with no contour around it
            shape.AddPolygon(StarPolygon(random, cx, cy, 1, 3, sides(random), true, lattice));
            continue;
        }
        std::vector<int64_t> outer =
            shape.AddPolygon(StarPolygon(random, cx, cy, 4, 4.8f, sides(random), false, lattice));
        if (kind >= 2)
            shape.AddPolygon(StarPolygon(random, cx, cy, 2.5f, 3.5f, sides(random), true, lattice));
        if (kind == 3) {
            shape.AddPolygon(StarPolygon(random, cx, cy, 1.2f, 2, sides(random), false, lattice));
            shape.AddPolygon(StarPolygon(random, cx, cy, 0.4f, 0.9f, sides(random), true, lattice));
        }
        if (kind == 1 && coin(random) == 0) {  // a diamond touching the island at its rightmost vertex
            int64_t corner = outer[0];
            float x = shape.vertices[corner * 3], y = shape.vertices[corner * 3 + 1];
            int64_t b = shape.AddVertex(x + 2, y - 1), c = shape.AddVertex(x + 3, y),
                    d = shape.AddVertex(x + 2, y + 1);
            shape.AddLoop({corner, b, c, d});
        }
    }
    if (coin(random) != 0) std::shuffle(shape.segments.begin(), shape.segments.end(), random);
    return shape;
}
