#pragma once
// A sparse uniform grid over the edges of a polygon ring that changes as ears are clipped, for
// finding the edges near a triangle.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

struct Point2d {
    double x;
    double y;
};

// Edges are named by integers 0..count-1 and registered in every cell they pass through. Only cells
// holding entries exist (hashed by cell coordinates); a dense grid of 8 x 8-cell blocks keeps a mask
// of each block's occupied cells, so that a query over a large, mostly empty triangle costs little.
// Re-registering an edge leaves its old entries stale; stale entries are dropped from a cell the
// next time a query reads it, so each entry is paid for once. A ring with a non-finite coordinate
// uses a single cell.
class RingEdgeGrid {
public:
    // `points` are the ring's vertices (for the extent and mean edge length).
    RingEdgeGrid(const std::vector<Point2d>& points, int32_t edgeCount);

    // Registers `edge` as the segment a-b, replacing what it was.
    void Set(int32_t edge, Point2d a, Point2d b);
    // Forgets `edge`.
    void Remove(int32_t edge) { version_[edge] = kRemoved; }

    // Calls visit(edge) for every live edge with an entry in a cell that comes within `margin` of
    // the triangle abc (cells are found per column, from the triangle's extent over the column
    // widened by the margin); an edge spanning several cells may be reported more than once.
    template <typename Visit>
    void Query(Point2d a, Point2d b, Point2d c, double margin, Visit&& visit) {
        if (single_) {
            if (!buckets_.empty()) VisitBucket(0, visit);
            return;
        }
        const Point2d corners[3] = {a, b, c};
        const double pad = margin + 0.05 * cell_;
        const double minX = std::min({a.x, b.x, c.x}) - pad, maxX = std::max({a.x, b.x, c.x}) + pad;
        const int64_t blockX0 = CellX(minX) / kBlock, blockX1 = CellX(maxX) / kBlock;
        for (int64_t bx = blockX0; bx <= blockX1; ++bx) {
            double low = INFINITY, high = -INFINITY;
            Span(corners, ColumnLeft(bx * kBlock) - pad, ColumnLeft((bx + 1) * kBlock) + pad, low, high);
            if (low > high) continue;
            for (int64_t by = CellY(low - pad) / kBlock, last = CellY(high + pad) / kBlock; by <= last; ++by)
                if (blockMask_[by * blockColumns_ + bx] != 0) VisitBlock(bx, by, corners, pad, visit);
        }
    }

private:
    struct Entry {
        int32_t edge;
        uint32_t version;
    };
    static constexpr uint32_t kRemoved = UINT32_MAX;

    // The occupied cells of block (bx, by) that come within `pad` of the triangle.
    template <typename Visit>
    void VisitBlock(int64_t bx, int64_t by, const Point2d (&corners)[3], double pad, Visit& visit) {
        const uint64_t occupied = blockMask_[by * blockColumns_ + bx];
        const int64_t cx0 = bx * kBlock, cy0 = by * kBlock;
        for (int64_t i = 0; i < kBlock; ++i) {
            const uint64_t column = (occupied >> (i * kBlock)) & 0xFF;
            if (column == 0) continue;
            const int64_t cx = cx0 + i;
            double low = INFINITY, high = -INFINITY;
            Span(corners, ColumnLeft(cx) - pad, ColumnLeft(cx + 1) + pad, low, high);
            if (low > high) continue;
            const int64_t r0 = std::max<int64_t>(0, CellY(low - pad) - cy0);
            const int64_t r1 = std::min<int64_t>(kBlock - 1, CellY(high + pad) - cy0);
            for (int64_t r = r0; r <= r1; ++r) {
                if (((column >> r) & 1) == 0) continue;
                const int32_t bucket = FindBucket(Key(cx, cy0 + r));
                if (bucket >= 0) VisitBucket(static_cast<size_t>(bucket), visit);
            }
        }
    }

    template <typename Visit>
    void VisitBucket(size_t bucket, Visit& visit) {
        std::vector<Entry>& entries = buckets_[bucket];
        size_t kept = 0;
        for (const Entry& entry : entries) {
            if (entry.version != version_[entry.edge]) continue;
            entries[kept++] = entry;
            visit(entry.edge);
        }
        entries.resize(kept);
        if (kept == 0) blockMask_[bucketBlock_[bucket]] &= ~CellBit(bucketKey_[bucket]);
    }

    // Widens [low, high] by the y values of the triangle's edges within left <= x <= right.
    static void Span(const Point2d (&corners)[3], double left, double right, double& low, double& high);
    double ColumnLeft(int64_t cx) const { return x0_ + static_cast<double>(cx) * cell_; }
    // Cell coordinates, clamped to the grid; monotone, so a point inside a range of x lands in a
    // column between those of the range's ends.
    int64_t CellX(double x) const { return Clamp((x - x0_) * inverse_, columns_); }
    int64_t CellY(double y) const { return Clamp((y - y0_) * inverse_, rows_); }
    static int64_t Clamp(double scaled, int64_t count) {
        if (!(scaled >= 0)) return 0;
        if (!(scaled < static_cast<double>(count - 1))) return count - 1;
        return static_cast<int64_t>(scaled);
    }
    // The bit of a cell in its block's mask: column-major, 8 bits per column.
    static uint64_t CellBit(uint64_t key) {
        return uint64_t{1} << ((static_cast<int64_t>(key >> 32) % kBlock) * kBlock +
                               static_cast<int64_t>(key & 0xFFFFFFFF) % kBlock);
    }
    static uint64_t Key(int64_t cx, int64_t cy) {
        return static_cast<uint64_t>(cx) << 32 | static_cast<uint64_t>(cy);
    }
    int32_t FindBucket(uint64_t key) const;
    void AddEntry(int64_t cx, int64_t cy, Entry entry);

    double x0_ = 0, y0_ = 0, cell_ = 1, inverse_ = 1;
    int64_t columns_ = 1, rows_ = 1;      // cells
    static constexpr int64_t kBlock = 8;  // cells per block side
    int64_t blockColumns_ = 1;
    bool single_ = false;
    std::vector<uint32_t> version_;
    std::vector<std::vector<Entry>> buckets_;
    std::vector<uint64_t> bucketKey_;
    std::vector<int64_t> bucketBlock_;
    std::vector<uint64_t> blockMask_;  // cells of each block that hold entries
    std::vector<int32_t> table_;       // hashed cell key -> bucket, -1 empty; at most half used
};
