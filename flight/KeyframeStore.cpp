#include "flight/KeyframeStore.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

#include "flight/KeyframeFile.h"
#include "flight/SceneBlock.h"
#include "import/ByteSource.h"
#include "import/SafeFileWriter.h"

namespace fs = std::filesystem;

namespace {

// The largest file the reader needs: header and 128 heads. Longer files are read this far.
constexpr size_t kLargestKeyframe = kSceneHeaderSize + kRecordCount * kRecordHeadSize;

bool IsKeyframeName(std::string_view name) {
    if (name.size() != 11 || !name.starts_with("~kf") || !name.ends_with(".dat")) return false;
    for (size_t i = 3; i < 7; ++i)
        if (name[i] < '0' || name[i] > '9') return false;
    return true;
}

bool IsSnapshotPath(const char* path) {
    return fs::path(path).filename().string().starts_with("~CM");
}

}  // namespace

bool ReadKeyframeAt(const std::string& path, SceneBlock& block) {
    FileSource source;
    std::string reason;
    if (!source.Open(path, reason)) return false;
    const size_t size =
        source.Size() < kLargestKeyframe ? static_cast<size_t>(source.Size()) : kLargestKeyframe;
    std::vector<uint8_t> bytes(size);
    if (!source.CopyTo(0, size, bytes.data())) return false;
    return DecodeKeyframe(bytes.data(), bytes.size(), block);
}

std::string KeyframePath(const std::string& folder, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "~kf%04d.dat", number);
    return folder + "/" + name;
}

int CountKeyframes(const std::string& folder) {
    int number = 0;
    std::error_code error;
    while (fs::is_regular_file(KeyframePath(folder, number), error))
        ++number;
    return number;
}

bool ReadKeyframeFile(const std::string& folder, int number, SceneBlock& block) {
    return ReadKeyframeAt(KeyframePath(folder, number), block);
}

bool WriteKeyframeFile(const std::string& folder, int number, const SceneBlock& block) {
    const std::vector<uint8_t> bytes = EncodeKeyframe(block);
    SafeFileWriter writer;
    return writer.Open(KeyframePath(folder, number)) && writer.Write(bytes.data(), bytes.size()) &&
           writer.Commit();
}

void DeleteKeyframeFiles(const std::string& folder) {
    std::error_code error;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (IsKeyframeName(it->path().filename().string())) found.push_back(it->path());
    // Runs while the frame is destroyed too: without memory for a block the files simply stay.
    const std::unique_ptr<SceneBlock> block(new (std::nothrow) SceneBlock);
    if (!block) return;
    for (const fs::path& path : found) {
        if (ReadKeyframeAt(path.string(), *block)) {
            for (int i = 1; i < block->state.count; ++i) {
                const char* snapshot = block->heads[i].backupPath;
                if (snapshot[0] != '\0' && IsSnapshotPath(snapshot)) fs::remove(snapshot, error);
            }
        }
        fs::remove(path, error);
    }
}
