#include "scene/SceneObject.h"

#include <atomic>
#include <cstring>

uint64_t NextRecordSerial() {
    static std::atomic<uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

void SetRecordText(char (&field)[kTextSize], const char* text) {
    size_t length = text == nullptr ? 0 : strnlen(text, kTextSize - 1);
    if (length > 0) std::memmove(field, text, length);
    std::memset(field + length, 0, kTextSize - length);
}

bool SetRecordLocation(SceneObject& record, const std::string& path) {
    record.modelPath = path;
    const bool fits = path.size() < kTextSize && path.find('\0') == std::string::npos;
    SetRecordText(record.location, fits ? path.c_str() : "");
    return fits;
}

std::string RecordLocation(const SceneObject& record) {
    return record.modelPath.empty() ? std::string(record.location) : record.modelPath;
}
