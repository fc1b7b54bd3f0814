#include "import/ByteSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

const uint8_t* MemorySource::View(uint64_t offset, size_t length) {
    return InRange(offset, length) ? data_ + offset : nullptr;
}

bool MemorySource::CopyTo(uint64_t offset, size_t length, void* destination) {
    if (!InRange(offset, length)) return false;
    if (length > 0) std::memcpy(destination, data_ + offset, length);
    return true;
}

bool FileSource::Open(const std::string& path, std::string& error) {
    if (!file_.Open(path, error)) return false;
    posix_fadvise(file_.Descriptor(), 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

const uint8_t* FileSource::View(uint64_t offset, size_t length) {
    if (length > bufferSize_) {
        if (!InRange(offset, length)) return nullptr;
        buffer_.reset(new (std::nothrow) uint8_t[length]);
        bufferSize_ = buffer_ ? length : 0;
        if (!buffer_) return nullptr;
    }
    return CopyTo(offset, length, buffer_.get()) ? buffer_.get() : nullptr;
}

bool FileSource::CopyTo(uint64_t offset, size_t length, void* destination) {
    if (file_.Descriptor() < 0 || !InRange(offset, length)) return false;
    auto* out = static_cast<uint8_t*>(destination);
    while (length > 0) {
        ssize_t got = pread(file_.Descriptor(), out, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;  // read error, or the file became shorter
        out += got;
        offset += static_cast<uint64_t>(got);
        length -= static_cast<size_t>(got);
    }
    return true;
}
