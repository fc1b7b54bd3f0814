#include "import/SafeFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<unsigned> temporaryCounter{0};
std::atomic<SafeFileWriteCall> writeCall{&::write};

// The file a write to `path` changes: the target of a symbolic link, so that the link survives.
std::string WriteTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) return path;
    std::string target(resolved);
    free(resolved);
    return target;
}

}  // namespace

SafeFileWriteCall ReplaceSafeFileWriteCall(SafeFileWriteCall call) {
    return writeCall.exchange(call);
}

SafeFileWriter::~SafeFileWriter() {
    Discard();
}

bool SafeFileWriter::Open(const std::string& path) {
    Discard();
    failed_ = false;
    path_ = WriteTarget(path);
    struct stat existing {};
    const bool replacing = stat(path_.c_str(), &existing) == 0;
    // A rename would replace a read-only file just as well: refuse it, also for a user whom modes do
    // not stop when the file has no write permission at all.
    if (replacing &&
        (access(path_.c_str(), W_OK) != 0 || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)) {
        errno = EACCES;
        return false;
    }
    // Unique per process and call; O_EXCL never reuses a name another writer holds.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporaryPath_ =
            path_ + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(temporaryCounter++);
        fd_ = open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporaryPath_.clear();
        return false;
    }
    // The new file keeps the permissions of the one it replaces.
    if (replacing) fchmod(fd_, existing.st_mode & 07777);
    return true;
}

bool SafeFileWriter::Write(const void* data, size_t length) {
    if (fd_ < 0 || failed_) return false;
    auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0) {
        ssize_t written = writeCall.load()(fd_, bytes, length);
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
    // Cleaning up keeps the errno of the failure that led here.
    const int reason = errno;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    temporaryPath_.clear();
    errno = reason;
}

bool SaveWholeFile(const std::string& path, const void* data, size_t length) {
    SafeFileWriter writer;
    return writer.Open(path) && writer.Write(data, length) && writer.Commit();
}
