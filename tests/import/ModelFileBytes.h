#pragma once
// Helpers of the import tests: model files built byte by byte from their layout tables and a
// scratch directory for files on disk.

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
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

// Header and `vertexCount` vertices (x = i, y = -i, z = 0.5) of a .p3g file.
inline FileBytes P3gHead(int32_t version, int32_t vertexCount, int32_t facetCount) {
    FileBytes file;
    file.Int32(version).Int32(vertexCount).Int32(facetCount);
    for (int32_t i = 0; i < vertexCount; ++i)
        file.Floats({float(i), -float(i), 0.5f});
    return file;
}

// A small valid file: 4 vertices, 2 facets, 16-bit indices.
inline FileBytes SmallP3g() {
    FileBytes file = P3gHead(1001, 4, 2);
    file.Uint16(0).Uint16(1).Uint16(2).Uint16(3).Uint16(2).Uint16(1);
    return file;
}

// A .ctm file: 272-byte header whose last int32 points at the descriptor placed right after it,
// then the records. Facet k has corners (10k + c, 10k + c + 0.25, -k) for corner c and, with
// normals, normals (c, k, 1). Records are padded with 0xEE bytes up to `recordSize`.
inline FileBytes CtmFile(int32_t facetCount, int16_t normalFlag, uint16_t recordSize) {
    FileBytes file;
    file.Fill(268, 0x41).Int32(272);                    // header, S = 272
    file.Zeros(6).Int32(facetCount).Int16(normalFlag);  // descriptor
    file.Uint16(recordSize).Int32(272 + 22).Zeros(4);   // R, D = 294
    for (int32_t k = 0; k < facetCount; ++k) {
        const size_t start = file.bytes.size();
        for (int c = 0; c < 3; ++c)
            file.Floats({10.0f * k + c, 10.0f * k + c + 0.25f, -float(k)});
        if (normalFlag == 2)
            for (int c = 0; c < 3; ++c)
                file.Floats({float(c), float(k), 1.0f});
        file.Fill(recordSize - (file.bytes.size() - start), 0xEE);
    }
    return file;
}

using StlTriangle = std::array<float, 9>;

// Triangle k: corners (k + c/4, 2k - c, 0.1 k) for c = 0, 1, 2; values that need all 9 digits.
inline std::vector<StlTriangle> Triangles(int count) {
    std::vector<StlTriangle> triangles;
    for (int k = 0; k < count; ++k) {
        StlTriangle t;
        for (int c = 0; c < 3; ++c) {
            t[3 * c] = k + c / 4.0f;
            t[3 * c + 1] = 2.0f * k - c;
            t[3 * c + 2] = 0.1f * k;
        }
        triangles.push_back(t);
    }
    return triangles;
}

// Binary STL: 80-byte header starting with `headerText`, count, 50-byte records with a facet
// normal that must be ignored and attribute 0xBEEF.
inline FileBytes BinaryStl(const std::vector<StlTriangle>& triangles,
                           const std::string& headerText = "binary") {
    FileBytes file;
    file.Text(headerText).Zeros(80 - headerText.size()).Int32(static_cast<int32_t>(triangles.size()));
    for (const StlTriangle& t : triangles) {
        file.Floats({7, 8, 9});
        for (float value : t)
            file.Float(value);
        file.Uint16(0xBEEF);
    }
    return file;
}

inline std::string AsciiStl(const std::vector<StlTriangle>& triangles) {
    std::string text = "solid specimen part\n";
    char line[160];
    for (const StlTriangle& t : triangles) {
        text += "  facet normal 0 0 1\n    outer loop\n";
        for (int c = 0; c < 3; ++c) {
            std::snprintf(line, sizeof line, "      vertex %.9g %.9g %.9g\n", t[3 * c], t[3 * c + 1],
                          t[3 * c + 2]);
            text += line;
        }
        text += "    endloop\n  endfacet\n";
    }
    return text + "endsolid specimen part\n";
}

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
