#pragma once
// Opening a file by name for reading without ever waiting: a named pipe, a device, a socket or a
// directory is refused at once instead of blocking the open (a pipe without writer) or a later read.
// Every file the program reads by name goes through here.

#include <cstdint>
#include <string>

class RegularFile {
public:
    RegularFile() = default;
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Opens `path` for reading (closing any file opened before); true for a regular file. False
    // otherwise, with `reason` set to a short lower-case text ("not a regular file", "no such file",
    // "permission denied", or the system's text); Missing() then tells whether there is no file.
    bool Open(const std::string& path, std::string& reason);
    // After a failed Open: true when no file of that name exists.
    bool Missing() const { return missing_; }
    // The open descriptor, -1 when none; it stays owned by this object.
    int Descriptor() const { return fd_; }
    // The size when it was opened.
    uint64_t Size() const { return size_; }

private:
    void Close();

    int fd_ = -1;
    uint64_t size_ = 0;
    bool missing_ = false;
};
