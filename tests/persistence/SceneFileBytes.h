#pragma once
// Scene file images built from the layout table: a 56-byte header, a 20-byte stage block and
// 1312-byte records with each field placed at its offset, independently of the file code.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"

// A zero-filled block whose fields are set at their offsets.
struct LayoutBlock {
    explicit LayoutBlock(size_t size) : bytes(size, 0) {}
    template <typename T>
    LayoutBlock& Put(size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
        return *this;
    }
    LayoutBlock& Text(size_t offset, const std::string& text) {
        std::memcpy(bytes.data() + offset, text.data(), text.size());
        return *this;
    }
    std::vector<uint8_t> bytes;
};

// Header with the given count, fog 35, field of view 55 and distinctive light and distance values.
inline LayoutBlock SceneHeaderBytes(int32_t count) {
    LayoutBlock header(56);
    header.Put<double>(0, 12.5).Put<int32_t>(8, 35);
    const float light[8] = {1.5f, -2.0f, 3.0f, 0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
    for (int i = 0; i < 8; ++i)
        header.Put<float>(12 + 4 * i, light[i]);
    return header.Put<int32_t>(44, count).Put<int32_t>(48, 55).Put<float>(52, 1.25f);
}

// Image cube, white boxes, stage colour (10, 20, 30), cube colour (40, 50, 60), size 2500, lookAt 0.
inline LayoutBlock StageBlockBytes() {
    LayoutBlock stage(20);
    stage.Put<int16_t>(0, 2).Put<int16_t>(2, 1);
    stage.Put<uint8_t>(4, 10).Put<uint8_t>(5, 20).Put<uint8_t>(6, 30);
    stage.Put<uint8_t>(8, 40).Put<uint8_t>(9, 50).Put<uint8_t>(10, 60);
    return stage.Put<int32_t>(12, 2500).Put<int32_t>(16, 0);
}

// A model record whose values derive from `k`, naming `location`.
inline LayoutBlock RecordBytes(int k, const std::string& location) {
    LayoutBlock record(1312);
    record.Put<int32_t>(0, 1).Put<int32_t>(4, 1).Put<int32_t>(8, 1);
    record.Put<uint8_t>(12, uint8_t(100 + k)).Put<uint8_t>(13, 2).Put<uint8_t>(14, 3).Put<uint8_t>(15, 200);
    record.Put<float>(16, 0.5f).Put<float>(20, 0.25f).Put<float>(24, 0.125f).Put<int16_t>(28, 3);
    record.Put<float>(32, float(k)).Put<float>(36, -2.0f * k).Put<float>(40, 0.5f).Put<float>(44, 1.5f);
    record.Put<int32_t>(48, 1).Put<int32_t>(52, 1).Put<int32_t>(56, 1).Put<int32_t>(60, 2);
    for (int i = 0; i < 9; ++i)
        record.Put<float>(64 + 4 * i, i == 1 ? -1.0f : float(i) / 10);
    record.Put<int64_t>(104, 7).Put<int64_t>(128, -9);
    record.Put<float>(136, 0.5f).Put<float>(148, -0.5f);
    record.Text(152, "/tmp/~CM0001");
    record.Put<float>(412, 0.004f).Put<int32_t>(416, 5).Put<int32_t>(420, 2).Put<int32_t>(424, 3);
    record.Put<int32_t>(456, 1).Put<int32_t>(460, 0).Put<int64_t>(464, 400).Put<int64_t>(472, 800);
    record.Text(480, "model" + std::to_string(k)).Text(740, location).Text(1000, "/data/slices");
    record.Put<int32_t>(1268, 0);
    for (int i = 0; i < 3; ++i)
        record.Put<float>(1272 + 4 * i, 1.0f + i)
            .Put<float>(1284 + 4 * i, -5.0f)
            .Put<float>(1296 + 4 * i, 5.0f);
    return record;
}

// Header, stage block, a default-looking camera, `locations` as models and a plate record.
inline std::vector<uint8_t> SceneFileBytes(const std::vector<std::string>& locations) {
    const int32_t count = int32_t(locations.size()) + 1;
    FileBytes file;
    file.Raw(SceneHeaderBytes(count).bytes.data(), 56).Raw(StageBlockBytes().bytes.data(), 20);
    LayoutBlock camera(1312);
    camera.Put<float>(44, 1.0f).Put<float>(136, 1.0f).Text(480, "camera");
    file.Raw(camera.bytes.data(), 1312);
    for (size_t i = 0; i < locations.size(); ++i)
        file.Raw(RecordBytes(int(i) + 1, locations[i]).bytes.data(), 1312);
    LayoutBlock plate(1312);
    plate.Put<int32_t>(0, 1).Put<float>(44, 2.0f).Text(480, "plate").Text(740, "(internal)");
    file.Raw(plate.bytes.data(), 1312);
    return file.bytes;
}
