// libFuzzer entry point of material files: any bytes must load or be refused cleanly, and saving the
// loaded material into the same file must keep the colour exactly, whatever else the file holds.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "persistence/MaterialFile.h"
#include "scene/SceneObject.h"

namespace {

// One file for the whole run, in a private folder: material files are read and written by path only.
const std::string& MaterialPath() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = std::string(tmp != nullptr ? tmp : "/tmp") + "/pexora-material-fuzz-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) std::abort();
        return folder + "/fuzz.mat";
    }();
    return path;
}

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = MaterialPath();
    if (!WriteBytes(path, data, size)) std::abort();

    SceneObject loaded;
    if (!LoadMaterial(loaded, path)) return 0;
    if (!SaveMaterial(loaded, path)) std::abort();
    SceneObject reloaded;
    if (!LoadMaterial(reloaded, path)) __builtin_trap();
    for (int channel = 0; channel < 4; ++channel)
        if (reloaded.colour[channel] != loaded.colour[channel]) __builtin_trap();
    return 0;
}
