#include "navigation/MovementSteps.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

#include "navigation/ControlledScene.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

bool ReadWholeInteger(std::string_view text, int& value) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t firstDigit = i;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude <= INT_MAX) magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (i == firstDigit) return false;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    if (i != text.size()) return false;
    const int64_t signedValue = negative ? -magnitude : magnitude;
    value =
        static_cast<int>(signedValue > INT_MAX ? INT_MAX : (signedValue < INT_MIN ? INT_MIN : signedValue));
    return true;
}

StepEntry EnterStep(std::string_view text, int previous, int maximum) {
    StepEntry entry;
    entry.value = previous;
    entry.notInteger = !ReadWholeInteger(text, entry.value);
    if (entry.notInteger || entry.value < 1 || entry.value > maximum) {
        entry.value = entry.value <= maximum ? 1 : maximum;
        entry.corrected = true;
    }
    return entry;
}

void SetObjectKeySteps(ControlledScene& scene, int degrees) {
    const int32_t step = static_cast<int32_t>(std::llabs(static_cast<long long>(degrees)) % 360);
    for (int k = 1; k < kRecordCount; ++k)
        scene.controllers[k].keyStepDeg = step;
}
