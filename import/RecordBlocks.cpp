#include "import/RecordBlocks.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <new>

#include "import/ParsedModel.h"
#include "platform/ParallelFor.h"

bool ConvertRecordsInParallel(ByteSource& source, uint64_t offset, uint64_t recordSize, uint64_t recordCount,
                              const RecordConverter& convert) {
    if (recordCount == 0) return true;
    const uint64_t perBlock = std::max<uint64_t>(1, kReadBlockBytes / recordSize);
    const uint64_t blocks = (recordCount + perBlock - 1) / perBlock;
    std::atomic<bool> failed = false;
    ParallelFor(static_cast<int64_t>(blocks), [&](int64_t begin, int64_t end) {
        // A small file needs no more than its own records.
        const uint64_t bufferRecords = std::min(perBlock, recordCount);
        std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[bufferRecords * recordSize]);
        if (!buffer) failed = true;
        for (int64_t block = begin; block < end && !failed.load(std::memory_order_relaxed); ++block) {
            const uint64_t first = static_cast<uint64_t>(block) * perBlock;
            const uint64_t count = std::min(perBlock, recordCount - first);
            if (!source.CopyTo(offset + first * recordSize, count * recordSize, buffer.get()) ||
                !convert(buffer.get(), first, count))
                failed = true;
        }
    });
    return !failed;
}

bool CopyInParallel(ByteSource& source, uint64_t offset, uint64_t length, void* destination) {
    auto* out = static_cast<uint8_t*>(destination);
    const uint64_t pieces = (length + kReadBlockBytes - 1) / kReadBlockBytes;
    std::atomic<bool> failed = false;
    ParallelFor(static_cast<int64_t>(pieces), [&](int64_t begin, int64_t end) {
        const uint64_t from = static_cast<uint64_t>(begin) * kReadBlockBytes;
        const uint64_t to = std::min(length, static_cast<uint64_t>(end) * kReadBlockBytes);
        if (!source.CopyTo(offset + from, to - from, out + from)) failed = true;
    });
    return !failed;
}
