#include "geometry/BucketWeld.h"

// Method: partitioned hashing. Each chunk of the scan first looks every corner up among the points it
// saw last (RecentPoints): a soup names each point on several facets close together, so most corners
// are found there, equal to an earlier corner of their chunk, and take that corner's number. The
// others go, with their place among such corners in scan order, to one of many buckets chosen by the
// hash of the point's exact bits, so equal points share a bucket and a bucket keeps its corners in
// scan order. Deduplicating one bucket at a time, with a table small enough for the cache, finds for
// every bucketed corner the first one with an equal point; the first corners of the scan's points are
// among them. Those are marked in a bitmap by place, and a vertex's number is the count of marks
// before its first corner: the order of first appearance.
// Passes: count per bucket, scatter, deduplicate, rank, renumber. All but the short ranking run on
// every core; the counting, the scatter and the renumbering walk the same chunks and make the same
// lookups, so they agree on which corners went to which bucket, and in what order.

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "geometry/ExactPointTable.h"
#include "geometry/PointBits.h"
#include "geometry/TriangleRotation.h"
#include "import/MeshArrays.h"
#include "platform/ParallelFor.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"

namespace {

// Fewer triangles than this per chunk are not worth a thread.
constexpr uint64_t kTrianglesPerChunk = 1024;
// About this many corners per bucket keep a bucket's entries and its table in the core's own cache.
constexpr uint64_t kCornersPerBucket = 8192;
// Corners are counted in this many fine buckets; buckets are runs of them.
constexpr int kFineBucketBits = 14;
constexpr uint64_t kFineBuckets = uint64_t{1} << kFineBucketBits;
// Hash bits: a fine bucket above the bits of the recent points' slot above those of a bucket table's slot.
constexpr int kBucketShift = 40;
constexpr int kRecentShift = 24;
constexpr int kRecentBits = 13;

// The triangles in scan order: the facets from the last to the first, then each cap's triangles
// from the first, cap after cap.
class Scan {
public:
    Scan(Poly3gon& mesh, CutCap* caps) {
        runs_.push_back({mesh.facets, 0, mesh.facetCount, true});
        triangles_ = mesh.facetCount;
        for (CutCap* cap = caps; cap != nullptr; cap = cap->next) {
            const uint64_t count = static_cast<uint64_t>(cap->triangleCount);
            runs_.push_back({cap->triangles, triangles_, count, false});
            triangles_ += count;
        }
    }

    uint64_t Triangles() const { return triangles_; }

    // Calls visit(corners, t, isFacet) for the triangles t in [begin, end) of the scan, in order.
    template <typename Visit>
    void ForTriangles(uint64_t begin, uint64_t end, Visit visit) const {
        for (const Run& run : runs_) {
            const uint64_t low = std::max(begin, run.first), high = std::min(end, run.first + run.count);
            for (uint64_t t = low; t < high; ++t) {
                const uint64_t i = t - run.first;
                visit(run.corners + (run.facets ? run.count - 1 - i : i) * 3, t, run.facets);
            }
        }
    }

private:
    struct Run {
        int64_t* corners;
        uint64_t first;  // scan index of the run's first triangle
        uint64_t count;
        bool facets;
    };
    std::vector<Run> runs_;
    uint64_t triangles_ = 0;
};

// The "Optimizing" calls of the sequential scan, one for every facet index f that is a multiple of
// a hundredth of the facets, from the highest f down, handed out as the passes complete.
class ScanProgress {
public:
    ScanProgress(SceneGraphics& graphics, uint64_t facetCount)
        : graphics_(graphics),
          facets_(facetCount),
          step_(facetCount > 100 ? facetCount / 100 : 0),
          next_(step_ != 0 ? (facetCount - 1) / step_ * step_ : 0) {}

