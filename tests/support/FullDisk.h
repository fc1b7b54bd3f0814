#pragma once
// A disk that fills up, for tests of the writers built on SafeFileWriter: while a FullDiskAfter
// lives, the writers' temporary files take `capacity` more bytes in all, then every write fails
// with ENOSPC as write(2) does on a full file system (a write that still partly fits is short).

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "import/SafeFileWriter.h"

class FullDiskAfter {
public:
    explicit FullDiskAfter(uint64_t capacity) : previous_(ReplaceSafeFileWriteCall(&Write)) {
        left_ = capacity;
    }
    ~FullDiskAfter() { ReplaceSafeFileWriteCall(previous_); }
    FullDiskAfter(const FullDiskAfter&) = delete;
    FullDiskAfter& operator=(const FullDiskAfter&) = delete;

private:
    static ssize_t Write(int descriptor, const void* data, size_t length) {
        if (left_ == 0) {
            errno = ENOSPC;
            return -1;
        }
        const ssize_t written = ::write(descriptor, data, std::min<uint64_t>(length, left_));
        if (written > 0) left_ -= static_cast<uint64_t>(written);
        return written;
    }

    static inline uint64_t left_ = 0;
    SafeFileWriteCall previous_;
};
