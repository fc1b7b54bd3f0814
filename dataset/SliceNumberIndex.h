#pragma once
// Finding the decoded slices whose numbers lie near a dataset z, for every sample of an image: by a
// table over the numbers when they are dense enough, else by binary search.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "dataset/DecodedSlice.h"

class SliceNumberIndex {
public:
    // `slices` in ascending number order; they must outlive the index.
    SliceNumberIndex(const DecodedSlice* slices, size_t count);

    // The range [first, last) of slices numbered within `reach` of `z` (widened by a little for the
    // single-precision tests that decide): all of them for a NaN z, none for an infinite one.
    std::pair<size_t, size_t> Near(float z, double reach) const;

private:
    // Index of the first slice numbered at least `number`.
    size_t FirstAtLeast(double number) const;

    const DecodedSlice* slices_;
    size_t count_;
    int64_t lowest_ = 0;
    std::vector<uint32_t> table_;  // table_[n - lowest_]: first slice numbered at least n
};
