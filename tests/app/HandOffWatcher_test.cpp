#include "app/HandOffWatcher.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/qt/QtSettingsStore.h"

namespace {

// What a second instance leaves in the file, written behind the watching store's back.
void WriteHandOffFile(const QString& path, const char* model) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QByteArray("[Mervik_start]\nprefix=") + model + "\ncs_set=\npostfix_len=4\nunit=1\n");
}

void Spin(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

TEST(HandOffWatcher, PicksUpAHandOffWithinOneSecond) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    ClearHandOff(store);
    std::vector<HandOff> handed;
    HandOffWatcher watcher(store, path, [&](const HandOff& h) {
        handed.push_back(h);
        RemoveHandOff(store);
    });
    watcher.Start();
    Spin(100);
    EXPECT_TRUE(handed.empty());

    WriteHandOffFile(path, "/data/Scan/Tooth.P3G");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !handed.empty(); }, 1000));
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].modelPath, "/data/Scan/Tooth.P3G");
    EXPECT_EQ(handed[0].unit, 1);
    Spin(700);
    EXPECT_EQ(handed.size(), 1u);  // consumed: not handed again

    // The slow timer alone finds a hand-off, as when file notifications are unavailable.
    watcher.Stop();
    WriteHandOffFile(path, "/data/Scan/Second.stl");
    Spin(700);
    EXPECT_EQ(handed.size(), 1u);  // stopped: nothing handed
    watcher.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return handed.size() == 2; }, 1000));
    EXPECT_EQ(handed.back().modelPath, "/data/Scan/Second.stl");
}

TEST(HandOffWatcher, PausedOrBusyWatcherHandsNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    ClearHandOff(store);
    int calls = 0;
    int callsDuringQuestion = 0;
    HandOffWatcher* self = nullptr;
    HandOffWatcher watcher(store, path, [&](const HandOff&) {
        ++calls;
        if (calls == 1) {
            // A question box keeps events flowing for a while; the same hand-off must not be asked again.
            const int before = calls;
            Spin(1200);
            callsDuringQuestion = calls - before;
            EXPECT_FALSE(self->CheckNow());
        }
        RemoveHandOff(store);
    });
    self = &watcher;
    watcher.Start();

    watcher.SetPaused(true);
    WriteHandOffFile(path, "/data/a.p3g");
    Spin(1100);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(watcher.CheckNow());

    watcher.SetPaused(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls == 1; }, 1000));
    EXPECT_EQ(callsDuringQuestion, 0);
    Spin(600);
    EXPECT_EQ(calls, 1);
}

TEST(HandOffWatcher, HandOffWrittenThroughAStoreIsFound) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    QtSettingsStore sender(path);
    ClearHandOff(store);
    HandOffWatcher watcher(store, path, [&](const HandOff& h) {
        EXPECT_EQ(h.pixelSize, 0.5f);
        RemoveHandOff(store);
    });
    EXPECT_FALSE(watcher.CheckNow());
    ASSERT_TRUE(WriteHandOff(sender, HandOff{"/data/b.ctm", "/data/rec/s0000.bmp", 0.5f, 4, 0}));
    EXPECT_TRUE(watcher.CheckNow());
    EXPECT_FALSE(watcher.CheckNow());
}
