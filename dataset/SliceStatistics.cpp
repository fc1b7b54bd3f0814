#include "dataset/SliceStatistics.h"

#include <algorithm>

SliceStatistics CountDatasetSlices(const std::vector<DatasetSlice>& slices) {
    SliceStatistics statistics;
    for (const DatasetSlice& slice : slices) {
        ++statistics.found;
        statistics.lowest = std::min(statistics.lowest, slice.number);
        statistics.highest = std::max(statistics.highest, slice.number);
    }
    statistics.step = (statistics.highest - statistics.lowest) / std::max(1, statistics.found - 1);
    return statistics;
}
