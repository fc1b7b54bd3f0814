// Contour assembly, classification, hole bridging and ear clipping on small hand-made sections.
#include <gtest/gtest.h>

#include <vector>

#include "CapShapes.h"
#include "LiteralCapProcedures.h"
#include "geometry/CapTriangulation.h"
#include "geometry/ContourAssembly.h"
#include "geometry/ContourClassification.h"
#include "geometry/EarClipping.h"
#include "geometry/HoleBridging.h"

namespace {

using Segments = std::vector<Segment>;

// Twice the signed area of triangles in the plane of `shape`.
double TwiceArea(const PlanarShape& shape, const std::vector<Triangle>& triangles) {
    std::vector<Point2> p = shape.Points();
    double area = 0;
    for (const Triangle& t : triangles)
        area += (static_cast<double>(p[t.b].u) - p[t.a].u) * (static_cast<double>(p[t.c].v) - p[t.a].v) -
                (static_cast<double>(p[t.b].v) - p[t.a].v) * (static_cast<double>(p[t.c].u) - p[t.a].u);
    return area;
}

PlanarShape Square(float low, float high, bool clockwise) {
    PlanarShape shape;
    if (clockwise)
        shape.AddPolygon({{low, low}, {low, high}, {high, high}, {high, low}});
    else
        shape.AddPolygon({{low, low}, {high, low}, {high, high}, {low, high}});
    return shape;
}

}  // namespace

TEST(CapContours, AssemblyTakesSegmentsFromTheBackAndClosesChains) {
    // A square in order: chains grow at their fronts until the first segment closes them.
    EXPECT_EQ(AssembleContours({{0, 1}, {1, 2}, {2, 3}, {3, 0}}),
              (std::vector<Contour>{{Segments{{1, 2}, {2, 3}, {3, 0}, {0, 1}}}}));
    // Two chains meet: the one found by its start goes back to the list and is re-appended.
    EXPECT_EQ(AssembleContours({{0, 1}, {2, 3}, {1, 2}, {3, 0}}),
              (std::vector<Contour>{{Segments{{0, 1}, {1, 2}, {2, 3}, {3, 0}}}}));
    // A loop closing inside a chain (at its end) is cut out; the open rest is dropped.
    EXPECT_EQ(AssembleContours({{2, 0}, {1, 2}, {0, 1}, {5, 0}}),
              (std::vector<Contour>{{Segments{{0, 1}, {1, 2}, {2, 0}}}}));
    // ... and at its front.
    EXPECT_EQ(AssembleContours({{0, 1}, {1, 2}, {2, 0}, {0, 5}}),
              (std::vector<Contour>{{Segments{{0, 1}, {1, 2}, {2, 0}}}}));
    // Two loops through one vertex become two contours, the later-closed one last.
    EXPECT_EQ(AssembleContours({{0, 1}, {1, 2}, {2, 0}, {0, 3}, {3, 4}, {4, 0}}),
              (std::vector<Contour>{{Segments{{3, 4}, {4, 0}, {0, 3}}}, {Segments{{1, 2}, {2, 0}, {0, 1}}}}));
    EXPECT_TRUE(AssembleContours({}).empty());
    EXPECT_TRUE(AssembleContours({{0, 1}, {1, 2}}).empty());  // open: no contour
}

TEST(CapContours, ClassificationVisitsContoursFromTheLastAndKeysTheirArea) {
    PlanarShape shape = Square(0, 1, false);  // area 1: key 512
    PlanarShape big = Square(-5, 5, false);   // area 100: key 51200
    for (size_t i = 0; i < big.vertices.size(); i += 3)
        shape.AddVertex(big.vertices[i], big.vertices[i + 1]);
    PlanarShape tiny = Square(10, 10.01f, true);  // |key| 0.0512: dropped
    for (size_t i = 0; i < tiny.vertices.size(); i += 3)
        shape.AddVertex(tiny.vertices[i], tiny.vertices[i + 1]);
    std::vector<Contour> contours = {{Segments{{0, 1}, {1, 2}, {2, 3}, {3, 0}}},
                                     {Segments{{4, 5}, {5, 6}, {6, 7}, {7, 4}}},
                                     {Segments{{8, 9}, {9, 10}, {10, 11}, {11, 8}}},
                                     {Segments{{0, 1}, {1, 0}}},
                                     {Segments{{6, 5}, {5, 4}, {4, 7}, {7, 6}}}};
    std::vector<Contour> outers, holes;
    ClassifyContours(std::move(contours), shape.Projection(), outers, holes);
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_EQ(outers[0].key, 51200);  // visited before the small square
    EXPECT_EQ(outers[1].key, 512);
    ASSERT_EQ(holes.size(), 1u);
    EXPECT_EQ(holes[0].key, -51200);
}

