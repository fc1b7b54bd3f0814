#pragma once
// Reading the fixed-size records of a model file on every core. Each thread reads its own share of
// the records block by block into a buffer of its own and converts them straight into the mesh
// arrays, so that the first touch of the fresh arrays (a page fault per page, which costs more than
// the copying itself on a large model) happens on all cores at once.

#include <cstdint>
#include <functional>

#include "import/ByteSource.h"

// Called with `count` records starting with record `first`, laid out one after the other; writes the
// elements those records stand for and nothing else. False stops the reading (a bad record).
using RecordConverter = std::function<bool(const uint8_t* records, uint64_t first, uint64_t count)>;

// Runs `convert` over the `recordCount` records of `recordSize` bytes from `offset` on, from several
// threads at once. False when bytes cannot be read, memory for a block is missing or `convert` said
// false; what was written by then is undefined.
bool ConvertRecordsInParallel(ByteSource& source, uint64_t offset, uint64_t recordSize, uint64_t recordCount,
                              const RecordConverter& convert);

// Copies `length` bytes from `offset` on straight into `destination`, in large pieces from several
// threads at once; false when they cannot be read whole.
bool CopyInParallel(ByteSource& source, uint64_t offset, uint64_t length, void* destination);
