#include "support/MemorySettingsStore.h"

#include <charconv>

namespace {

const MemorySettingsStore::Value* Find(const MemorySettingsStore& store, const std::string& section,
                                       const std::string& name) {
    const auto s = store.sections.find(section);
    if (s == store.sections.end()) return nullptr;
    const auto v = s->second.find(name);
    return v == s->second.end() ? nullptr : &v->second;
}

}  // namespace

std::optional<uint32_t> MemorySettingsStore::ReadInt(const std::string& section, const std::string& name) {
    const Value* value = Find(*this, section, name);
    if (!value) return std::nullopt;
    if (const auto* number = std::get_if<uint32_t>(value)) return *number;
    if (const auto* text = std::get_if<std::string>(value)) {
        int64_t number = 0;
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
        if (error != std::errc() || end != text->data() + text->size() || text->empty()) return std::nullopt;
        if (number < INT32_MIN || number > int64_t{UINT32_MAX}) return std::nullopt;
        return static_cast<uint32_t>(number);
    }
    return std::nullopt;
}

std::optional<std::string> MemorySettingsStore::ReadString(const std::string& section,
                                                           const std::string& name) {
    const Value* value = Find(*this, section, name);
    if (!value) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(value)) return *text;
    // The INI store keeps integers as signed numbers.
    if (const auto* number = std::get_if<uint32_t>(value))
        return std::to_string(static_cast<int32_t>(*number));
    return std::nullopt;
}

std::optional<std::vector<uint8_t>> MemorySettingsStore::ReadBytes(const std::string& section,
                                                                   const std::string& name) {
    const Value* value = Find(*this, section, name);
    if (!value) return std::nullopt;
    if (const auto* bytes = std::get_if<std::vector<uint8_t>>(value)) return *bytes;
    return std::nullopt;
}

bool MemorySettingsStore::WriteInt(const std::string& section, const std::string& name, uint32_t value) {
    operations.push_back({Op::WriteInt, section, name});
    if (failWrites) return false;
    sections[section][name] = value;
    return true;
}

bool MemorySettingsStore::WriteString(const std::string& section, const std::string& name,
                                      const std::string& value) {
    operations.push_back({Op::WriteString, section, name});
    if (failWrites) return false;
    sections[section][name] = value;
    return true;
}

bool MemorySettingsStore::WriteBytes(const std::string& section, const std::string& name,
                                     const std::vector<uint8_t>& value) {
    operations.push_back({Op::WriteBytes, section, name});
    if (failWrites) return false;
    sections[section][name] = value;
    return true;
}

bool MemorySettingsStore::RemoveValue(const std::string& section, const std::string& name) {
    operations.push_back({Op::Remove, section, name});
    if (failWrites) return false;
    if (const auto s = sections.find(section); s != sections.end()) s->second.erase(name);
    return true;
}

bool MemorySettingsStore::Sync() {
    operations.push_back({Op::Sync, "", ""});
    return !failWrites;
}

bool MemorySettingsStore::Has(const std::string& section, const std::string& name) const {
    return Find(*this, section, name) != nullptr;
}

std::vector<std::string> MemorySettingsStore::WrittenNames(const std::string& section) const {
    std::vector<std::string> names;
    for (const Operation& operation : operations) {
        if (operation.section != section) continue;
        names.push_back(operation.op == Op::Remove ? "-" + operation.name : operation.name);
    }
    return names;
}
