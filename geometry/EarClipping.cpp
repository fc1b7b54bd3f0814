// Ear clipping with an area-based ear test: the ring is clipped to the candidate triangle (Sutherland-
// Hodgman per edge, then the gaps between the surviving pieces are closed), and the tip is an ear when
// the clipped area covers the triangle. Clipping is per edge, so only the edges that can survive
// matter, and a grid over the ring (RingEdgeGrid) finds them. An edge survives only if it passes
// within the rounding slack of the triangle; the grid is asked for the cells near the triangle
// widened by a bound on that slack (which grows near sharp corners), and the survivors are summed in
// ring order, so W is bit for bit that of clipping the whole ring.
#include "geometry/EarClipping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "geometry/RingEdgeGrid.h"

namespace {

constexpr double kTinyDifference = 2.220446049250313e-16;  // 2^-52
constexpr double kEarTolerance = 1.000001;
constexpr double kSideRounding = 9.094947017729282e-13;  // 2^-40, far above the rounding of s

struct Edge2 {
    double x1;
    double y1;
    double x2;
    double y2;
};

// A clip line through q with direction e (the triangle's side on it runs along -e); the kept side is
// s < 0. A value within rounding of 0 is taken as 0, so that the triangle's own corners and the
// corners of the ring that coincide with them lie exactly on the line whatever their magnitudes.
struct ClipLine {
    Point2d q;
    Point2d e;

    double Side(double x, double y) const {
        double s = (y * e.x - e.y * x) + (e.y * q.x - q.y * e.x);
        double bound = kSideRounding * (std::fabs(e.x) + std::fabs(e.y)) *
                       (std::fabs(x) + std::fabs(y) + std::fabs(q.x) + std::fabs(q.y));
        return std::fabs(s) <= bound ? 0.0 : s;
    }
};

// Clips one edge to the open triangle given by its three lines, in order, except that an edge lying
// on a line survives when it runs the way the triangle's side does: so the tip's own edges count,
// and the far side of a hole's bridge, which runs the other way, does not cancel them. (Removing
// every edge on the lines would reject every true ear.) False: nothing is left.
bool ClipEdge(Edge2& edge, const ClipLine (&lines)[3]) {
    for (const ClipLine& line : lines) {
        double s0 = line.Side(edge.x1, edge.y1);
        double s1 = line.Side(edge.x2, edge.y2);
        if (s0 == 0 && s1 == 0) {
            if ((edge.x2 - edge.x1) * line.e.x + (edge.y2 - edge.y1) * line.e.y < 0) continue;
            return false;
        }
        if (s0 >= 0 && s1 >= 0) return false;
        if (s0 < 0 && s1 >= 0) {
            if (std::fabs(s0 - s1) < kTinyDifference) return false;
            double dx = edge.x2 - edge.x1;
            double dy = edge.y2 - edge.y1;
            edge.x2 += dx * s1 / (s0 - s1);
            edge.y2 += dy * s1 / (s0 - s1);
        } else if (s0 >= 0 && s1 < 0) {
            if (std::fabs(s0 - s1) < kTinyDifference) continue;
            double dx = edge.x2 - edge.x1;
            double dy = edge.y2 - edge.y1;
            edge.x1 += dx * s0 / (s0 - s1);
            edge.y1 += dy * s0 / (s0 - s1);
        }
    }
    return true;
}

// Twice the signed area of the clipped pieces, in order, with a closing piece from each piece's
// predecessor (the last for the first) wherever the two do not meet exactly.
double ClosedArea(const std::vector<Edge2>& pieces) {
    double w = 0.0;
    size_t n = pieces.size();
    for (size_t k = 0; k < n; ++k) {
        const Edge2& piece = pieces[k];
        const Edge2& before = pieces[k == 0 ? n - 1 : k - 1];
        if (piece.x1 != before.x2 || piece.y1 != before.y2) w += before.x2 * piece.y1 - before.y2 * piece.x1;
        w += piece.x1 * piece.y2 - piece.y1 * piece.x2;
    }
    return w;
}

class EarClipper {
public:
    EarClipper(const Contour& contour, const PlaneProjection& projection)
        : count_(static_cast<int32_t>(contour.segments.size())), grid_(Setup(contour, projection), count_) {
        for (int32_t i = 0; i < count_; ++i)
            grid_.Set(i, points_[Prev(i)], points_[i]);
    }