    // Shows the calls for the first `done` of `of` equal parts of the facets.
    void Reach(unsigned done, unsigned of) {
        while (step_ != 0 && pending_ &&
               static_cast<unsigned __int128>(facets_ - next_) * of <=
                   static_cast<unsigned __int128>(facets_) * done) {
            graphics_.ShowProgress(static_cast<int>(100 - (100 * next_) / facets_), "Optimizing");
            if (next_ == 0) pending_ = false;
            next_ -= step_;
        }
    }

private:
    SceneGraphics& graphics_;
    uint64_t facets_;
    uint64_t step_;
    uint64_t next_;
    bool pending_ = true;
};

// An uninitialised array for `count` elements. No huge pages are asked for before its first touch: a
// fault in such a region may first compact memory, which costs the weld more than the page-table
// misses of arrays it mostly streams through.
template <typename T>
std::unique_ptr<T[]> NewScratchArray(uint64_t count) {
    if (count > std::numeric_limits<size_t>::max() / sizeof(T)) throw std::bad_alloc();
    return std::unique_ptr<T[]>(new T[static_cast<size_t>(count)]);
}

// How far ahead in its bucket the scatter and the renumbering fetch a bucket's entries: a cache line's
// worth, since with so many buckets each is a stream of its own that the hardware does not follow.
constexpr uint64_t kEntriesAhead = 8;

template <typename Position>
struct Entry {
    uint32_t raw[3];  // the point's bits as stored, so that -0 and NaN payloads reach the result
    // The corner's place among the scan's corners that went to buckets; after deduplication, that of
    // the first corner with an equal point.
    Position position;
};

// Equal ranges of [0, count) for `parts` workers: range p is [Split(count, parts, p), Split(.., p + 1)).
uint64_t Split(uint64_t count, uint64_t parts, uint64_t p) {
    return static_cast<uint64_t>(static_cast<unsigned __int128>(count) * p / parts);
}

// A corner of the scan as the passes see it.
struct Corner {
    uint32_t raw[3];
    uint32_t bits[3];  // canonical
    uint64_t hash;     // of the canonical bits; meaningless for NaN
    bool ordered;      // no NaN coordinate

    explicit Corner(const float* point) {
        std::memcpy(raw, point, sizeof(raw));
        ordered = CanonicalPointBits(raw, bits);
        hash = PointHash(bits);
    }
    uint64_t FineBucket() const {
        return ordered ? (hash >> kBucketShift) & (kFineBuckets - 1) : kFineBuckets;
    }
};

// The points one chunk of the scan saw last, one per slot of a direct-mapped table, each with its
// vertex number once the renumbering knows it.
class RecentPoints {
public:
    RecentPoints() : slots_(new Slot[kSlots]) {}

    // Forgets every point (a canonical x of all ones is a NaN, which no corner here has).
    void Clear() {
        for (uint64_t i = 0; i < kSlots; ++i)
            slots_[i].bits[0] = UINT32_MAX;
    }

    // The slot of an ordered corner; `seen` tells whether it holds the corner's point, and when not,
    // the slot takes the point over.
    uint32_t& Look(const Corner& corner, bool& seen) {
        Slot& slot = slots_[(corner.hash >> kRecentShift) & (kSlots - 1)];
        seen = slot.bits[0] == corner.bits[0] && slot.bits[1] == corner.bits[1] &&
               slot.bits[2] == corner.bits[2];
        if (!seen) std::memcpy(slot.bits, corner.bits, sizeof(slot.bits));
        return slot.number;
    }

private:
    static constexpr uint64_t kSlots = uint64_t{1} << kRecentBits;
    struct Slot {
        uint32_t bits[3];
        uint32_t number;
    };
    std::unique_ptr<Slot[]> slots_;
};

template <typename Position>
class BucketWeld {
public:
    BucketWeld(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics)
        : mesh_(mesh), scan_(mesh, caps), progress_(graphics, mesh.facetCount) {}

