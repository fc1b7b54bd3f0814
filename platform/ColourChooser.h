#pragma once
// The colour chooser; colours are 0x00BBGGRR as the settings and records store them.

#include <cstdint>
#include <optional>

class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    // Opens the chooser on `initial`; the chosen colour (high byte 0), or nothing on cancel.
    virtual std::optional<uint32_t> Choose(uint32_t initial) = 0;
};
