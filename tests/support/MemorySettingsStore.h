#pragma once
// SettingsStore kept in memory, with the same reading rules as the INI store (a string of digits reads as
// a number, a number as its digits, byte arrays only as bytes), that records every operation in order.

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "platform/SettingsStore.h"

class MemorySettingsStore : public SettingsStore {
public:
    using Value = std::variant<uint32_t, std::string, std::vector<uint8_t>>;
    enum class Op { WriteInt, WriteString, WriteBytes, Remove, Sync };
    struct Operation {
        Op op;
        std::string section;  // empty for Sync
        std::string name;
        bool operator==(const Operation&) const = default;
    };

    std::optional<uint32_t> ReadInt(const std::string& section, const std::string& name) override;
    std::optional<std::string> ReadString(const std::string& section, const std::string& name) override;
    std::optional<std::vector<uint8_t>> ReadBytes(const std::string& section,
                                                  const std::string& name) override;
    bool WriteInt(const std::string& section, const std::string& name, uint32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool WriteBytes(const std::string& section, const std::string& name,
                    const std::vector<uint8_t>& value) override;
    bool RemoveValue(const std::string& section, const std::string& name) override;
    bool Sync() override;

    bool Has(const std::string& section, const std::string& name) const;
    // The names written or removed in `section`, in order ("-name" for a removal).
    std::vector<std::string> WrittenNames(const std::string& section) const;

    std::map<std::string, std::map<std::string, Value>> sections;
    std::vector<Operation> operations;
    bool failWrites = false;  // every write and Sync reports failure (and changes nothing)
};
