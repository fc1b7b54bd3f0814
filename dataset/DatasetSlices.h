#pragma once
// Naming and listing the slice files of a dataset. A dataset is named by the path of one of its
// slices, e.g. /scan/abc_rec0042.bmp with 4 digits: prefix /scan/abc_rec, extension .bmp; its
// slices are prefix + number in exactly that many digits + extension.

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

struct DatasetSlice {
    std::string path;
    int number = 0;
};

// The slice files of the dataset `datasetPath` with `postfixLength` digits, in ascending slice
// number (ties by name). Names match case-insensitively; empty when the path is too short to hold
// the digits and extension, or the folder cannot be read.
std::vector<DatasetSlice> ListDatasetSlices(const std::string& datasetPath, int postfixLength);

// The run [first, last) of `slices` (ascending numbers) within `reach` of the span of `depths` (dataset
// z values), with a margin for single-precision rounding; all of them when a depth is NaN. Work that
// samples an affine plane passes the depths of its corners.
std::pair<size_t, size_t> SlicesReaching(const std::vector<DatasetSlice>& slices,
                                         std::span<const float> depths, double reach);