    bool Run() {
        const uint64_t triangles = scan_.Triangles();
        const uint64_t corners = triangles * 3;
        if constexpr (sizeof(Position) < sizeof(uint64_t))
            if (corners > std::numeric_limits<Position>::max()) return false;
        const uint64_t cores = std::max(1u, std::thread::hardware_concurrency());
        chunks_ = std::clamp<uint64_t>(triangles / kTrianglesPerChunk, 1, cores);
        recent_.resize(chunks_);
        counts_.assign(chunks_ * (kFineBuckets + 1), 0);

        CountBuckets();
        progress_.Reach(1, 5);
        PlaceBuckets();
        Scatter();
        progress_.Reach(2, 5);
        Deduplicate();
        progress_.Reach(3, 5);
        const uint64_t distinct = Rank();
        if (distinct > ExactPointTable::kMaxPoints) return false;
        std::unique_ptr<float[]> welded = distinct > 0 ? NewScratchArray<float>(distinct * 3) : nullptr;
        progress_.Reach(4, 5);
        Renumber(welded.get());
        progress_.Reach(5, 5);
        // The mesh keeps these and reads them at random: huge pages are asked for once they are written,
        // so that the kernel gathers them in the background.
        AdviseHugePages(welded.get(), static_cast<size_t>(distinct) * 3 * sizeof(float));

        delete[] mesh_.vertices;
        mesh_.vertices = welded.release();
        mesh_.vertexCount = distinct;
        return true;
    }

private:
    // Calls work(p, corner points, t, isFacet) for the triangles of each chunk p, the chunks spread
    // over the cores.
    template <typename Work>
    void ForChunks(Work work) {
        ParallelFor(static_cast<int64_t>(chunks_), [&](int64_t begin, int64_t end) {
            const uint64_t triangles = scan_.Triangles();
            for (uint64_t p = static_cast<uint64_t>(begin); p < static_cast<uint64_t>(end); ++p)
                work(p, Split(triangles, chunks_, p), Split(triangles, chunks_, p + 1));
        });
    }

    // The bucket of a fine bucket (the last one is that of the NaN points).
    uint64_t BucketOf(uint64_t fine) const { return fine == kFineBuckets ? buckets_ : fine >> fineShift_; }

    // Hands each corner of chunk p that the chunk's table of recent points has not just seen, in scan
    // order, to the visitor that forChunk(p) returns: the corners that go to buckets.
    template <typename ForChunk>
    void ForBucketedCorners(ForChunk forChunk) {
        const float* vertices = mesh_.vertices;
        ForChunks([&](uint64_t p, uint64_t begin, uint64_t end) {
            auto visit = forChunk(p);
            RecentPoints& recent = recent_[p];
            recent.Clear();
            scan_.ForTriangles(begin, end, [&](const int64_t* corners, uint64_t, bool) {
                for (int k = 0; k < 3; ++k) {
                    const Corner corner(vertices + corners[k] * 3);
                    bool seen = false;
                    if (corner.ordered) recent.Look(corner, seen);
                    if (!seen) visit(corner);
                }
            });
        });
    }

    void CountBuckets() {
        ForBucketedCorners([&](uint64_t p) {
            uint64_t* count = &counts_[p * (kFineBuckets + 1)];
            return [count](const Corner& corner) { ++count[corner.FineBucket()]; };
        });
    }