TEST(CapContours, ATubeSectionIsARingWithNoTriangleInTheHole) {
    PlanarShape shape = Square(-2, 2, false);
    PlanarShape hole = Square(-1, 1, true);
    std::vector<int64_t> loop;
    for (size_t i = 0; i < hole.vertices.size(); i += 3)
        loop.push_back(shape.AddVertex(hole.vertices[i], hole.vertices[i + 1]));
    shape.AddLoop(loop);
    std::vector<Triangle> triangles;
    CapStatistics statistics;
    BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
    EXPECT_EQ(statistics.contours, 2);
    EXPECT_EQ(statistics.holes, 1);
    EXPECT_EQ(statistics.openHoles, 0);
    EXPECT_EQ(triangles.size(), 8u);                      // 4 + 4 ring vertices and the bridge's two copies
    EXPECT_DOUBLE_EQ(TwiceArea(shape, triangles), 24.0);  // 16 - 4, twice
    std::vector<Point2> p = shape.Points();
    for (const Triangle& t : triangles) {
        float u = (p[t.a].u + p[t.b].u + p[t.c].u) / 3, v = (p[t.a].v + p[t.b].v + p[t.c].v) / 3;
        EXPECT_FALSE(u > -1 && u < 1 && v > -1 && v < 1) << "triangle inside the hole";
    }
    EXPECT_EQ(triangles, literal::MakeCap(shape.segments, p).triangles);
}

TEST(CapContours, HolesOutsideEveryLargerContourStayOpen) {
    {  // a lone hole
        PlanarShape shape = Square(0, 1, true);
        std::vector<Triangle> triangles;
        CapStatistics statistics;
        BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
        EXPECT_TRUE(triangles.empty());
        EXPECT_EQ(statistics.openHoles, 1);
    }
    {  // a hole larger than the only outer contour, and a hole beside a larger one
        PlanarShape shape = Square(0, 1, false);
        for (auto [low, high] : {std::pair{-3.0f, 3.0f}, std::pair{5.0f, 5.5f}}) {
            PlanarShape hole = Square(low, high, true);
            std::vector<int64_t> loop;
            for (size_t i = 0; i < hole.vertices.size(); i += 3)
                loop.push_back(shape.AddVertex(hole.vertices[i], hole.vertices[i + 1]));
            shape.AddLoop(loop);
        }
        std::vector<Contour> outers, holes;
        ClassifyContours(AssembleContours(shape.segments), shape.Projection(), outers, holes);
        BridgeHoles(outers, holes, shape.Projection());
        EXPECT_EQ(holes.size(), 2u);
        ASSERT_EQ(outers.size(), 1u);
        EXPECT_EQ(outers[0].segments.size(), 4u);
    }
}

TEST(CapContours, BridgingPicksTheSmallestContainingContourAndTheClosestPair) {
    // An island (outer) inside the hole of a large square, and a small hole inside the island:
    // the small hole goes into the island, the large hole into the large square.
    PlanarShape shape = Square(-10, 10, false);
    auto add = [&](float low, float high, bool clockwise) {
        PlanarShape part = Square(low, high, clockwise);
        std::vector<int64_t> loop;
        for (size_t i = 0; i < part.vertices.size(); i += 3)
            loop.push_back(shape.AddVertex(part.vertices[i], part.vertices[i + 1]));
        shape.AddLoop(loop);
    };
    add(-8, 8, true);   // hole 4..7
    add(-5, 5, false);  // island 8..11
    add(-1, 1, true);   // hole 12..15
    std::vector<Contour> outers, holes;
    ClassifyContours(AssembleContours(shape.segments), shape.Projection(), outers, holes);
    BridgeHoles(outers, holes, shape.Projection());
    EXPECT_TRUE(holes.empty());
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_EQ(outers[0].key, 100 * 2 * 256);    // the island first (smaller), keys kept
    EXPECT_EQ(outers[0].segments.size(), 10u);  // 4 + 4 + 2 bridges
    EXPECT_EQ(outers[1].segments.size(), 10u);
    // Each bridge joins a corner to the nearest corner of the other contour.
    const Segment& bridge = outers[0].segments.front();
    std::vector<Point2> p = shape.Points();
    EXPECT_FLOAT_EQ(std::fabs(p[bridge.from].u), 1.0f);
    EXPECT_FLOAT_EQ(std::fabs(p[bridge.to].u), 5.0f);
    EXPECT_EQ(outers, literal::MakeCap(shape.segments, p).outers);
}

