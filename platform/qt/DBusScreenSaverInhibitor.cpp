#include "platform/qt/DBusScreenSaverInhibitor.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

struct InhibitService {
    const char* name;
    const char* path;
    const char* interface;
};

constexpr InhibitService kServices[] = {
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver"},
    {"org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit",
     "org.freedesktop.PowerManagement.Inhibit"},
};

// A desktop that does not answer within this time is taken as one without the service: the window
// that asks must not hang on it.
constexpr int kReplyTimeoutMs = 1000;

QDBusConnection ConnectionNamed(const QString& name) {
    return name.isEmpty() ? QDBusConnection::sessionBus() : QDBusConnection(name);
}

}  // namespace

DBusScreenSaverInhibitor::DBusScreenSaverInhibitor(const QString& connectionName)
    : connectionName_(connectionName) {}

DBusScreenSaverInhibitor::~DBusScreenSaverInhibitor() {
    Release();
}

std::optional<uint32_t> DBusScreenSaverInhibitor::Call(int service, const QString& method,
                                                       const QVariantList& arguments) {
    const InhibitService& target = kServices[service];
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(target.name), QString::fromLatin1(target.path),
                                       QString::fromLatin1(target.interface), method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection_->call(call, QDBus::Block, kReplyTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) return std::nullopt;
    const QList<QVariant> values = reply.arguments();
    if (values.isEmpty() || !values.first().canConvert<uint>()) return 0u;
    return values.first().toUInt();
}

void DBusScreenSaverInhibitor::Inhibit(const std::string& reason) {
    if (inhibited_) return;
    inhibited_ = true;
    if (!connection_) connection_ = ConnectionNamed(connectionName_);
    if (!connection_->isConnected()) return;
    const QDBusConnectionInterface* bus = connection_->interface();
    if (bus == nullptr) return;
    const QVariantList arguments{QStringLiteral("Pexora"), QString::fromStdString(reason)};
    for (int service = 0; service < static_cast<int>(std::size(kServices)); ++service) {
        if (!bus->isServiceRegistered(QString::fromLatin1(kServices[service].name))) continue;
        if (const std::optional<uint32_t> cookie = Call(service, QStringLiteral("Inhibit"), arguments))
            held_.push_back({service, *cookie});
    }
}

void DBusScreenSaverInhibitor::Release() {
    for (const Hold& hold : held_)
        Call(hold.service, QStringLiteral("UnInhibit"), {QVariant::fromValue(uint(hold.cookie))});
    held_.clear();
    inhibited_ = false;
}
