#include "geometry/ExactPointTable.h"

#include <bit>
#include <new>

#include "import/MeshArrays.h"

void ExactPointTable::Reserve(uint64_t count) {
    const uint64_t wanted = std::bit_ceil(count * 2 + 2);
    if (wanted > slotCount_) Rehash(wanted);
}

void ExactPointTable::Rehash(uint64_t slotCount) {
    std::unique_ptr<int64_t[]> slots(NewLargeIndexArray(slotCount));
    if (!slots) throw std::bad_alloc();
    std::memset(slots.get(), 0, slotCount * sizeof(int64_t));
    const uint64_t mask = slotCount - 1;
    for (uint64_t i = 0; i < slotCount_; ++i) {
        const uint64_t entry = static_cast<uint64_t>(slots_[i]);
        if (entry == 0) continue;
        uint32_t bits[3];
        CanonicalBits(store_ + static_cast<size_t>(static_cast<uint32_t>(entry) - 1) * 3, bits);
        uint64_t target = PointHash(bits) & mask;
        while (slots[target] != 0)
            target = (target + 1) & mask;
        slots[target] = static_cast<int64_t>(entry);
    }
    slots_ = std::move(slots);
    slotCount_ = slotCount;
}
