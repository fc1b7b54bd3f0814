#include "geometry/RingEdgeGrid.h"

namespace {

// Cell side in mean edge lengths: long diagonals and large ear triangles favour cells well above
// the edge length (measured on rings of 10^4 to 10^5 vertices and on cut cross-sections).
constexpr double kCellEdges = 16;

uint64_t Mix(uint64_t key) {
    key *= 0x9E3779B97F4A7C15ull;
    return key ^ (key >> 29);
}

// y values of segment pq where it lies within left <= x <= right, widening [low, high].
void SegmentSpan(Point2d p, Point2d q, double left, double right, double& low, double& high) {
    if (p.x > q.x) std::swap(p, q);
    if (q.x < left || p.x > right) return;
    double dx = q.x - p.x;
    double from = p.y, to = q.y;
    if (dx > 0) {
        if (p.x < left) from = p.y + (left - p.x) / dx * (q.y - p.y);
        if (q.x > right) to = p.y + (right - p.x) / dx * (q.y - p.y);
    }
    low = std::min({low, from, to});
    high = std::max({high, from, to});
}

}  // namespace

RingEdgeGrid::RingEdgeGrid(const std::vector<Point2d>& points, int32_t edgeCount) : version_(edgeCount, 0) {
    table_.assign(64, -1);
    const size_t n = points.size();
    const bool finite = std::all_of(points.begin(), points.end(), [](const Point2d& p) {
        return std::isfinite(p.x) && std::isfinite(p.y);
    });
    double minX = n > 0 ? points[0].x : 0, maxX = minX, minY = n > 0 ? points[0].y : 0, maxY = minY;
    double length = 0;
    for (size_t i = 0; finite && i < n; ++i) {
        minX = std::min(minX, points[i].x);
        maxX = std::max(maxX, points[i].x);
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
        const Point2d& before = points[i == 0 ? n - 1 : i - 1];
        length += std::hypot(points[i].x - before.x, points[i].y - before.y);
    }
    const double extent = std::max(maxX - minX, maxY - minY);
    double cell = std::max(kCellEdges * length / static_cast<double>(std::max<size_t>(n, 1)), extent / 65536);
    if (!finite || !(cell > 0) || !std::isfinite(1 / cell)) {
        single_ = true;
        blockMask_.assign(1, 0);
        return;
    }
    // The dense block masks stay within a few words per ring vertex: coarser cells otherwise.
    auto blocksFor = [&](double size) {
        const double columns = std::floor((maxX - minX) / size) + 1,
                     rows = std::floor((maxY - minY) / size) + 1;
        return std::ceil(columns / kBlock) * std::ceil(rows / kBlock);
    };
    while (blocksFor(cell) > 4.0 * static_cast<double>(n) + 64)
        cell *= 2;
    x0_ = minX;
    y0_ = minY;
    cell_ = cell;
    inverse_ = 1 / cell;
    columns_ = static_cast<int64_t>((maxX - minX) * inverse_) + 1;
    rows_ = static_cast<int64_t>((maxY - minY) * inverse_) + 1;
    blockColumns_ = (columns_ + kBlock - 1) / kBlock;
    const int64_t blocks = blockColumns_ * ((rows_ + kBlock - 1) / kBlock);
    blockMask_.assign(static_cast<size_t>(blocks), 0);
}

void RingEdgeGrid::Span(const Point2d (&corners)[3], double left, double right, double& low, double& high) {
    for (int k = 0; k < 3; ++k)
        SegmentSpan(corners[k], corners[(k + 1) % 3], left, right, low, high);
}

int32_t RingEdgeGrid::FindBucket(uint64_t key) const {
    const uint64_t mask = table_.size() - 1;
    for (uint64_t slot = Mix(key) & mask;; slot = (slot + 1) & mask) {
        const int32_t bucket = table_[slot];
        if (bucket < 0) return -1;
        if (bucketKey_[bucket] == key) return bucket;
    }
}

void RingEdgeGrid::AddEntry(int64_t cx, int64_t cy, Entry entry) {
    const uint64_t key = Key(cx, cy);
    int32_t bucket = FindBucket(key);
    if (bucket < 0) {
        if ((buckets_.size() + 1) * 2 > table_.size()) {
            std::vector<int32_t> table(table_.size() * 2, -1);
            const uint64_t mask = table.size() - 1;
            for (size_t i = 0; i < buckets_.size(); ++i) {
                uint64_t slot = Mix(bucketKey_[i]) & mask;
                while (table[slot] >= 0)
                    slot = (slot + 1) & mask;
                table[slot] = static_cast<int32_t>(i);
            }
            table_.swap(table);
        }
        bucket = static_cast<int32_t>(buckets_.size());
        buckets_.emplace_back();
        bucketKey_.push_back(key);
        bucketBlock_.push_back(single_ ? 0 : (cy / kBlock) * blockColumns_ + cx / kBlock);
        const uint64_t mask = table_.size() - 1;
        uint64_t slot = Mix(key) & mask;
        while (table_[slot] >= 0)
            slot = (slot + 1) & mask;
        table_[slot] = bucket;
    }
    buckets_[bucket].push_back(entry);
    if (!single_) blockMask_[bucketBlock_[bucket]] |= CellBit(key);
}

void RingEdgeGrid::Set(int32_t edge, Point2d a, Point2d b) {
    const Entry entry{edge, ++version_[edge]};
    if (single_) {
        AddEntry(0, 0, entry);
        return;
    }
    // Per column the edge crosses, the rows its stretch of the line covers, padded against rounding.
    const double pad = 0.05 * cell_;
    const Point2d corners[3] = {a, b, b};
    for (int64_t cx = CellX(std::min(a.x, b.x) - pad), last = CellX(std::max(a.x, b.x) + pad); cx <= last;
         ++cx) {
        double low = INFINITY, high = -INFINITY;
        Span(corners, ColumnLeft(cx) - pad, ColumnLeft(cx + 1) + pad, low, high);
        if (low > high) continue;
        for (int64_t cy = CellY(low - pad), top = CellY(high + pad); cy <= top; ++cy)
            AddEntry(cx, cy, entry);
    }
}
