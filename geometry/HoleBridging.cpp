// Hole bridging keeps every contour as a cycle of segment nodes. Each original contour gets a tree
// of bounding boxes over runs of its segments (consecutive segments are close, so halving the run
// gives good boxes); an outer contour is searched through the trees of everything merged into it
// plus its bridges, pruning boxes that cannot hold a value as small as the best so far. Ties are
// broken by position from the contour's current first segment, which order labels give in constant
// time: labels increase along each cycle (modulo 2^64), and a merged hole takes labels from the gap
// where it is inserted, the cycle being relabelled when the gap is too small.
#include "geometry/HoleBridging.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

constexpr double kTinySquaredLength = 2.220446049250313e-16;  // 2^-52
// Computed squared distances are within 2^-21 (relative) of exact ones; boxes are pruned only when
// they lie farther than that.
constexpr double kPruneSlack = 1 - 9.5367431640625e-07;  // 1 - 2^-20
constexpr int32_t kLeafSize = 8;

// Sorts by ascending key; on equal keys an element of the second half goes first.
void MergeSortByKey(std::vector<Contour>& items, size_t begin, size_t end, std::vector<Contour>& scratch) {
    size_t n = end - begin;
    if (n < 2) return;
    if (n == 2) {
        if (items[begin].key > items[begin + 1].key) std::swap(items[begin], items[begin + 1]);
        return;
    }
    size_t middle = begin + n / 2;
    MergeSortByKey(items, middle, end, scratch);
    MergeSortByKey(items, begin, middle, scratch);
    scratch.clear();
    size_t first = begin;
    size_t second = middle;
    while (second < end) {
        if (first < middle && items[second].key > items[first].key)
            scratch.push_back(std::move(items[first++]));
        else
            scratch.push_back(std::move(items[second++]));
    }
    while (first < middle)
        scratch.push_back(std::move(items[first++]));
    std::move(scratch.begin(), scratch.end(), items.begin() + static_cast<ptrdiff_t>(begin));
}

float SquaredDistance(Point2 a, Point2 b) {
    float du = a.u - b.u;
    float dv = a.v - b.v;
    return du * du + dv * dv;
}

struct Box {
    double minU = std::numeric_limits<double>::infinity(), minV = minU;
    double maxU = -std::numeric_limits<double>::infinity(), maxV = maxU;

    // Ignores NaN coordinates (their features never win); a box never widened stays empty.
    void Add(Point2 p) {
        if (p.u < minU) minU = p.u;
        if (p.u > maxU) maxU = p.u;
        if (p.v < minV) minV = p.v;
        if (p.v > maxV) maxV = p.v;
    }
    void Add(const Box& b) {
        minU = std::min(minU, b.minU), maxU = std::max(maxU, b.maxU);
        minV = std::min(minV, b.minV), maxV = std::max(maxV, b.maxV);
    }
    // Squared distance from the box to another box (or point); infinite when either is empty.
    double LowerBound(const Box& b) const {
        if (!(minU <= maxU) || !(b.minU <= b.maxU)) return std::numeric_limits<double>::infinity();
        double du = std::max({minU - b.maxU, 0.0, b.minU - maxU});
        double dv = std::max({minV - b.maxV, 0.0, b.minV - maxV});
        return du * du + dv * dv;
    }
    static Box Around(Point2 p) {
        Box b;
        b.Add(p);
        return b;
    }
};

// The nearest feature found so far: smallest value, then earliest position from the first segment
// (a segment's start vertex before the segment).
struct Nearest {
    double value;  // |signed|
    uint64_t position;
    int kind;  // 0 the segment's start vertex, 1 the segment itself
    int32_t node;
    double signedValue;

    bool Beaten(double v, uint64_t p, int k) const {
        return v < value || (v == value && (p < position || (p == position && k < kind)));
    }
};

class Bridger {
public:
    Bridger(std::vector<Contour>& outers, std::vector<Contour>& holes, const PlaneProjection& projection)
        : outers_(outers), holes_(holes), projection_(projection) {}

