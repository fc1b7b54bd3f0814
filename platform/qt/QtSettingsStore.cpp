#include "platform/qt/QtSettingsStore.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVariant>

namespace {

QString UserIniFile() {
    // Where QSettings keeps an INI file of user scope; worked out here because QSettings reads the
    // file as soon as it is constructed.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Korvane/Pexora.ini"));
}

// A missing file is fine (it is made on the first write); anything that exists must be a regular
// file, or a link to one.
bool UsableIniFile(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

std::unique_ptr<QTemporaryDir> SubstituteFor(const QString& path) {
    if (UsableIniFile(path)) return nullptr;
    return std::make_unique<QTemporaryDir>();
}

QString FileToOpen(const QString& path, const std::unique_ptr<QTemporaryDir>& substitute) {
    return substitute ? substitute->filePath(QStringLiteral("Pexora.ini")) : path;
}

QString Key(const std::string& section, const std::string& name) {
    return QString::fromStdString(section) + u'/' + QString::fromStdString(name);
}

bool IsInteger(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            return true;
        default:
            return false;
    }
}

}  // namespace

QtSettingsStore::QtSettingsStore() : QtSettingsStore(UserIniFile()) {}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : substitute_(SubstituteFor(iniFile)),
      settings_(FileToOpen(iniFile, substitute_), QSettings::IniFormat) {}

std::optional<uint32_t> QtSettingsStore::ReadInt(const std::string& section, const std::string& name) {
    const QVariant value = settings_.value(Key(section, name));
    bool ok = false;
    qlonglong number = 0;
    if (IsInteger(value))
        number = value.toLongLong(&ok);
    else if (value.typeId() == QMetaType::QString)
        number = value.toString().toLongLong(&ok, 10);
    if (!ok || number < INT32_MIN || number > qlonglong{UINT32_MAX}) return std::nullopt;
    return static_cast<uint32_t>(number);
}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& section, const std::string& name) {
    const QVariant value = settings_.value(Key(section, name));
    if (value.typeId() != QMetaType::QString && !IsInteger(value)) return std::nullopt;
    return value.toString().toStdString();
}

std::optional<std::vector<uint8_t>> QtSettingsStore::ReadBytes(const std::string& section,
                                                               const std::string& name) {
    const QVariant value = settings_.value(Key(section, name));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool QtSettingsStore::WriteInt(const std::string& section, const std::string& name, uint32_t value) {
    // Kept as a signed number so that negative settings read naturally in the file.
    settings_.setValue(Key(section, name), static_cast<int>(static_cast<int32_t>(value)));
    return settings_.isWritable();
}

bool QtSettingsStore::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    settings_.setValue(Key(section, name), QString::fromStdString(value));
    return settings_.isWritable();
}

bool QtSettingsStore::WriteBytes(const std::string& section, const std::string& name,
                                 const std::vector<uint8_t>& value) {
    settings_.setValue(Key(section, name), QByteArray(reinterpret_cast<const char*>(value.data()),
                                                      static_cast<qsizetype>(value.size())));
    return settings_.isWritable();
}

bool QtSettingsStore::RemoveValue(const std::string& section, const std::string& name) {
    settings_.remove(Key(section, name));
    return settings_.isWritable();
}

bool QtSettingsStore::Sync() {
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}