    void Run(std::vector<Triangle>& triangles) {
        int32_t start = last_;
        while (count_ > 3) {
            int32_t ear = FindEar(start);
            if (ear < 0) ear = ShortestDiagonalTip();
            int32_t a = Prev(ear);
            int32_t c = Next(ear);
            triangles.push_back({vertex_[a], vertex_[ear], vertex_[c]});
            start = ear == last_ ? a : next_[ear];
            Remove(ear);
            grid_.Set(c, points_[a], points_[c]);
        }
        int32_t second = next_[first_];
        triangles.push_back({vertex_[first_], vertex_[second], vertex_[next_[second]]});
    }

private:
    const std::vector<Point2d>& Setup(const Contour& contour, const PlaneProjection& projection) {
        size_t n = contour.segments.size();
        vertex_.resize(n);
        points_.resize(n);
        points2f_.resize(n);
        next_.resize(n);
        prev_.resize(n);
        stamp_.assign(n, 0);
        double largest = 0;
        for (size_t i = 0; i < n; ++i) {
            vertex_[i] = contour.segments[i].from;
            Point2 p = projection(vertex_[i]);
            points2f_[i] = p;
            points_[i] = {p.u, p.v};
            next_[i] = static_cast<int32_t>(i + 1);
            prev_[i] = static_cast<int32_t>(i) - 1;
            largest =
                std::max({largest, std::fabs(static_cast<double>(p.u)), std::fabs(static_cast<double>(p.v))});
        }
        first_ = 0;
        last_ = static_cast<int32_t>(n) - 1;
        next_[last_] = -1;
        // Side values within 2^-40 (|e| (|p| + |q|)) count as 0, which is a distance of up to 2^-38
        // times the largest coordinate; rounding adds far less.
        slack_ = std::ldexp(largest, -37);
        return points_;
    }

    int32_t Next(int32_t i) const { return next_[i] >= 0 ? next_[i] : first_; }
    int32_t Prev(int32_t i) const { return prev_[i] >= 0 ? prev_[i] : last_; }

    void Remove(int32_t i) {
        if (prev_[i] >= 0)
            next_[prev_[i]] = next_[i];
        else
            first_ = next_[i];
        if (next_[i] >= 0)
            prev_[next_[i]] = prev_[i];
        else
            last_ = prev_[i];
        grid_.Remove(i);
        --count_;
    }

    // Scans count_ tips from `start`; the first ear, or the second when its diagonal is shorter.
    int32_t FindEar(int32_t start) {
        int32_t ear = -1;
        double earDiagonal = 0;
        int32_t tip = start;
        for (int32_t k = 0; k < count_; ++k) {
            int32_t a = Prev(tip);
            int32_t c = Next(tip);
            const Point2d& pa = points_[a];
            const Point2d& pb = points_[tip];
            const Point2d& pc = points_[c];
            double x = (pb.y - pc.y) * (pa.x - pb.x) - (pb.x - pc.x) * (pa.y - pb.y);
            if (x > 0 && !(x > kEarTolerance * std::fabs(ClippedRingArea(pa, pb, pc, x)))) {
                double diagonal = (pc.x - pa.x) * (pc.x - pa.x) + (pc.y - pa.y) * (pc.y - pa.y);
                if (ear < 0) {
                    ear = tip;
                    earDiagonal = diagonal;
                } else {
                    if (diagonal < earDiagonal) ear = tip;
                    break;
                }
            }
            tip = c;
        }
        return ear;
    }

