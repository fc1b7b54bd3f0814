#pragma once
// What resampling and the command line tools tell about a dataset from its slice numbers alone.

#include <vector>

#include "dataset/DatasetSlices.h"

struct SliceStatistics {
    int found = 0;         // slice files listed
    int lowest = 1000000;  // smallest slice number, but at most 1000000 (its value when none is found)
    int highest = 0;       // largest slice number, but at least 0
    int step = -1000000;   // (highest - lowest) / max(1, found - 1), truncating toward zero
};

// The statistics of the listed `slices`. Note: the step assumes evenly spaced numbers; a dataset with
// gaps gets the average spacing, and no slices at all give the start values' step of -1000000.
SliceStatistics CountDatasetSlices(const std::vector<DatasetSlice>& slices);
