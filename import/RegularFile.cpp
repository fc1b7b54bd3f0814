#include "import/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string ReasonOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "no such file";
        case EACCES:
        case EPERM:
            return "permission denied";
        default:
            return std::strerror(error);
    }
}

}  // namespace

RegularFile::~RegularFile() {
    Close();
}

bool RegularFile::Open(const std::string& path, std::string& reason) {
    Close();
    missing_ = false;
    // Non-blocking, so that opening a named pipe returns at once; it is then refused as no regular file.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing_ = errno == ENOENT;
        reason = ReasonOf(errno);
        return false;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = "not a regular file";
        close(fd);
        return false;
    }
    fd_ = fd;
    size_ = static_cast<uint64_t>(status.st_size);
    return true;
}

void RegularFile::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    size_ = 0;
}