    // Chooses buckets of about kCornersPerBucket of the corners that go to buckets, and where each
    // chunk's corners of each bucket go: after those of the chunks before it, so that a bucket lists
    // its corners in scan order.
    void PlaceBuckets() {
        uint64_t bucketed = 0;
        for (uint64_t count : counts_)
            bucketed += count;
        buckets_ = std::clamp<uint64_t>(std::bit_ceil(bucketed / kCornersPerBucket + 1) / 2, 1, kFineBuckets);
        fineShift_ = kFineBucketBits - std::countr_zero(buckets_);
        cursors_.assign(chunks_ * (buckets_ + 1), 0);
        for (uint64_t p = 0; p < chunks_; ++p)
            for (uint64_t fine = 0; fine <= kFineBuckets; ++fine)
                cursors_[p * (buckets_ + 1) + BucketOf(fine)] += counts_[p * (kFineBuckets + 1) + fine];
        bucketStart_.resize(buckets_ + 2);
        uint64_t next = 0;
        for (uint64_t b = 0; b <= buckets_; ++b) {
            bucketStart_[b] = next;
            for (uint64_t p = 0; p < chunks_; ++p) {
                const uint64_t count = cursors_[p * (buckets_ + 1) + b];
                cursors_[p * (buckets_ + 1) + b] = next;
                next += count;
            }
        }
        bucketStart_[buckets_ + 1] = next;
        entries_ = NewScratchArray<Entry<Position>>(next);
        firstPlace_.assign(chunks_, 0);
        for (uint64_t p = 1; p < chunks_; ++p)
            for (uint64_t fine = 0; fine <= kFineBuckets; ++fine)
                firstPlace_[p] += counts_[(p - 1) * (kFineBuckets + 1) + fine];
        for (uint64_t p = 1; p < chunks_; ++p)
            firstPlace_[p] += firstPlace_[p - 1];
        marks_.resize((next + 63) / 64);
    }

    void Scatter() {
        std::vector<uint64_t> cursors(cursors_);
        ForBucketedCorners([&](uint64_t p) {
            return [this, cursor = &cursors[p * (buckets_ + 1)],
                    place = firstPlace_[p]](const Corner& corner) mutable {
                const uint64_t at = cursor[BucketOf(corner.FineBucket())]++;
                __builtin_prefetch(&entries_[at + kEntriesAhead], 1);
                Entry<Position>& entry = entries_[at];
                std::memcpy(entry.raw, corner.raw, sizeof(entry.raw));
                entry.position = static_cast<Position>(place++);
            };
        });
    }

    void Mark(uint64_t place) {
        std::atomic_ref<uint64_t>(marks_[place >> 6].bits)
            .fetch_or(uint64_t{1} << (place & 63), std::memory_order_relaxed);
    }

    // Points every entry at the first entry of its bucket with an equal point and marks those firsts.
    void Deduplicate() {
        const uint64_t cores = std::max(1u, std::thread::hardware_concurrency());
        const uint64_t parts = std::min(cores, buckets_);
        std::vector<std::unique_ptr<Position[]>> tables(parts);
        for (uint64_t q = 0; q < parts; ++q) {
            uint64_t largest = 1;
            for (uint64_t b = Split(buckets_, parts, q); b < Split(buckets_, parts, q + 1); ++b)
                largest = std::max(largest, bucketStart_[b + 1] - bucketStart_[b]);
            tables[q] = NewScratchArray<Position>(std::bit_ceil(largest * 2));
        }
        ParallelFor(static_cast<int64_t>(parts), [&](int64_t begin, int64_t end) {
            for (uint64_t q = static_cast<uint64_t>(begin); q < static_cast<uint64_t>(end); ++q)
                for (uint64_t b = Split(buckets_, parts, q); b < Split(buckets_, parts, q + 1); ++b)
                    DeduplicateBucket(b, tables[q].get());
        });
        for (uint64_t i = bucketStart_[buckets_]; i < bucketStart_[buckets_ + 1]; ++i)
            Mark(entries_[i].position);  // every NaN corner is a vertex of its own
    }

    // Open addressing over `table` (room for twice the bucket's entries); a slot holds an entry's
    // index in the bucket + 1, 0 when empty.
    void DeduplicateBucket(uint64_t b, Position* table) {
        Entry<Position>* entries = &entries_[bucketStart_[b]];
        const uint64_t count = bucketStart_[b + 1] - bucketStart_[b];
        if (count == 0) return;
        const uint64_t mask = std::bit_ceil(count * 2) - 1;
        std::memset(table, 0, (mask + 1) * sizeof(Position));
        for (uint64_t i = 0; i < count; ++i) {
            uint32_t bits[3];
            CanonicalPointBits(entries[i].raw, bits);
            for (uint64_t slot = PointHash(bits) & mask;; slot = (slot + 1) & mask) {
                if (table[slot] == 0) {
                    table[slot] = static_cast<Position>(i + 1);
                    Mark(entries[i].position);
                    break;
                }
                const Entry<Position>& first = entries[table[slot] - 1];
                uint32_t known[3];
                CanonicalPointBits(first.raw, known);
                if (known[0] == bits[0] && known[1] == bits[1] && known[2] == bits[2]) {
                    entries[i].position = first.position;
                    break;
                }
            }
        }
    }