    void Run() {
        for (Contour& outer : outers_) {
            int32_t root = -1;
            Outer state;
            state.start = AddContour(outer, root);
            state.size = static_cast<int64_t>(outer.segments.size());
            AddPart(state, root);
            outerState_.push_back(state);
            Relabel(outerState_.back());
        }
        std::vector<Contour> unplaced;
        for (Contour& hole : holes_) {
            int32_t root = -1;
            const int32_t first = AddContour(hole, root);
            Point2 test = nodes_[first + static_cast<int32_t>(hole.segments.size()) - 1].fromPoint;
            size_t chosen = outers_.size();
            for (size_t o = 0; o < outers_.size(); ++o) {
                if (outers_[o].key + hole.key > 0 && SignedDistance(test, outerState_[o]) <= 0) {
                    chosen = o;
                    break;
                }
            }
            if (chosen == outers_.size()) {
                unplaced.push_back(std::move(hole));
                continue;
            }
            Merge(outerState_[chosen], first, static_cast<int32_t>(hole.segments.size()), root);
        }
        for (size_t o = 0; o < outers_.size(); ++o)
            Materialise(outerState_[o], outers_[o]);
        holes_ = std::move(unplaced);
    }

private:
    struct Node {
        int64_t from;
        int64_t to;
        Point2 fromPoint;
        Point2 toPoint;
        int32_t next;
        int32_t prev;
        uint64_t label;
    };
    // A node of a bounding-box tree: over a contour's segment nodes (a leaf holds nodes
    // first..last-1, consecutive within one contour) or over an outer contour's parts (a leaf holds
    // parts first..last-1).
    struct TreeNode {
        Box box;
        int32_t first;
        int32_t last;
        int32_t left = -1;
        int32_t right = -1;
    };
    struct Outer {
        int32_t start;
        int64_t size;
        // Tree roots of its parts: the original contour and every merged hole with its bridges. The
        // first `indexed` are in the part tree; the rest, fewer than about their square root, are
        // searched one by one until the part tree is rebuilt.
        std::vector<int32_t> parts;
        std::vector<TreeNode> partTree;
        size_t indexed = 0;
    };

    // Appends the contour's segments as a cycle of nodes and builds its tree (`root`); returns the
    // first node.
    int32_t AddContour(const Contour& contour, int32_t& root) {
        int32_t first = static_cast<int32_t>(nodes_.size());
        int32_t n = static_cast<int32_t>(contour.segments.size());
        for (int32_t i = 0; i < n; ++i) {
            const Segment& s = contour.segments[i];
            nodes_.push_back({s.from, s.to, projection_(s.from), projection_(s.to), first + (i + 1) % n,
                              first + (i + n - 1) % n, 0});
        }
        root = Build(first, first + n);
        return first;
    }

    int32_t Build(int32_t first, int32_t last) {
        TreeNode node{Box{}, first, last};
        if (last - first > kLeafSize) {
            int32_t middle = first + (last - first) / 2;
            node.left = Build(first, middle);
            node.right = Build(middle, last);
            node.box = tree_[node.left].box;
            node.box.Add(tree_[node.right].box);
        } else {
            for (int32_t i = first; i < last; ++i) {
                node.box.Add(nodes_[i].fromPoint);
                node.box.Add(nodes_[i].toPoint);
            }
        }
        tree_.push_back(node);
        return static_cast<int32_t>(tree_.size()) - 1;
    }

    uint64_t Position(const Outer& outer, int32_t node) const {
        return nodes_[node].label - nodes_[outer.start].label;
    }

    // Calls visit(node) for the nodes of every leaf of the contour's parts whose box may hold a value
    // <= bound(): part tree first, then the parts not yet in it.
    template <typename Visit, typename Bound>
    void Search(const Outer& outer, const Box& p, Visit& visit, Bound& bound) {
        if (!outer.partTree.empty()) {
            partStack_.assign(1, 0);
            while (!partStack_.empty()) {
                const TreeNode& t = outer.partTree[partStack_.back()];
                partStack_.pop_back();
                if (t.box.LowerBound(p) * kPruneSlack > bound()) continue;
                if (t.left < 0) {
                    for (int32_t i = t.first; i < t.last; ++i)
                        SearchTree(outer.parts[i], p, visit, bound);
                    continue;
                }
                const bool leftNearer =
                    outer.partTree[t.left].box.LowerBound(p) <= outer.partTree[t.right].box.LowerBound(p);
                partStack_.push_back(leftNearer ? t.right : t.left);
                partStack_.push_back(leftNearer ? t.left : t.right);
            }
        }
        for (size_t i = outer.indexed; i < outer.parts.size(); ++i)
            SearchTree(outer.parts[i], p, visit, bound);
    }

    template <typename Visit, typename Bound>
    void SearchTree(int32_t root, const Box& p, Visit& visit, Bound& bound) {
        stack_.assign(1, root);
        while (!stack_.empty()) {
            const TreeNode& t = tree_[stack_.back()];
            stack_.pop_back();
            if (t.box.LowerBound(p) * kPruneSlack > bound()) continue;
            if (t.left < 0) {
                for (int32_t i = t.first; i < t.last; ++i)
                    visit(i);
                continue;
            }
            // The nearer child is searched first, so the bound tightens early.
            const bool leftNearer = tree_[t.left].box.LowerBound(p) <= tree_[t.right].box.LowerBound(p);
            stack_.push_back(leftNearer ? t.right : t.left);
            stack_.push_back(leftNearer ? t.left : t.right);
        }
    }