    // Over all tips from the ring's first element: the shortest diagonal in single precision.
    int32_t ShortestDiagonalTip() const {
        int32_t best = first_;
        float bestDiagonal = 0;
        for (int32_t tip = first_; tip >= 0; tip = next_[tip]) {
            Point2 a = points2f_[Prev(tip)];
            Point2 c = points2f_[Next(tip)];
            float du = c.u - a.u;
            float dv = c.v - a.v;
            float diagonal = du * du + dv * dv;
            if (tip == first_ || diagonal < bestDiagonal) {
                best = tip;
                bestDiagonal = diagonal;
            }
        }
        return best;
    }

    // W of the ear test for the tip triangle abc with twice-area x > 0.
    double ClippedRingArea(const Point2d& a, const Point2d& b, const Point2d& c, double x) {
        const ClipLine lines[3] = {
            {a, {a.x - b.x, a.y - b.y}}, {b, {b.x - c.x, b.y - c.y}}, {c, {c.x - a.x, c.y - a.y}}};
        double margin = QueryMargin(a, b, c, x);
        if (++currentStamp_ == 0) {
            std::fill(stamp_.begin(), stamp_.end(), 0);
            currentStamp_ = 1;
        }
        candidates_.clear();
        grid_.Query(a, b, c, margin, [&](int32_t edge) {
            if (stamp_[edge] == currentStamp_) return;
            stamp_[edge] = currentStamp_;
            candidates_.push_back(edge);
        });
        // Ring edges run (last -> first), (first -> second), ...: the order of their end elements.
        std::sort(candidates_.begin(), candidates_.end());
        pieces_.clear();
        for (int32_t edge : candidates_) {
            const Point2d& from = points_[Prev(edge)];
            const Point2d& to = points_[edge];
            Edge2 piece{from.x, from.y, to.x, to.y};
            if (ClipEdge(piece, lines)) pieces_.push_back(piece);
        }
        return ClosedArea(pieces_);
    }

    // How far outside the triangle a surviving edge may pass: the slack of the clipping (values taken
    // as 0, rounding, and the difference below which a crossing is not computed on the shortest
    // side), widened by 2 / sin of the sharpest corner, which is how far that slack moves a corner.
    // Infinite: every edge is a candidate.
    double QueryMargin(const Point2d& a, const Point2d& b, const Point2d& c, double x) const {
        double ab = std::hypot(b.x - a.x, b.y - a.y);
        double bc = std::hypot(c.x - b.x, c.y - b.y);
        double ca = std::hypot(a.x - c.x, a.y - c.y);
        double shortest = std::min({ab, bc, ca});
        double slack = std::max(slack_, std::ldexp(1.0, -50) / shortest);
        double corner = std::max({ab * ca, ab * bc, bc * ca});
        double margin = 4 * slack * (1 + 2 * corner / x);
        return std::isfinite(margin) ? margin : std::numeric_limits<double>::infinity();
    }

    int32_t count_;
    std::vector<int64_t> vertex_;
    std::vector<Point2d> points_;
    std::vector<Point2> points2f_;
    std::vector<int32_t> next_;  // -1 after the last element
    std::vector<int32_t> prev_;  // -1 before the first element
    std::vector<uint32_t> stamp_;
    int32_t first_ = 0;
    int32_t last_ = 0;
    double slack_ = 0;
    uint32_t currentStamp_ = 0;
    RingEdgeGrid grid_;
    std::vector<int32_t> candidates_;
    std::vector<Edge2> pieces_;
};

}  // namespace

void TriangulateContour(const Contour& contour, const PlaneProjection& projection,
                        std::vector<Triangle>& triangles) {
    const std::vector<Segment>& segments = contour.segments;
    if (segments.size() < 3) return;
    if (segments.size() == 3) {
        triangles.push_back({segments[0].from, segments[1].from, segments[2].from});
        return;
    }
    EarClipper(contour, projection).Run(triangles);
}
