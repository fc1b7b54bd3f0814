#pragma once
// The settings store as an INI file in the user's configuration folder (Korvane/Pexora.ini).
// Sections are groups; integers are written as numbers, strings as text, byte arrays as Qt byte arrays.

#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <map>
#include <memory>
#include <optional>

#include "platform/SettingsStore.h"

class QtSettingsStore : public SettingsStore {
public:
    // The user's store: organisation "Korvane", application "Pexora", in the user's configuration
    // folder ($XDG_CONFIG_HOME or ~/.config).
    QtSettingsStore();
    // A store in the given INI file (tests, tools). A path naming something other than a file (a named
    // pipe, a device, a folder) would block or fail every read: the store then lives in a file of its
    // own in a temporary folder for the life of the object, so the program still starts and works,
    // and Substituted() tells so.
    explicit QtSettingsStore(const QString& iniFile);
    // Writes what is still held back, when it fits.
    ~QtSettingsStore() override;

    // The file behind the store, for watching it.
    QString FileName() const { return settings_.fileName(); }
    // True when the named file could not serve and a temporary one stands in for it.
    bool Substituted() const { return substitute_ != nullptr; }

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
    // The value under `key`, written or removed since the last Sync or else from the file.
    QVariant Value(const QString& key) const;
    // True when the file's folder has room for the file with the held-back values.
    bool RoomForChanges() const;

    // Declared before the settings: the temporary folder must exist when they open their file.
    std::unique_ptr<QTemporaryDir> substitute_;
    QSettings settings_;
    // Values written (a value) or removed (nothing) since the last Sync. Qt rewrites the whole file on
    // each sync and takes a write that a full disk cut short for a whole one, renaming the cut-off
    // file over the good one; so changes reach the QSettings object only when the folder has room.
    std::map<QString, std::optional<QVariant>> pending_;
};
