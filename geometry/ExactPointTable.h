#pragma once
// Numbering of 3D points by first appearance under exact float equality, through a hash table.

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// Distinct points in order of first appearance. Two points are the same when x, y and z are each
// equal as floats: 0 equals -0, and a point with a NaN coordinate never equals anything (it always
// gets a number of its own). The numbers are therefore exactly those of a linear search over the
// points found so far, at constant expected cost per point. At most 2^32 - 2 points.
// Each slot holds a hash tag with the point's number, so a lookup reads one slot (which Prefetch can
// bring in ahead) and the store only to confirm a tag match; large tables ask for huge pages.
class ExactPointTable {
public:
    // Points go to a store of the table's own, which grows as needed.
    ExactPointTable() = default;
    // Points go to `store`, owned by the caller, who never adds more points than it has room for.
    explicit ExactPointTable(float* store) : store_(store), external_(true) {}
    ExactPointTable(const ExactPointTable&) = delete;
    ExactPointTable& operator=(const ExactPointTable&) = delete;

    // Sizes the table for `count` points at once (it still grows beyond them); std::bad_alloc possible.
    void Reserve(uint64_t count);

    // The number of the point equal to (x, y, z), adding it when there is none. The table grows
    // as needed (std::bad_alloc possible).
    uint32_t FindOrAdd(const float* point) {
        uint64_t xy = 0, z = 0;
        if (!CanonicalBits(point, xy, z)) return Append(point);
        if ((static_cast<uint64_t>(count_) + 1) * 2 > slotCount_)
            Rehash(slotCount_ == 0 ? 1024 : slotCount_ * 2);
        const uint64_t mask = slotCount_ - 1;
        const uint64_t hash = Hash(xy, z);
        const uint64_t tag = hash & 0xFFFFFFFF00000000ull;
        for (uint64_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const uint64_t entry = static_cast<uint64_t>(slots_[slot]);
            if (entry == 0) {
                slots_[slot] = static_cast<int64_t>(tag | (count_ + 1));
                return Append(point);
            }
            if ((entry & 0xFFFFFFFF00000000ull) == tag) {
                const uint32_t number = static_cast<uint32_t>(entry) - 1;
                const float* known = store_ + static_cast<size_t>(number) * 3;
                if (known[0] == point[0] && known[1] == point[1] && known[2] == point[2]) return number;
            }
        }
    }

    // Hints the table slot of `point` into the cache ahead of its FindOrAdd.
    void Prefetch(const float* point) const {
        uint64_t xy = 0, z = 0;
        if (slotCount_ != 0 && CanonicalBits(point, xy, z))
            __builtin_prefetch(&slots_[Hash(xy, z) & (slotCount_ - 1)]);
    }

    uint32_t Count() const { return count_; }
    // x, y, z of every point, in number order.
    const float* Points() const { return store_; }

private:
    // Bit patterns (x and y packed, z alone) with -0 folded onto 0; false when a coordinate is NaN.
    static bool CanonicalBits(const float* point, uint64_t& xy, uint64_t& z) {
        uint32_t bits[3];
        for (int axis = 0; axis < 3; ++axis) {
            if (point[axis] != point[axis]) return false;
            std::memcpy(&bits[axis], &point[axis], sizeof(float));
            if ((bits[axis] << 1) == 0) bits[axis] = 0;
        }
        xy = static_cast<uint64_t>(bits[0]) << 32 | bits[1];
        z = bits[2];
        return true;
    }

    static uint64_t Hash(uint64_t xy, uint64_t z) {
        uint64_t h = xy * 0x9E3779B97F4A7C15ull;
        h ^= (z + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
        h ^= h >> 31;
        h *= 0x94D049BB133111EBull;
        return h ^ (h >> 29);
    }

    uint32_t Append(const float* point) {
        if (external_) {
            std::memcpy(store_ + static_cast<size_t>(count_) * 3, point, 3 * sizeof(float));
        } else {
            ownStore_.insert(ownStore_.end(), point, point + 3);
            store_ = ownStore_.data();
        }
        return count_++;
    }

    void Rehash(uint64_t slotCount);

    float* store_ = nullptr;
    bool external_ = false;
    std::vector<float> ownStore_;
    // One word per slot: the high half of the point's hash above its number + 1 (0: empty). A
    // power-of-two number of slots, at most half of them used.
    std::unique_ptr<int64_t[]> slots_;
    uint64_t slotCount_ = 0;
    uint32_t count_ = 0;
};
