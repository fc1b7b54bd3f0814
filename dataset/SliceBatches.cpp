#include "dataset/SliceBatches.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <new>

#include "dataset/SliceBuffer.h"
#include "platform/ParallelFor.h"

size_t SliceMemoryBudget() {
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return size_t{1} << 30;
    return static_cast<size_t>(pages) / 4 * static_cast<size_t>(pageSize);
}

size_t SlicesPerBatch(size_t sliceBytes, size_t budget) {
    return sliceBytes == 0 ? budget : std::max<size_t>(1, budget / sliceBytes);
}

DecodedSlice TakeDecodedSlice(SliceBuffer& buffer, int number) {
    DecodedSlice slice;
    slice.number = number;
    slice.read = true;
    slice.width = buffer.width;
    slice.height = buffer.height;
    slice.stride = buffer.stride;
    slice.pixels = std::move(buffer.pixels);
    for (int entry = 0; entry < 256; ++entry) {
        const uint8_t* bgr = buffer.info.data() + 40 + entry * 4;
        slice.rgb[entry][0] = bgr[2];
        slice.rgb[entry][1] = bgr[1];
        slice.rgb[entry][2] = bgr[0];
    }
    return slice;
}

std::vector<DecodedSlice> ReadSliceBatch(const std::vector<DatasetSlice>& slices, size_t first,
                                         size_t count) {
    std::vector<DecodedSlice> batch(count);
    std::atomic<bool> outOfMemory{false};
    ParallelFor(static_cast<int64_t>(count), [&](int64_t begin, int64_t end) {
        SliceBuffer buffer;
        for (int64_t i = begin; i < end && !outOfMemory; ++i) {
            DecodedSlice& slice = batch[static_cast<size_t>(i)];
            const DatasetSlice& file = slices[first + static_cast<size_t>(i)];
            slice.number = file.number;
            try {
                if (ReadSlice(file.path, buffer) != SliceReadFailed)
                    slice = TakeDecodedSlice(buffer, file.number);
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
                return;
            }
        }
    });
    if (outOfMemory) throw std::bad_alloc();
    return batch;
}