TEST(CapContours, EarClippingOfSmallRings) {
    PlanarShape square;
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}})
        square.AddVertex(x, y);
    std::vector<Triangle> triangles;
    // The first scan starts at the ring's last vertex (0): its ear and the next (1) have equal
    // diagonals, so the first stays; then the last three.
    TriangulateContour({Segments{{1, 2}, {2, 3}, {3, 0}, {0, 1}}}, square.Projection(), triangles);
    EXPECT_EQ(triangles, (std::vector<Triangle>{{3, 0, 1}, {1, 2, 3}}));

    triangles.clear();
    TriangulateContour({Segments{{0, 1}, {1, 2}, {2, 0}}}, square.Projection(), triangles);
    EXPECT_EQ(triangles, (std::vector<Triangle>{{0, 1, 2}}));  // exactly three: one triangle
    TriangulateContour({Segments{{0, 1}, {1, 0}}}, square.Projection(), triangles);
    EXPECT_EQ(triangles.size(), 1u);  // fewer than three: nothing

    // Collinear points: no tip is an ear, each pass clips the shortest diagonal from the first.
    PlanarShape line;
    for (float x : {0.0f, 1.0f, 2.0f, 3.0f})
        line.AddVertex(x, 0);
    triangles.clear();
    TriangulateContour({Segments{{0, 1}, {1, 2}, {2, 3}, {3, 0}}}, line.Projection(), triangles);
    EXPECT_EQ(triangles, (std::vector<Triangle>{{3, 0, 1}, {1, 2, 3}}));
}

TEST(CapContours, TheEarTestMustKeepTheTriangleSidesOfTheRing) {
    // Read literally, every ring edge lying on the triangle's sides (s = 0) is removed, so a true
    // ear clips to nothing (W = 0) and is rejected; only shortest-diagonal clipping remains, which
    // puts triangles outside a concave polygon. The sound rule keeps the tip's own edges.
    PlanarShape square;
    for (auto [x, y] : {std::pair{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}})
        square.AddVertex(x, y);
    std::vector<Point2> points = square.Points();
    List1i ring;
    for (int64_t i : {1, 2, 3, 0})
        literal::Append(ring, new Item1i(i));
    literal::P2 a{0, 1}, b{0, 0}, c{1, 0};  // tip 0 between 3 and 1, X = 1
    EXPECT_EQ(literal::EarTest(ring, a, b, c, points, false), 0.0);
    EXPECT_DOUBLE_EQ(literal::EarTest(ring, a, b, c, points, true), 1.0);

    // A square with a narrow notch: the literal rule clips the notch's reflex tip first (its
    // diagonal is the shortest), a triangle outside the section; the sound rule covers it exactly.
    PlanarShape notched;
    notched.AddPolygon({{0, 0}, {4, 0}, {4, 4}, {2.1f, 4}, {2, 1}, {1.9f, 4}, {0, 4}});
    List2i contour;
    literal::ToList(notched.segments, contour);
    List3i strict;
    literal::TriangulateContour(contour, notched.Points(), strict, false);
    std::vector<Triangle> strictTriangles = literal::ToTriangles(strict);
    ASSERT_FALSE(strictTriangles.empty());
    EXPECT_EQ(strictTriangles.front(), (Triangle{3, 4, 5}));
    EXPECT_LT(TwiceArea(notched, {strictTriangles.front()}), 0.0);
    std::vector<Triangle> sound;
    TriangulateContour({notched.segments}, notched.Projection(), sound);
    EXPECT_NEAR(TwiceArea(notched, sound), 31.4, 1e-5);
    for (const Triangle& t : sound)
        EXPECT_GE(TwiceArea(notched, {t}), 0.0);
}

TEST(CapContours, TouchingContoursAreClassifiedByTheirOwnAreas) {
    // Two squares sharing vertex 0 (a cut through a pinch): two outer contours, two caps.
    PlanarShape shape;
    int64_t o = shape.AddVertex(0, 0);
    int64_t a = shape.AddVertex(1, 0), b = shape.AddVertex(1, 1), c = shape.AddVertex(0, 1);
    int64_t d = shape.AddVertex(-1, 0), e = shape.AddVertex(-1, -1), f = shape.AddVertex(0, -1);
    shape.AddLoop({o, a, b, c});
    shape.AddLoop({o, d, e, f});
    std::vector<Contour> outers, holes;
    ClassifyContours(AssembleContours(shape.segments), shape.Projection(), outers, holes);
    EXPECT_TRUE(holes.empty());
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_EQ(outers[0].key, 512);
    EXPECT_EQ(outers[1].key, 512);
    std::vector<Triangle> triangles;
    CapStatistics statistics;
    BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
    EXPECT_EQ(triangles.size(), 4u);
    EXPECT_DOUBLE_EQ(TwiceArea(shape, triangles), 4.0);
}
