#include "import/SafeFileWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

SafeFileWriter::~SafeFileWriter() {
    Discard();
}

bool SafeFileWriter::Open(const std::string& path) {
    Discard();
    failed_ = false;
    path_ = path;
    // Unique per process and call; O_EXCL never reuses a name another writer holds.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporaryPath_ = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(temporaryCounter++);
        fd_ = open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) temporaryPath_.clear();
    return fd_ >= 0;
}

bool SafeFileWriter::Write(const void* data, size_t length) {
    if (fd_ < 0 || failed_) return false;
    auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0) {
        ssize_t written = write(fd_, bytes, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

bool SafeFileWriter::Commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_ && fsync(fd_) == 0;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && std::rename(temporaryPath_.c_str(), path_.c_str()) == 0;
    if (ok) temporaryPath_.clear();
    Discard();
    return ok;
}

void SafeFileWriter::Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
}
