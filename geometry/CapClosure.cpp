// The cap closure counts the directed edges that run within the cross-section (both ends on the
// plane): only those can be left unmatched by a cut of a closed mesh, since every other edge keeps
// both of its facets or loses both. Where the counts show a gap or a surplus, the contours involved
// are capped again from the edges actually missing, and a fan around a new vertex closes whatever
// the ear clipping cannot (loops too small for an area key, diagonals that fall on mesh edges).
#include "geometry/CapClosure.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>
#include <utility>

#include "geometry/CapTriangulation.h"

namespace {

bool Degenerate(const Triangle& t) {
    return t.a == t.b || t.b == t.c || t.c == t.a;
}

uint64_t EdgeKey(int64_t from, int64_t to) {
    return static_cast<uint64_t>(from) << 32 | static_cast<uint64_t>(static_cast<uint32_t>(to));
}

class EdgeCounts {
public:
    explicit EdgeCounts(const std::vector<uint8_t>& onPlane) : onPlane_(onPlane) {}

    void Add(const Triangle& t, int delta) {
        if (Degenerate(t)) return;
        Add(t.a, t.b, delta);
        Add(t.b, t.c, delta);
        Add(t.c, t.a, delta);
    }
    void Add(const std::vector<TriangleSpan>& spans) {
        for (const TriangleSpan& span : spans)
            for (uint64_t t = 0; t < span.count; ++t) {
                const int64_t* c = span.corners + t * 3;
                Add({c[0], c[1], c[2]}, 1);
            }
    }
    void Add(int64_t from, int64_t to, int delta) {
        if (onPlane_[from] && onPlane_[to]) counts_[EdgeKey(from, to)] += delta;
    }

    // An edge is sound when it is used exactly once each way (or not at all).
    bool Sound(int64_t from, int64_t to) const {
        if (!onPlane_[from] || !onPlane_[to]) return true;
        const int forward = Count(from, to), backward = Count(to, from);
        return (forward == 0 && backward == 0) || (forward == 1 && backward == 1);
    }
    bool Sound(const Triangle& t) const {
        return Degenerate(t) || (Sound(t.a, t.b) && Sound(t.b, t.c) && Sound(t.c, t.a));
    }
    bool AllSound() const {
        for (const auto& [key, count] : counts_)
            if (count != 0 &&
                !Sound(static_cast<int64_t>(key >> 32), static_cast<int64_t>(key & 0xFFFFFFFFu)))
                return false;
        return true;
    }

    // The reverse of every edge used more often one way than the other, as often as it is short;
    // sorted, so that the result does not depend on the table's order.
    std::vector<Segment> Missing() const {
        std::vector<Segment> missing;
        for (const auto& [key, count] : counts_) {
            const int64_t from = static_cast<int64_t>(key >> 32),
                          to = static_cast<int64_t>(key & 0xFFFFFFFFu);
            for (int k = Count(to, from); k < count; ++k)
                missing.push_back({to, from});
        }
        std::sort(missing.begin(), missing.end(), [](const Segment& x, const Segment& y) {
            return x.from < y.from || (x.from == y.from && x.to < y.to);
        });
        return missing;
    }

private:
    int Count(int64_t from, int64_t to) const {
        auto found = counts_.find(EdgeKey(from, to));
        return found == counts_.end() ? 0 : found->second;
    }