    void AddPart(Outer& outer, int32_t root) {
        outer.parts.push_back(root);
        const size_t n = outer.parts.size();
        if (static_cast<double>(n - outer.indexed) > 8 + std::sqrt(static_cast<double>(n))) {
            outer.partTree.clear();
            BuildPartTree(outer, 0, static_cast<int32_t>(n));
            outer.indexed = n;
        }
    }

    // Builds the part tree over parts first..last-1 (reordering them), split at the median centre
    // along the wider side; returns the node.
    int32_t BuildPartTree(Outer& outer, int32_t first, int32_t last) {
        TreeNode node{Box{}, first, last};
        for (int32_t i = first; i < last; ++i)
            node.box.Add(tree_[outer.parts[i]].box);
        const int32_t index = static_cast<int32_t>(outer.partTree.size());
        outer.partTree.push_back(node);
        if (last - first <= 4) return index;
        Box centres;
        for (int32_t i = first; i < last; ++i) {
            const Box& b = tree_[outer.parts[i]].box;
            centres.Add(
                Point2{static_cast<float>((b.minU + b.maxU) / 2), static_cast<float>((b.minV + b.maxV) / 2)});
        }
        const bool alongU = !(centres.maxV - centres.minV > centres.maxU - centres.minU);
        auto centre = [&](int32_t part) {
            const Box& b = tree_[part].box;
            return alongU ? b.minU + b.maxU : b.minV + b.maxV;
        };
        const int32_t middle = first + (last - first) / 2;
        std::nth_element(outer.parts.begin() + first, outer.parts.begin() + middle,
                         outer.parts.begin() + last,
                         [&](int32_t a, int32_t b) { return centre(a) < centre(b); });
        const int32_t left = BuildPartTree(outer, first, middle);
        const int32_t right = BuildPartTree(outer, middle, last);
        outer.partTree[index].left = left;
        outer.partTree[index].right = right;
        return index;
    }

    // Signed squared distance from p to the outer contour as it now is, negative inside.
    double SignedDistance(Point2 p, const Outer& outer) {
        float first = SquaredDistance(p, nodes_[outer.start].fromPoint);
        if (std::isnan(first)) return first;  // a first value of NaN is never replaced
        Nearest best{first, 0, 0, outer.start, first};
        auto visit = [&](int32_t i) {
            const Node& n = nodes_[i];
            const uint64_t position = Position(outer, i);
            const double d = SquaredDistance(p, n.fromPoint);
            if (best.Beaten(d, position, 0)) best = {d, position, 0, i, d};
            const double ex = static_cast<double>(n.toPoint.u) - n.fromPoint.u;
            const double ey = static_cast<double>(n.toPoint.v) - n.fromPoint.v;
            const double rx = static_cast<double>(p.u) - n.fromPoint.u;
            const double ry = static_cast<double>(p.v) - n.fromPoint.v;
            const double along = ex * rx + ey * ry;
            const double length2 = ex * ex + ey * ey;
            if (along >= 0 && length2 >= kTinySquaredLength && along <= length2) {
                const double x = ey * rx - ry * ex;
                const double t = x * std::fabs(x) / length2;
                if (best.Beaten(std::fabs(t), position, 1)) best = {std::fabs(t), position, 1, i, t};
            }
        };
        auto bound = [&] { return best.value; };
        Search(outer, Box::Around(p), visit, bound);
        if (best.kind == 1) return best.signedValue;
        const Node& q = nodes_[best.node];
        const Point2 v = q.fromPoint, previous = nodes_[q.prev].fromPoint, next = q.toPoint;
        const double turn = (static_cast<double>(v.u) - previous.u) * (static_cast<double>(next.v) - v.v) -
                            (static_cast<double>(v.v) - previous.v) * (static_cast<double>(next.u) - v.u);
        return turn < 0 ? -best.value : best.value;
    }

