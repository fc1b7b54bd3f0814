#pragma once
// The settings store as an INI file in the user's configuration folder (Korvane/Pexora.ini).
// Sections are groups; integers are written as numbers, strings as text, byte arrays as Qt byte arrays.

#include <QSettings>
#include <QString>

#include "platform/SettingsStore.h"

class QtSettingsStore : public SettingsStore {
public:
    // The user's store: organisation "Korvane", application "Pexora".
    QtSettingsStore();
    // A store in the given INI file (tests, tools).
    explicit QtSettingsStore(const QString& iniFile);

    // The file behind the store, for watching it.
    QString FileName() const { return settings_.fileName(); }

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

private:
    QSettings settings_;
};
