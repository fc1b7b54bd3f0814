#include "scene/SceneObject.h"

#include <cstring>

void SetRecordText(char (&field)[kTextSize], const char* text) {
    size_t length = text == nullptr ? 0 : strnlen(text, kTextSize - 1);
    if (length > 0) std::memmove(field, text, length);
    std::memset(field + length, 0, kTextSize - length);
}
