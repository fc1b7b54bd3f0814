#pragma once
// Holds off the screen saver and power saving through the desktop's D-Bus services:
// org.freedesktop.ScreenSaver and, where a desktop still offers it, org.freedesktop.PowerManagement.
// Each answers Inhibit with a cookie that UnInhibit gives back. Without a session bus, or when neither
// service runs, nothing happens. The desktop also drops the hold when the program ends.

#include <QDBusConnection>
#include <QString>
#include <optional>
#include <vector>

#include "platform/ScreenSaverInhibitor.h"

class DBusScreenSaverInhibitor : public ScreenSaverInhibitor {
public:
    // Talks on the session bus, or on the connection already opened under `connectionName`; the bus is
    // reached only when something is to be held off.
    explicit DBusScreenSaverInhibitor(const QString& connectionName = {});
    // Releases what is still held.
    ~DBusScreenSaverInhibitor() override;
    DBusScreenSaverInhibitor(const DBusScreenSaverInhibitor&) = delete;
    DBusScreenSaverInhibitor& operator=(const DBusScreenSaverInhibitor&) = delete;

    void Inhibit(const std::string& reason) override;
    void Release() override;

    // The services that hold a cookie of ours now.
    int HeldCount() const { return static_cast<int>(held_.size()); }

private:
    struct Hold {
        int service;  // index into the table of services
        uint32_t cookie;
    };
    std::optional<uint32_t> Call(int service, const QString& method, const QVariantList& arguments);

    QString connectionName_;
    std::optional<QDBusConnection> connection_;
    std::vector<Hold> held_;
    bool inhibited_ = false;
};
