#include "dataset/SliceNumberIndex.h"

#include <algorithm>
#include <cmath>

SliceNumberIndex::SliceNumberIndex(const DecodedSlice* slices, size_t count)
    : slices_(slices), count_(count) {
    if (count == 0) return;
    lowest_ = slices[0].number;
    const int64_t span = static_cast<int64_t>(slices[count - 1].number) - lowest_ + 1;
    // Numbers far apart would make the table large for few slices: binary search serves them.
    if (span > static_cast<int64_t>(4 * count + 4096)) return;
    table_.resize(static_cast<size_t>(span) + 1);
    size_t slice = 0;
    for (int64_t n = 0; n <= span; ++n) {
        while (slice < count && slices[slice].number < lowest_ + n)
            ++slice;
        table_[static_cast<size_t>(n)] = static_cast<uint32_t>(slice);
    }
}

size_t SliceNumberIndex::FirstAtLeast(double number) const {
    if (table_.empty()) {
        return static_cast<size_t>(
            std::partition_point(slices_, slices_ + count_,
                                 [&](const DecodedSlice& s) { return s.number < number; }) -
            slices_);
    }
    // Whole numbers only from here: std::ceil would be a library call on plain x86-64, once per sample.
    const double offset = number - static_cast<double>(lowest_);
    if (!(offset > 0)) return 0;
    if (offset >= static_cast<double>(table_.size() - 1)) return count_;
    const size_t whole = static_cast<size_t>(offset);
    return table_[whole + (static_cast<double>(whole) < offset ? 1 : 0)];
}

std::pair<size_t, size_t> SliceNumberIndex::Near(float z, double reach) const {
    if (std::isnan(z)) return {0, count_};
    if (std::isinf(z)) return {0, 0};
    // The deciding tests subtract in single precision: a thousandth, and a few units in the last
    // place of large numbers, cover their rounding.
    const double wide = reach + 1e-3 + std::fabs(static_cast<double>(z)) * 0x1p-20;
    const size_t first = FirstAtLeast(static_cast<double>(z) - wide);
    // Numbers are whole: the first above z + wide is the first at least its whole part plus 1 (the
    // whole part of a negative bound is one less than its truncation).
    const double high = static_cast<double>(z) + wide;
    if (!(std::fabs(high) < 0x1p62)) return {first, high > 0 ? count_ : first};
    double whole = static_cast<double>(static_cast<int64_t>(high));
    if (whole > high) whole -= 1.0;
    const size_t last = FirstAtLeast(whole + 1.0);
    return {first, std::max(first, last)};
}