    const std::vector<uint8_t>& onPlane_;
    std::unordered_map<uint64_t, int> counts_;
};

// Takes out (and uncounts) the triangles of every contour that uses an unsound edge.
void DropUnsoundContours(EdgeCounts& counts, std::vector<Triangle>& triangles,
                         const std::vector<size_t>& ends, size_t begin) {
    std::vector<Triangle> kept(triangles.begin(), triangles.begin() + static_cast<ptrdiff_t>(begin));
    std::vector<std::pair<size_t, size_t>> dropped;
    for (size_t end : ends) {
        bool sound = true;
        for (size_t t = begin; t < end && sound; ++t)
            sound = counts.Sound(triangles[t]);
        if (sound)
            kept.insert(kept.end(), triangles.begin() + static_cast<ptrdiff_t>(begin),
                        triangles.begin() + static_cast<ptrdiff_t>(end));
        else
            dropped.emplace_back(begin, end);
        begin = end;
    }
    for (const auto& [from, to] : dropped)
        for (size_t t = from; t < to; ++t)
            counts.Add(triangles[t], -1);
    triangles = std::move(kept);
}

// Splits a closed walk into simple loops: where the walk comes back to a vertex it left before, the
// segments since then form a loop of their own. (A fan around one centre over a walk that passes a
// vertex twice would use the spokes to that vertex twice.)
void SplitIntoSimpleLoops(const std::vector<Segment>& walk, std::vector<std::vector<Segment>>& loops) {
    std::vector<Segment> stack;
    std::unordered_map<int64_t, size_t> leftAt;  // vertex -> position in `stack` of the segment leaving it
    for (const Segment& s : walk) {
        leftAt[s.from] = stack.size();
        stack.push_back(s);
        auto closed = leftAt.find(s.to);
        if (closed == leftAt.end()) continue;
        const size_t begin = closed->second;
        loops.emplace_back(stack.begin() + static_cast<ptrdiff_t>(begin), stack.end());
        for (size_t k = begin; k < stack.size(); ++k)
            leftAt.erase(stack[k].from);
        stack.resize(begin);
    }
}

// Walks the segments into closed loops without repeated vertices, following from each walk's end the
// first unused segment that starts there; a walk that cannot be closed is given up.
std::vector<std::vector<Segment>> ClosedLoops(const std::vector<Segment>& sorted) {
    std::vector<uint8_t> used(sorted.size(), 0);
    auto firstFrom = [&](int64_t vertex) {
        return static_cast<size_t>(std::lower_bound(sorted.begin(), sorted.end(), vertex,
                                                    [](const Segment& s, int64_t v) { return s.from < v; }) -
                                   sorted.begin());
    };
    std::vector<std::vector<Segment>> loops;
    for (size_t start = 0; start < sorted.size(); ++start) {
        if (used[start]) continue;
        used[start] = 1;
        std::vector<Segment> walk{sorted[start]};
        while (walk.back().to != walk.front().from) {
            size_t s = firstFrom(walk.back().to);
            while (s < sorted.size() && sorted[s].from == walk.back().to && used[s])
                ++s;
            if (s == sorted.size() || sorted[s].from != walk.back().to) break;
            used[s] = 1;
            walk.push_back(sorted[s]);
        }
        if (walk.back().to == walk.front().from) SplitIntoSimpleLoops(walk, loops);
    }
    return loops;
}

}  // namespace

std::vector<Segment> MissingPartners(const std::vector<TriangleSpan>& triangles,
                                     const std::vector<uint8_t>& onPlane) {
    EdgeCounts counts(onPlane);
    counts.Add(triangles);
    return counts.Missing();
}

void CloseCap(const std::vector<TriangleSpan>& kept, const std::vector<uint8_t>& onPlane,
              const float* vertices, uint64_t vertexCount, const PlaneProjection& projection,
              std::vector<Triangle>& cap, const std::vector<size_t>& contourEnds,
              const std::function<std::vector<Segment>()>& openBefore, std::vector<float>& apexes) {
    EdgeCounts counts(onPlane);
    counts.Add(kept);
    for (const Triangle& t : cap)
        counts.Add(t, 1);
    if (counts.AllSound()) return;
    for (const Segment& partner : openBefore())
        counts.Add(partner.from, partner.to, 1);
    if (counts.AllSound()) return;

    DropUnsoundContours(counts, cap, contourEnds, 0);
    const size_t recapped = cap.size();
    std::vector<size_t> ends;
    CapStatistics ignored;
    BuildCapTriangles(counts.Missing(), projection, cap, ignored, &ends);
    for (size_t t = recapped; t < cap.size(); ++t)
        counts.Add(cap[t], 1);
    DropUnsoundContours(counts, cap, ends, recapped);

    for (const std::vector<Segment>& loop : ClosedLoops(counts.Missing())) {
        if (loop.size() == 3) {  // a triangle needs no centre
            cap.push_back({loop[0].from, loop[1].from, loop[2].from});
            continue;
        }
        double sum[3] = {0, 0, 0};
        for (const Segment& s : loop)
            for (int axis = 0; axis < 3; ++axis)
                sum[axis] += vertices[s.from * 3 + axis];
        const int64_t apex = static_cast<int64_t>(vertexCount + apexes.size() / 3);
        for (double coordinate : sum)
            apexes.push_back(static_cast<float>(coordinate / static_cast<double>(loop.size())));
        for (const Segment& s : loop)
            cap.push_back({s.from, s.to, apex});
    }
}
