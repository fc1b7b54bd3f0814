#include "platform/qt/DBusScreenSaverInhibitor.h"

#include <gtest/gtest.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <memory>
#include <vector>

namespace {

// A desktop's inhibit service on a private bus: answers Inhibit with the next cookie and notes every
// call. It lives in a thread of its own, so it answers while the caller waits for the reply.
class FakeInhibitService : public QDBusVirtualObject {
public:
    explicit FakeInhibitService(uint32_t firstCookie) : next_(firstCookie) {}

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        QMutexLocker lock(&mutex_);
        QStringList arguments;
        for (const QVariant& value : message.arguments())
            arguments << value.toString();
        calls_.push_back(message.member() + "(" + arguments.join(QLatin1Char(',')) + ")");
        if (message.member() == QLatin1String("Inhibit"))
            connection.send(message.createReply(QVariant::fromValue(uint(next_++))));
        else
            connection.send(message.createReply());
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    std::vector<QString> Calls() {
        QMutexLocker lock(&mutex_);
        return calls_;
    }

private:
    QMutex mutex_;
    uint32_t next_;
    std::vector<QString> calls_;
};

class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) GTEST_SKIP() << "dbus-daemon is not installed";
        bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                           QStringLiteral("--print-address")});
        ASSERT_TRUE(bus.waitForStarted());
        while (!bus.canReadLine())
            ASSERT_TRUE(bus.waitForReadyRead(5000));
        address = QString::fromUtf8(bus.readLine()).trimmed();
        ASSERT_FALSE(address.isEmpty());
        client = QDBusConnection::connectToBus(address, QStringLiteral("inhibit-client"));
        ASSERT_TRUE(client.isConnected());
        worker.start();
    }
    void TearDown() override {
        worker.quit();
        worker.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("inhibit-client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("inhibit-service"));
        services.clear();
        bus.kill();
        bus.waitForFinished();
    }

    // Offers `name` at `path` with cookies from `firstCookie` on.
    FakeInhibitService* Offer(const char* name, const char* path, uint32_t firstCookie) {
        QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("inhibit-service"));
        auto* object = new FakeInhibitService(firstCookie);
        object->moveToThread(&worker);
        services.emplace_back(object);
        EXPECT_TRUE(service.registerVirtualObject(QString::fromLatin1(path), object));
        EXPECT_TRUE(service.registerService(QString::fromLatin1(name)));
        return object;
    }

    QProcess bus;
    QString address;
    QDBusConnection client{QString()};
    QThread worker;
    std::vector<std::unique_ptr<FakeInhibitService>> services;
};

TEST_F(PrivateBus, InhibitsTheScreenSaverAndPowerSavingAndGivesBackTheirCookies) {
    FakeInhibitService* saver = Offer("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", 7);
    FakeInhibitService* power =
        Offer("org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit", 40);
    {
        DBusScreenSaverInhibitor inhibitor(QStringLiteral("inhibit-client"));
        inhibitor.Inhibit("Recording");
        EXPECT_EQ(inhibitor.HeldCount(), 2);
        inhibitor.Inhibit("again");  // held already: nothing more is asked
        inhibitor.Release();
        EXPECT_EQ(inhibitor.HeldCount(), 0);
        inhibitor.Release();  // nothing held: nothing is sent
        inhibitor.Inhibit("Recording");
    }  // going away gives back what is held
    EXPECT_EQ(saver->Calls(), (std::vector<QString>{"Inhibit(Pexora,Recording)", "UnInhibit(7)",
                                                    "Inhibit(Pexora,Recording)", "UnInhibit(8)"}));
    EXPECT_EQ(power->Calls(), (std::vector<QString>{"Inhibit(Pexora,Recording)", "UnInhibit(40)",
                                                    "Inhibit(Pexora,Recording)", "UnInhibit(41)"}));
}

TEST_F(PrivateBus, ADesktopWithoutTheServicesIsLeftAlone) {
    DBusScreenSaverInhibitor inhibitor(QStringLiteral("inhibit-client"));
    inhibitor.Inhibit("Recording");
    EXPECT_EQ(inhibitor.HeldCount(), 0);
    inhibitor.Release();
}

TEST(DBusScreenSaverInhibitor, WithoutABusNothingHappens) {
    DBusScreenSaverInhibitor inhibitor(QStringLiteral("no-such-connection"));
    inhibitor.Inhibit("Recording");
    EXPECT_EQ(inhibitor.HeldCount(), 0);
    inhibitor.Release();
}

}  // namespace
