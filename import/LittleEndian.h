#pragma once
// Loads and stores of little-endian values at any byte position of a file image.
// The readers also copy float triples straight from file bytes into mesh arrays, which is only
// right on a little-endian machine; the assertion keeps that assumption visible.

#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "model files are little-endian and copied as they are");

inline int32_t LoadInt32(const uint8_t* bytes) {
    int32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline uint32_t LoadUint32(const uint8_t* bytes) {
    uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline int16_t LoadInt16(const uint8_t* bytes) {
    int16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline uint16_t LoadUint16(const uint8_t* bytes) {
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

inline void StoreInt32(uint8_t* bytes, int32_t value) {
    std::memcpy(bytes, &value, sizeof value);
}

inline void StoreUint16(uint8_t* bytes, uint16_t value) {
    std::memcpy(bytes, &value, sizeof value);
}

inline void StoreInt16(uint8_t* bytes, int16_t value) {
    std::memcpy(bytes, &value, sizeof value);
}