    // Merges the hole of `count` nodes from `first` (tree `root`) into `outer` at the closest pair
    // of segment starts: smallest distance below 1e30, then earliest outer position, then earliest
    // hole segment; without any such pair, at both starts.
    void Merge(Outer& outer, int32_t first, int32_t count, int32_t root) {
        float bestDistance = 1e30f;
        uint64_t bestPosition = 0;
        int32_t bestOuter = outer.start;
        int32_t bestHole = first;
        // One search over the outer contour with the hole's box; each segment start found is paired
        // with every start of the hole.
        auto visit = [&](int32_t i) {
            const Point2 o = nodes_[i].fromPoint;
            const uint64_t position = Position(outer, i);
            for (int32_t h = first; h < first + count; ++h) {
                const float d = SquaredDistance(o, nodes_[h].fromPoint);
                if (d < bestDistance ||
                    (d == bestDistance && bestDistance < 1e30f &&
                     (position < bestPosition || (position == bestPosition && h < bestHole)))) {
                    bestDistance = d, bestPosition = position, bestOuter = i, bestHole = h;
                }
            }
        };
        auto bound = [&] { return static_cast<double>(bestDistance); };
        Search(outer, tree_[root].box, visit, bound);
        Join(outer, bestOuter, bestHole, count, root);
    }

    int32_t AddBridge(int64_t from, int64_t to) {
        nodes_.push_back({from, to, projection_(from), projection_(to), -1, -1, 0});
        return static_cast<int32_t>(nodes_.size()) - 1;
    }

    void Link(int32_t a, int32_t b) {
        nodes_[a].next = b;
        nodes_[b].prev = a;
    }

    // Rotates the outer contour to begin at `outerNode` and the hole at `holeNode`, puts the bridges
    // in front of both (unless the two start at one vertex) and appends the hole to the outer contour.
    void Join(Outer& outer, int32_t outerNode, int32_t holeNode, int32_t count, int32_t root) {
        const int32_t outerLast = nodes_[outerNode].prev;
        const int32_t holeLast = nodes_[holeNode].prev;
        const int64_t o = nodes_[outerNode].from;
        const int64_t h = nodes_[holeNode].from;
        int64_t inserted = count;
        if (o != h) {
            const int32_t toOuter = AddBridge(h, o);
            const int32_t toHole = AddBridge(o, h);
            Link(outerLast, toHole);
            Link(toHole, holeNode);
            Link(holeLast, toOuter);
            Link(toOuter, outerNode);
            outer.start = toOuter;
            // The bridges (consecutive nodes) join the hole's tree as one part.
            TreeNode joined{tree_[root].box, 0, 0, root, Build(toOuter, toHole + 1)};
            joined.box.Add(tree_[joined.right].box);
            tree_.push_back(joined);
            root = static_cast<int32_t>(tree_.size()) - 1;
            inserted += 2;
        } else {
            Link(outerLast, holeNode);
            Link(holeLast, outerNode);
            outer.start = outerNode;
        }
        AddPart(outer, root);
        outer.size += inserted;
        // The inserted run lies between outerLast and outerNode in the cycle.
        const uint64_t gap = nodes_[outerNode].label - nodes_[outerLast].label;
        if (gap <= static_cast<uint64_t>(inserted)) {
            Relabel(outer);
            return;
        }
        const uint64_t step = gap / static_cast<uint64_t>(inserted + 1);
        uint64_t label = nodes_[outerLast].label;
        for (int32_t i = nodes_[outerLast].next; i != outerNode; i = nodes_[i].next)
            nodes_[i].label = label += step;
    }

    void Relabel(Outer& outer) {
        uint64_t step = std::numeric_limits<uint64_t>::max() / static_cast<uint64_t>(outer.size + 1);
        uint64_t label = 0;
        int32_t i = outer.start;
        for (int64_t k = 0; k < outer.size; ++k, i = nodes_[i].next) {
            nodes_[i].label = label;
            label += step;
        }
    }

    void Materialise(const Outer& outer, Contour& contour) {
        contour.segments.clear();
        int32_t i = outer.start;
        for (int64_t k = 0; k < outer.size; ++k, i = nodes_[i].next)
            contour.segments.push_back({nodes_[i].from, nodes_[i].to});
    }

    std::vector<Contour>& outers_;
    std::vector<Contour>& holes_;
    const PlaneProjection& projection_;
    std::vector<Node> nodes_;
    std::vector<TreeNode> tree_;
    std::vector<Outer> outerState_;
    std::vector<int32_t> stack_;
    std::vector<int32_t> partStack_;
};

}  // namespace

void SortContoursByKey(std::vector<Contour>& contours) {
    std::vector<Contour> scratch;
    MergeSortByKey(contours, 0, contours.size(), scratch);
}

void BridgeHoles(std::vector<Contour>& outers, std::vector<Contour>& holes,
                 const PlaneProjection& projection) {
    SortContoursByKey(outers);
    Bridger(outers, holes, projection).Run();
}