    // Counts the marks before each word of the bitmap; returns the number of marks.
    uint64_t Rank() {
        uint64_t total = 0;
        for (MarkWord& word : marks_) {
            word.before = total;
            total += static_cast<uint64_t>(std::popcount(word.bits));
        }
        return total;
    }

    uint64_t Number(uint64_t place) const {
        const MarkWord& word = marks_[place >> 6];
        return word.before +
               static_cast<uint64_t>(std::popcount(word.bits & ((uint64_t{1} << (place & 63)) - 1)));
    }

    // Walks the chunks as the scatter did, giving each corner the number of its first equal corner
    // and copying each first corner's point into the welded vertices.
    void Renumber(float* welded) {
        const float* vertices = mesh_.vertices;
        ForChunks([&](uint64_t p, uint64_t begin, uint64_t end) {
            uint64_t* cursor = &cursors_[p * (buckets_ + 1)];
            uint64_t place = firstPlace_[p];
            RecentPoints& recent = recent_[p];
            recent.Clear();
            scan_.ForTriangles(begin, end, [&](int64_t* corners, uint64_t, bool isFacet) {
                for (int k = 0; k < 3; ++k) {
                    const Corner corner(vertices + corners[k] * 3);
                    bool seen = false;
                    uint32_t unused = 0;
                    uint32_t& known = corner.ordered ? recent.Look(corner, seen) : unused;
                    if (!seen) {
                        const uint64_t at = cursor[BucketOf(corner.FineBucket())]++;
                        __builtin_prefetch(&entries_[at + kEntriesAhead]);
                        const Entry<Position>& entry = entries_[at];
                        const uint64_t number = Number(entry.position);
                        if (entry.position == place++)
                            std::memcpy(welded + number * 3, entry.raw, sizeof(entry.raw));
                        known = static_cast<uint32_t>(number);
                    }
                    corners[k] = known;
                }
                if (isFacet) {
                    RotateLargerFirst(corners);
                } else {
                    RotateSmallerFirst(corners);
                }
            });
        });
    }

    Poly3gon& mesh_;
    const Scan scan_;
    ScanProgress progress_;
    uint64_t chunks_ = 1;
    std::vector<RecentPoints> recent_;  // per chunk
    std::vector<uint64_t> counts_;      // per chunk and fine bucket
    uint64_t buckets_ = 1;              // a power of two; one more bucket holds the NaN points
    int fineShift_ = 0;                 // fine buckets >> fineShift_ = bucket
    std::vector<uint64_t> cursors_;     // where each chunk's corners of each bucket start
    std::vector<uint64_t> bucketStart_;
    std::vector<uint64_t> firstPlace_;  // per chunk, the place of its first corner that goes to a bucket
    std::unique_ptr<Entry<Position>[]> entries_;
    // By place, the first corners of their point, with the count of marks before each word beside it
    // so that a corner's number costs one access.
    struct MarkWord {
        uint64_t bits = 0;
        uint64_t before = 0;
    };
    std::vector<MarkWord> marks_;
};

}  // namespace

template <typename Position>
bool WeldCheckedMesh(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics) {
    try {
        BucketWeld<Position> weld(mesh, caps, graphics);
        return weld.Run();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

template bool WeldCheckedMesh<uint32_t>(Poly3gon&, CutCap*, SceneGraphics&);
template bool WeldCheckedMesh<uint64_t>(Poly3gon&, CutCap*, SceneGraphics&);
