#pragma once
// A real file system that fills up or turns read-only, for writers that do not go through
// SafeFileWriter (QSettings): a tmpfs of a few pages mounted on a fresh scratch directory. Mounting
// needs root (or a mount namespace); where it is refused, Mounted() is false and tests skip.

#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class SmallTmpfs {
public:
    explicit SmallTmpfs(size_t bytes) {
        std::string pattern = (std::filesystem::temp_directory_path() / "pexora-tmpfs-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) return;
        path_ = pattern;
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) umount2(path_.c_str(), MNT_DETACH);
        if (!path_.empty()) rmdir(path_.c_str());
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Makes the whole file system read-only, which stops root too (a directory's mode does not).
    bool MakeReadOnly() {
        return mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                     nullptr) == 0;
    }

private:
    std::string path_;
    bool mounted_ = false;
};
