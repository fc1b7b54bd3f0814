#pragma once
// Reading many slices of a dataset at once, on all cores, within a memory budget.

#include <cstddef>
#include <vector>

#include "dataset/DatasetSlices.h"
#include "dataset/DecodedSlice.h"

// Bytes that decoded slices may take at once: a quarter of the machine's memory.
size_t SliceMemoryBudget();

// How many slices of `sliceBytes` each fit into `budget` at once; at least 1.
size_t SlicesPerBatch(size_t sliceBytes, size_t budget);

struct SliceBuffer;

// The slice just read into `buffer` as slice `number`, its pixels taken from the buffer.
DecodedSlice TakeDecodedSlice(SliceBuffer& buffer, int number);

// Reads slices [first, first + count) of `slices` in parallel; a slice that cannot be read is
// returned with `read` false. Throws std::bad_alloc when memory runs out.
std::vector<DecodedSlice> ReadSliceBatch(const std::vector<DatasetSlice>& slices, size_t first, size_t count);
