#include "platform/qt/QtSettingsStore.h"

#include <sys/statvfs.h>

#include <algorithm>

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

QtSettingsStore::~QtSettingsStore() {
    Sync();
}

QVariant QtSettingsStore::Value(const QString& key) const {
    const auto held = pending_.find(key);
    if (held == pending_.end()) return settings_.value(key);
    return held->second.value_or(QVariant());
}

bool QtSettingsStore::RoomForChanges() const {
    // An upper bound of the new file: the present one plus every held-back key and value escaped at
    // the widest (six characters for one, as in \xNNNN).
    const QFileInfo file(settings_.fileName());
    uint64_t bytes = static_cast<uint64_t>(std::max<qint64>(0, file.size())) + 64;
    for (const auto& [key, value] : pending_) {
        bytes += 6 * static_cast<uint64_t>(key.size()) + 32;
        if (!value) continue;
        const qsizetype length =
            value->typeId() == QMetaType::QByteArray ? value->toByteArray().size() : value->toString().size();
        bytes += 6 * static_cast<uint64_t>(length);
    }
    struct statvfs space {};
    // Where the folder cannot be asked, the write itself tells.
    if (statvfs(file.absolutePath().toLocal8Bit().constData(), &space) != 0) return true;
    return uint64_t{space.f_bavail} * space.f_frsize >= bytes;
}

std::optional<uint32_t> QtSettingsStore::ReadInt(const std::string& section, const std::string& name) {
    const QVariant value = Value(Key(section, name));
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
    const QVariant value = Value(Key(section, name));
    if (value.typeId() != QMetaType::QString && !IsInteger(value)) return std::nullopt;
    return value.toString().toStdString();
}

std::optional<std::vector<uint8_t>> QtSettingsStore::ReadBytes(const std::string& section,
                                                               const std::string& name) {
    const QVariant value = Value(Key(section, name));
    if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
    const QByteArray bytes = value.toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool QtSettingsStore::WriteInt(const std::string& section, const std::string& name, uint32_t value) {
    // Kept as a signed number so that negative settings read naturally in the file.
    pending_[Key(section, name)] = QVariant(static_cast<int>(static_cast<int32_t>(value)));
    return settings_.isWritable();
}

bool QtSettingsStore::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value) {
    pending_[Key(section, name)] = QVariant(QString::fromStdString(value));
    return settings_.isWritable();
}

bool QtSettingsStore::WriteBytes(const std::string& section, const std::string& name,
                                 const std::vector<uint8_t>& value) {
    pending_[Key(section, name)] = QVariant(
        QByteArray(reinterpret_cast<const char*>(value.data()), static_cast<qsizetype>(value.size())));
    return settings_.isWritable();
}

bool QtSettingsStore::RemoveValue(const std::string& section, const std::string& name) {
    pending_[Key(section, name)] = std::nullopt;
    return settings_.isWritable();
}

bool QtSettingsStore::Sync() {
    const bool room = pending_.empty() || RoomForChanges();
    if (room) {
        for (const auto& [key, value] : pending_) {
            if (value)
                settings_.setValue(key, *value);
            else
                settings_.remove(key);
        }
        pending_.clear();
    }
    // Also without room: reads what other processes wrote.
    settings_.sync();
    return room && settings_.status() == QSettings::NoError;
}
