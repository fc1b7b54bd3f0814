#pragma once
// Helpers of the import tests: model files built byte by byte from their layout tables and a
// scratch directory for files on disk.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

// Little-endian bytes appended field by field.
class FileBytes {
public:
    FileBytes& Int32(int32_t value) { return Raw(&value, 4); }
    FileBytes& Int16(int16_t value) { return Raw(&value, 2); }
    FileBytes& Uint16(uint16_t value) { return Raw(&value, 2); }
    FileBytes& Float(float value) { return Raw(&value, 4); }
    FileBytes& Floats(std::initializer_list<float> values) {
        for (float value : values)
            Float(value);
        return *this;
    }
    FileBytes& Zeros(size_t count) { return Fill(count, 0); }
    FileBytes& Fill(size_t count, uint8_t value) {
        bytes.insert(bytes.end(), count, value);
        return *this;
    }
    FileBytes& Text(const std::string& text) { return Raw(text.data(), text.size()); }
    FileBytes& Raw(const void* data, size_t length) {
        const auto* begin = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), begin, begin + length);
        return *this;
    }
    // Overwrites 4 bytes at `offset` (for patching counts and positions).
    void PutInt32(size_t offset, int32_t value) { std::memcpy(bytes.data() + offset, &value, 4); }

    std::vector<uint8_t> bytes;
};

// A fresh directory under the system's temporary folder, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pexora-import-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // Full path of `name` inside the directory.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes `bytes` to `name` and returns its full path.
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::string path = File(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return path;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(entry.path().filename().string());
        return names;
    }

private:
    std::string path_;
};

inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
