#pragma once
// Keyframe files built byte by byte from the layout table: the 56-byte header, then one 432-byte head
// per record with its fields at their offsets and the padding bytes marked (0xEE), so a reader that
// took padding for a field shows it.

#include <cstdint>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "scene/SceneObject.h"

// The header: camera distance 2.5, fog 33, light position (1,2,3,0), colour (0.5,0.6,0.7,1), `count`,
// field of view 45, aspect 1.25.
inline void AppendKeyframeHeader(FileBytes& file, int32_t count) {
    const double distance = 2.5;
    file.Raw(&distance, 8)
        .Int32(33)
        .Floats({1, 2, 3, 0})
        .Floats({0.5f, 0.6f, 0.7f, 1})
        .Int32(count)
        .Int32(45)
        .Float(1.25f);
}

// Head of record `i`: every field holds a value derived from i.
inline void AppendKeyframeHead(FileBytes& file, int i, const std::string& backupPath) {
    const float f = static_cast<float>(i);
    file.Int32(i % 2).Int32(1).Int32(0);                                     // visible, centered, optimized
    file.Raw(std::vector<uint8_t>{uint8_t(10 + i), 20, 30, 200}.data(), 4);  // colour
    file.Floats({0.25f, 0.5f, 0.75f}).Int16(int16_t(i % 4)).Fill(2, 0xEE);   // material, mode, pad 30
    file.Floats({f, -f, 2 * f}).Float(1 + f).Int32(1).Int32(0).Int32(1).Int32(2);
    file.Floats({0, 1, 0, -1, 0, 0, 0, 0, 1}).Fill(4, 0xEE);  // rotation, pad 100
    for (int64_t key : {int64_t(7), int64_t(-8), int64_t(1) << 40, int64_t(i)})
        file.Raw(&key, 8);
    file.Floats({0.5f, 0.5f, 0.5f, 0.5f});
    std::vector<char> text(kTextSize, 0);
    std::copy(backupPath.begin(), backupPath.end(), text.begin());
    file.Raw(text.data(), text.size());
    file.Float(0.01f * (1 + f)).Int32(5).Int32(2).Int32(3).Fill(4, 0xEE);
}

// A whole keyframe of `count` + 1 heads; model heads name "/snap/~CM<i>".
inline std::vector<uint8_t> KeyframeFileBytes(int32_t count) {
    FileBytes file;
    AppendKeyframeHeader(file, count);
    for (int i = 0; i <= count; ++i)
        AppendKeyframeHead(file, i, i > 0 && i < count ? "/snap/~CM" + std::to_string(i) : "");
    return file.bytes;
}
