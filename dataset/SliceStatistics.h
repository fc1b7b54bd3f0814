#pragma once
// What resampling and the command line tell about a dataset's numbering.

#include <algorithm>
#include <vector>

#include "dataset/DatasetSlices.h"

struct SliceStatistics {
    int found = 0;
    int lowest = 1000000;  // the smallest number, at most 1000000
    int highest = 0;       // the largest number, at least 0
    int step = 0;          // (highest - lowest) / max(1, found - 1), truncated
};

inline SliceStatistics ComputeSliceStatistics(const std::vector<DatasetSlice>& slices) {
    SliceStatistics statistics;
    statistics.found = static_cast<int>(slices.size());
    for (const DatasetSlice& slice : slices) {
        statistics.lowest = std::min(statistics.lowest, slice.number);
        statistics.highest = std::max(statistics.highest, slice.number);
    }
    statistics.step = (statistics.highest - statistics.lowest) / std::max(1, statistics.found - 1);
    return statistics;
}
