#pragma once
// Writing a file so that a failed write never destroys the file it replaces: the bytes go to a
// temporary file in the target's directory, which is synced and renamed over the target at Commit.
// After a failed call errno tells the system's reason (EACCES for a read-only target).

#include <sys/types.h>

#include <cstddef>
#include <string>

class SafeFileWriter {
public:
    SafeFileWriter() = default;
    // Removes the temporary file when Commit did not succeed.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file beside `path` (beside the target when `path` is a symbolic link, which
    // then survives); false when the directory is not writable or the file exists and is read-only.
    // The new file keeps the permissions of the file it replaces.
    bool Open(const std::string& path);
    // Appends bytes; false once any write failed (later writes are then ignored).
    bool Write(const void* data, size_t length);
    // Syncs, closes and renames the temporary file over the target; false (target untouched,
    // temporary removed) when anything failed.
    bool Commit();

private:
    void Discard();

    int fd_ = -1;
    bool failed_ = false;
    std::string path_;
    std::string temporaryPath_;
};

// Writes the whole file `path` as `length` bytes at `data` through a SafeFileWriter; true when the file
// now holds them (false leaves any earlier file as it was).
bool SaveWholeFile(const std::string& path, const void* data, size_t length);

// The call that puts a writer's bytes into its temporary file: write(2), unless tests stand in a
// call that fails like a full disk. Applies to every writer of the process; returns the call it
// replaces, for the caller to put back.
using SafeFileWriteCall = ssize_t (*)(int descriptor, const void* data, size_t length);
SafeFileWriteCall ReplaceSafeFileWriteCall(SafeFileWriteCall call);
