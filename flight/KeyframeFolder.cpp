#include "flight/KeyframeFolder.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "flight/KeyframeStore.h"

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

// The process id a folder name stands for, 0 for any other name.
pid_t FolderProcess(const std::string& name) {
    long value = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), value);
    if (error != std::errc() || end != name.data() + name.size() || value <= 0) return 0;
    return static_cast<pid_t>(value);
}

// Removes the temporary files of keyframe saves that a killed instance never finished
// ("~kf0003.dat.tmp-<pid>-<n>"), so that its folder can go.
void RemoveUnfinishedSaves(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::path> unfinished;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with("~kf") && name.find(".dat.tmp-") != std::string::npos &&
            it->is_regular_file(error))
            unfinished.push_back(it->path());
    }
    for (const fs::path& file : unfinished)
        fs::remove(file, error);
}

}  // namespace

std::string KeyframeFolderBase() {
    if (const std::string runtime = Environment("XDG_RUNTIME_DIR"); !runtime.empty())
        return runtime + "/pexora-keyframes";
    if (const std::string cache = Environment("XDG_CACHE_HOME"); !cache.empty())
        return cache + "/pexora/keyframes";
    if (const std::string home = Environment("HOME"); !home.empty()) return home + "/.cache/pexora/keyframes";
    return {};
}

bool ProcessIsAlive(pid_t pid) {
    return kill(pid, 0) == 0 || errno == EPERM;
}

std::string PrepareKeyframeFolder(const std::string& base, pid_t pid) {
    if (base.empty()) return {};
    std::error_code error;
    fs::create_directories(base, error);
    std::vector<fs::path> dead;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const pid_t owner = FolderProcess(it->path().filename().string());
        if (owner != 0 && owner != pid && !ProcessIsAlive(owner)) dead.push_back(it->path());
    }
    for (const fs::path& folder : dead) {
        DeleteKeyframeFiles(folder.string());
        RemoveUnfinishedSaves(folder);
        fs::remove(folder, error);  // kept when something else lies in it
    }
    const std::string own = base + "/" + std::to_string(pid);
    if (mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) return {};
    struct stat info {};
    if (lstat(own.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid()) return {};
    return own;
}
