#include "persistence/MaterialFile.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "persistence/IniText.h"
#include "scene/SceneObject.h"

namespace {

constexpr const char* kColourKeys[4] = {"Red", "Green", "Blue", "Opacity"};

struct CoefficientKey {
    const char* key;
    float SceneObject::*field;
};
constexpr CoefficientKey kCoefficientKeys[3] = {
    {"Diffusion", &SceneObject::diffuse},
    {"Emission", &SceneObject::emission},
    {"Reflection", &SceneObject::reflection},
};

// A material value as read: leading digits (blanks and a '+' before them allowed, anything after
// ignored) as an unsigned 32-bit number, saturating; 0 when the text starts with no digit.
uint32_t MaterialNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i < text.size() && text[i] == '+') ++i;
    uint64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + static_cast<uint64_t>(text[i] - '0');
        if (value > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

std::optional<uint32_t> ReadNumber(const IniText& ini, const char* key) {
    const auto value = ini.Value(kMaterialSection, key);
    if (!value) return std::nullopt;
    return MaterialNumber(*value);
}

}  // namespace

int32_t CoefficientPercent(float coefficient) {
    // Only the product is single precision: in a float sum the added half of a large product can round
    // up to the next even number.
    const double scaled = static_cast<double>(coefficient * 100.0f) + 0.5;
    if (std::isnan(scaled)) return 0;
    // Conversions of values beyond the int range are undefined.
    if (scaled >= 2147483648.0) return INT32_MAX;
    if (scaled <= -2147483649.0) return INT32_MIN;
    return static_cast<int32_t>(scaled);
}

bool LoadMaterial(SceneObject& object, const std::string& path) {
    const IniFileContent file = ReadIniFile(path);
    if (file.status != IniFileStatus::Read) return false;
    const IniText ini(file.text);
    // A missing key keeps the current value exactly (not rounded through percent).
    for (int channel = 0; channel < 4; ++channel)
        if (const auto number = ReadNumber(ini, kColourKeys[channel]))
            object.colour[channel] = static_cast<uint8_t>(*number & 0xFF);
    for (const CoefficientKey& coefficient : kCoefficientKeys)
        if (const auto number = ReadNumber(ini, coefficient.key))
            object.*coefficient.field = static_cast<float>(*number * 0.01);
    return true;
}

bool SaveMaterial(const SceneObject& object, const std::string& path) {
    const IniFileContent file = ReadIniFile(path);
    // Rewriting a file whose text could not be read would lose what it holds.
    if (file.status == IniFileStatus::Unreadable) return false;
    IniText ini(file.text);
    for (int channel = 0; channel < 4; ++channel)
        ini.SetValue(kMaterialSection, kColourKeys[channel], std::to_string(object.colour[channel]));
    for (const CoefficientKey& coefficient : kCoefficientKeys)
        ini.SetValue(kMaterialSection, coefficient.key,
                     std::to_string(CoefficientPercent(object.*coefficient.field)));
    return WriteIniFile(path, ini.Text());
}
