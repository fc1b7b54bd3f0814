#pragma once
// Per-user store of the program's settings: named sections holding named values of three types
// (32-bit integer, string, byte array). Texts are UTF-8.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value as an unsigned 32-bit integer (a signed meaning is the caller's cast); nothing when the
    // value is absent, a byte array, or text that is not a whole decimal number within 32 bits.
    // A value written as a string of digits reads as its number (a text file cannot tell them apart).
    virtual std::optional<uint32_t> ReadInt(const std::string& section, const std::string& name) = 0;
    // The value as text (an integer reads as its decimal digits); nothing when absent or a byte array.
    virtual std::optional<std::string> ReadString(const std::string& section, const std::string& name) = 0;
    // The value's bytes; nothing when absent or not written as a byte array.
    virtual std::optional<std::vector<uint8_t>> ReadBytes(const std::string& section,
                                                          const std::string& name) = 0;

    // Each write creates the section and the value as needed and replaces any earlier value and type.
    // They return false when the store cannot be written.
    virtual bool WriteInt(const std::string& section, const std::string& name, uint32_t value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    virtual bool WriteBytes(const std::string& section, const std::string& name,
                            const std::vector<uint8_t>& value) = 0;
    // Deletes one value (what writing a null string does); removing an absent value succeeds.
    virtual bool RemoveValue(const std::string& section, const std::string& name) = 0;

    // Makes this store's writes visible to other processes and theirs to this one; false on a write error.
    virtual bool Sync() = 0;

    // ReadInt with a fallback for an absent or unreadable value.
    uint32_t IntOr(const std::string& section, const std::string& name, uint32_t fallback) {
        return ReadInt(section, name).value_or(fallback);
    }
    // ReadString with a fallback for an absent or unreadable value.
    std::string StringOr(const std::string& section, const std::string& name, const std::string& fallback) {
        return ReadString(section, name).value_or(fallback);
    }
};
