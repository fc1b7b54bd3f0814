// The fast contour, bridging and ear-clipping code against the literal list procedures, on many
// generated arrangements: nested holes, lone holes, touching contours, lattice points with ties.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "CapShapes.h"
#include "LiteralCapProcedures.h"
#include "geometry/CapTriangulation.h"
#include "geometry/ContourAssembly.h"
#include "geometry/ContourClassification.h"
#include "geometry/EarClipping.h"
#include "geometry/HoleBridging.h"

namespace {

std::vector<Contour> LiteralAssembly(const std::vector<Segment>& segments) {
    List2i e, contours;
    literal::ToList(segments, e);
    literal::AssembleContours(e, contours);
    EXPECT_EQ(contours.cursor, contours.last);
    return literal::ToContours(contours);
}

// Random segment soups: short cycles over few vertices, repeated segments, self loops, open runs.
std::vector<Segment> RandomSegments(std::mt19937& random) {
    std::uniform_int_distribution<int> vertex(0, 7), length(0, 40);
    std::vector<Segment> segments;
    int n = length(random);
    for (int i = 0; i < n; ++i)
        segments.push_back({vertex(random), vertex(random)});
    return segments;
}

}  // namespace

TEST(CapOracle, AssemblyMatchesTheChainMatchingProcedure) {
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::vector<Segment> segments =
            round % 2 == 0 ? RandomSegments(random) : RandomArrangement(random, round % 4 == 1).segments;
        ASSERT_EQ(AssembleContours(segments), LiteralAssembly(segments)) << "round " << round;
    }
}

TEST(CapOracle, ClassificationAndBridgingMatchTheListProcedures) {
    std::mt19937 random(12);
    for (int round = 0; round < 400; ++round) {
        PlanarShape shape = RandomArrangement(random, round % 3 == 0);
        literal::CapRun expected = literal::MakeCap(shape.segments, shape.Points());

        std::vector<Contour> outers, holes;
        ClassifyContours(AssembleContours(shape.segments), shape.Projection(), outers, holes);
        if (!holes.empty()) BridgeHoles(outers, holes, shape.Projection());
        ASSERT_EQ(outers, expected.outers) << "round " << round;
        ASSERT_EQ(holes, expected.holes) << "round " << round;
    }
}

TEST(CapOracle, TriangulationMatchesTheListProcedures) {
    std::mt19937 random(13);
    for (int round = 0; round < 500; ++round) {
        PlanarShape shape = RandomArrangement(random, round % 3 == 0);
        literal::CapRun expected = literal::MakeCap(shape.segments, shape.Points());
        std::vector<Triangle> triangles;
        CapStatistics statistics;
        BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
        ASSERT_EQ(triangles, expected.triangles) << "round " << round;
        EXPECT_EQ(statistics.openHoles, static_cast<int64_t>(expected.holes.size()));
    }
}

TEST(CapOracle, LargeRingsMatchWhereTheGridMatters) {
    // Rings long enough for the edge grid, with sharp spikes (slivers whose rounding slack reaches
    // far beyond their box) and lattice ties.
    std::mt19937 random(14);
    for (int round = 0; round < 40; ++round) {
        PlanarShape shape;
        int n = 60 + round * 5;
        auto outer = StarPolygon(random, 0, 0, 5, 50, n, false, round % 2 == 0);
        for (int spike = 0; spike < 4; ++spike)
            outer[(spike * 37 + round) % n] = {outer[(spike * 37 + round) % n].first * 3,
                                               outer[(spike * 37 + round) % n].second * 3};
        shape.AddPolygon(outer);
        if (round % 3 == 0) shape.AddPolygon(StarPolygon(random, 0, 0, 1, 4, 20, true, false));
        literal::CapRun expected = literal::MakeCap(shape.segments, shape.Points());
        std::vector<Triangle> triangles;
        CapStatistics statistics;
        BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
        ASSERT_EQ(triangles, expected.triangles) << "round " << round;
    }
}

TEST(CapOracle, ManyHolesBridgeAsTheListProcedures) {
    // Porous sections: a disc with a grid of small holes (lattice points give many equal distances),
    // each hole merged into the disc grown by the holes before it.
    std::mt19937 random(15);
    for (int round = 0; round < 4; ++round) {
        PlanarShape shape;
        shape.AddPolygon(StarPolygon(random, 0, 0, 60, 62, 200, false, round % 2 == 0));
        int side = 4 + round * 2;
        for (int i = 0; i < side * side; ++i) {
            float cx = -40 + 80.0f * static_cast<float>(i % side + 0.5) / static_cast<float>(side);
            float cy = -40 + 80.0f * static_cast<float>(i / side + 0.5) / static_cast<float>(side);
            shape.AddPolygon(StarPolygon(random, cx, cy, 1, 2.5f, 8 + i % 9, true, round % 2 == 0));
        }
        std::shuffle(shape.segments.begin(), shape.segments.end(), random);
        literal::CapRun expected = literal::MakeCap(shape.segments, shape.Points());
        std::vector<Contour> outers, holes;
        ClassifyContours(AssembleContours(shape.segments), shape.Projection(), outers, holes);
        BridgeHoles(outers, holes, shape.Projection());
        ASSERT_EQ(outers, expected.outers) << "round " << round;
        ASSERT_EQ(holes, expected.holes) << "round " << round;
    }
}

TEST(CapOracle, LongChainsOfBridgedHolesMatchTheListProcedures) {
    // Small triangular holes in a row, each bridged to the one merged before it, nest their order
    // labels deeper and deeper until the outer contour has to be labelled afresh.
    for (bool forward : {true, false}) {
        PlanarShape shape;
        shape.AddPolygon({{-10, -10}, {200, -10}, {200, 10}, {-10, 10}});
        for (int i = 0; i < 80; ++i) {
            float x = static_cast<float>(i) * 2.0f;
            shape.AddPolygon({{x, 0}, {x + 0.5f, 1}, {x + 1, 0}});  // clockwise
        }
        if (!forward) std::reverse(shape.segments.begin(), shape.segments.end());
        literal::CapRun expected = literal::MakeCap(shape.segments, shape.Points());
        std::vector<Triangle> triangles;
        CapStatistics statistics;
        BuildCapTriangles(shape.segments, shape.Projection(), triangles, statistics);
        EXPECT_EQ(statistics.holes, 80);
        EXPECT_EQ(statistics.openHoles, 0);
        EXPECT_EQ(triangles, expected.triangles);
    }
}
