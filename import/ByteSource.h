#pragma once
// Random access to the bytes of a model file in large blocks: over memory (tests, fuzzing) or over
// an open file read with pread. Files are read rather than mapped so that a file shrinking under
// the reader ends in a clean refusal instead of a bus error.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "import/RegularFile.h"

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Total number of bytes.
    virtual uint64_t Size() const = 0;
    // Pointer to `length` bytes at `offset`, valid until the next call on this source; null when the
    // range does not lie inside the source or cannot be read whole.
    virtual const uint8_t* View(uint64_t offset, size_t length) = 0;
    // Copies `length` bytes at `offset` into `destination`; false when they cannot be read whole. Several
    // threads may copy at once (View may not be called meanwhile).
    virtual bool CopyTo(uint64_t offset, size_t length, void* destination) = 0;

protected:
    bool InRange(uint64_t offset, size_t length) const {
        return offset <= Size() && length <= Size() - offset;
    }
};

// Bytes held by the caller, who keeps them alive while the source is used.
class MemorySource final : public ByteSource {
public:
    MemorySource(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    uint64_t Size() const override { return size_; }
    const uint8_t* View(uint64_t offset, size_t length) override;
    bool CopyTo(uint64_t offset, size_t length, void* destination) override;

private:
    const uint8_t* data_;
    uint64_t size_;
};

// A regular file opened for reading; its size is taken once at Open.
class FileSource final : public ByteSource {
public:
    // Opens `path`; false (with `error` set to a short reason) when it cannot be opened or is not a
    // regular file, so devices and pipes never make a reader wait.
    bool Open(const std::string& path, std::string& error);
    uint64_t Size() const override { return file_.Size(); }
    const uint8_t* View(uint64_t offset, size_t length) override;
    bool CopyTo(uint64_t offset, size_t length, void* destination) override;

private:
    RegularFile file_;
    std::unique_ptr<uint8_t[]> buffer_;
    size_t bufferSize_ = 0;
};
