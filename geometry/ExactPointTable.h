#pragma once
// Numbering of 3D points by first appearance under exact float equality, through a hash table.

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "geometry/PointBits.h"

// Distinct points in order of first appearance. Two points are the same when x, y and z are each
// equal as floats: 0 equals -0, and a point with a NaN coordinate never equals anything (it always
// gets a number of its own, so the count can pass the number of distinct source vertices). The
// numbers are therefore exactly those of a linear search over the points found so far, at constant
// expected cost per point. A table holds at most its capacity, never more than kMaxPoints.
// Each slot holds a hash tag with the point's number, so a lookup reads one slot (which Prefetch can
// bring in ahead) and the store only to confirm a tag match; large tables ask for huge pages.
class ExactPointTable {
public:
    // The most points any table numbers (numbers and the count stay below 2^32 - 1).
    static constexpr uint64_t kMaxPoints = UINT32_MAX - 1;

    // Points go to a store of the table's own, which grows as needed, up to `capacity` points.
    explicit ExactPointTable(uint64_t capacity = kMaxPoints) : capacity_(Limited(capacity)) {}
    // Points go to `store`, owned by the caller, with room for `capacity` points.
    ExactPointTable(float* store, uint64_t capacity)
        : store_(store), external_(true), capacity_(Limited(capacity)) {}
    ExactPointTable(const ExactPointTable&) = delete;
    ExactPointTable& operator=(const ExactPointTable&) = delete;

    // Sizes the table for `count` points at once (it still grows beyond them); std::bad_alloc possible.
    void Reserve(uint64_t count);

    // The number of the point equal to (x, y, z), adding it when there is none. The table grows
    // as needed (std::bad_alloc possible); adding a point beyond the capacity throws std::length_error
    // and leaves the table as it was.
    uint32_t FindOrAdd(const float* point) {
        uint32_t bits[3];
        if (!CanonicalBits(point, bits)) return Append(point);
        if ((static_cast<uint64_t>(count_) + 1) * 2 > slotCount_)
            Rehash(slotCount_ == 0 ? 1024 : slotCount_ * 2);
        const uint64_t mask = slotCount_ - 1;
        const uint64_t hash = PointHash(bits);
        const uint64_t tag = hash & 0xFFFFFFFF00000000ull;
        for (uint64_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const uint64_t entry = static_cast<uint64_t>(slots_[slot]);
            if (entry == 0) {
                const uint32_t number = Append(point);
                slots_[slot] = static_cast<int64_t>(tag | count_);  // number + 1
                return number;
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
        uint32_t bits[3];
        if (slotCount_ != 0 && CanonicalBits(point, bits))
            __builtin_prefetch(&slots_[PointHash(bits) & (slotCount_ - 1)]);
    }

    uint32_t Count() const { return count_; }
    // x, y, z of every point, in number order.
    const float* Points() const { return store_; }

private:
    // Canonical bits of `point` (see PointBits.h); false when a coordinate is NaN.
    static bool CanonicalBits(const float* point, uint32_t* bits) {
        uint32_t raw[3];
        std::memcpy(raw, point, sizeof(raw));
        return CanonicalPointBits(raw, bits);
    }

    static uint64_t Limited(uint64_t capacity) { return capacity < kMaxPoints ? capacity : kMaxPoints; }

    uint32_t Append(const float* point) {
        if (count_ >= capacity_) throw std::length_error("more points than the table may hold");
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
    uint64_t capacity_;
    std::vector<float> ownStore_;
    // One word per slot: the high half of the point's hash above its number + 1 (0: empty). A
    // power-of-two number of slots, at most half of them used.
    std::unique_ptr<int64_t[]> slots_;
    uint64_t slotCount_ = 0;
    uint32_t count_ = 0;
};
