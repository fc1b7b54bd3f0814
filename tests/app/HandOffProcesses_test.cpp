// A model handed over between two real processes: this test process runs the first instance with the
// desktop's settings store and instance lock, and starts the real program as the second instance.

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/CMainFrame.h"
#include "app/CPexoraApp.h"
#include "app/HandOff.h"
#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/ScriptedServices.h"

namespace {

struct HandOffProcesses : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath("config/Korvane"));
        ASSERT_TRUE(QDir(home.path()).mkpath("runtime"));
        QFile::setPermissions(RuntimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        modelPath = (home.path() + "/Scan/Tooth.P3G").toStdString();
        slicePath = (home.path() + "/Scan/rec/slice0000.bmp").toStdString();
        ASSERT_TRUE(QDir(home.path()).mkpath("Scan/rec"));
        std::ofstream(modelPath) << "model";
        std::ofstream(slicePath) << "slice";
    }
    QString RuntimeDir() const { return home.path() + "/runtime"; }
    QString SettingsFile() const { return home.path() + "/config/Korvane/Pexora.ini"; }

    // The environment of a program run by this user, with the test's folders as the user's own.
    QProcessEnvironment UserEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path() + "/config");
        environment.insert("XDG_RUNTIME_DIR", RuntimeDir());
        environment.insert("LIBGL_ALWAYS_SOFTWARE", "1");
        return environment;
    }

    // Runs the program as a second instance; returns its exit code, -1 when it crashed or hung.
    int RunSecondInstance(const QStringList& arguments, qint64* milliseconds) {
        QProcess second;
        second.setProcessEnvironment(UserEnvironment());
        QElapsedTimer clock;
        clock.start();
        second.start(PEXORA_BINARY, arguments);
        if (!second.waitForFinished(20000)) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        *milliseconds = clock.elapsed();
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
    }

    QTemporaryDir home;
    std::string modelPath;
    std::string slicePath;
};

TEST_F(HandOffProcesses, RunningInstanceAsksAndLoadsTheModelOfASecondProcess) {
    QtSettingsStore store(SettingsFile());
    QtInstanceLock lock(RuntimeDir());
    ASSERT_TRUE(lock.IsFirstInstance());
    ScriptedServices scripted;
    PlatformServices services{store,          scripted.messages, scripted.files, scripted.colours,
                              scripted.tones, scripted.desktop,  lock,           scripted.screenSaver};
    CPexoraApp first(services, SettingsFile(), (home.path() + "/pexora").toStdString());
    ASSERT_TRUE(first.InitInstance({}));
    CMainFrame& frame = *first.Frame();
    scripted.messages.answers.push_back(MessageAnswer::Yes);

    qint64 secondRan = 0;
    const int exitCode = RunSecondInstance(
        {QString::fromStdString(modelPath), QString::fromStdString("-f" + slicePath), "-V12.5", "/n3", "-u2"},
        &secondRan);
    EXPECT_EQ(exitCode, 0) << "the second process hands over and ends";

    // The running instance notices the hand-off within a second of the write, without input.
    QElapsedTimer clock;
    clock.start();
    while (frame.GetScene().ModelCount() == 0 && clock.elapsed() < 3000)
        QTest::qWait(20);
    ASSERT_EQ(frame.GetScene().ModelCount(), 1) << "no model arrived";
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{"Mervik program try to send new model.\nAccept it?"});

    const SceneObject& model = frame.GetScene().objects[1];
    EXPECT_STREQ(model.datasetPath, slicePath.c_str()) << "the path keeps its case";
    EXPECT_EQ(model.pixelSize, 12.5f);
    EXPECT_EQ(model.postfixLength, 3);
    EXPECT_EQ(model.unit, 2);
    EXPECT_EQ(frame.GetScene().PlateIndex(), 2) << "the model went in front of the plate";
    store.Sync();
    EXPECT_FALSE(store.ReadString("Mervik_start", "prefix").value_or("").size())
        << "the hand-off was taken once";
    first.ExitInstance();
}

TEST_F(HandOffProcesses, AnInstanceStillRunningReceivesHandOffsAfterTheFirstEnded) {
    // This process is the first instance; the program runs as a second, independent one.
    auto first = std::make_unique<QtInstanceLock>(RuntimeDir());
    ASSERT_TRUE(first->IsFirstInstance());
    QProcess independent;
    independent.setProcessEnvironment(UserEnvironment());
    independent.start(PEXORA_BINARY, {});
    ASSERT_TRUE(independent.waitForStarted(10000));

    // The first instance ends; the independent one takes the lock over.
    first.reset();
    QLockFile lock(RuntimeDir() + "/Pexora.lock");
    qint64 holder = 0;
    QString host, application;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return lock.getLockInfo(&holder, &host, &application) && holder == independent.processId(); },
        10000))
        << "the running instance did not take the lock over";

    // A later start with a model hands it over instead of opening a third window.
    qint64 thirdRan = 0;
    EXPECT_EQ(RunSecondInstance({QString::fromStdString(modelPath)}, &thirdRan), 0);
    QtSettingsStore store(SettingsFile());
    const HandOff handed = ReadHandOff(store);
    EXPECT_TRUE(handed.modelPath == modelPath || handed.modelPath.empty())
        << "written for the running instance (which may already have taken it)";
    EXPECT_EQ(independent.state(), QProcess::Running);
    independent.kill();
    independent.waitForFinished();
}

TEST_F(HandOffProcesses, WithoutARunningInstanceTheProgramKeepsTheModelItself) {
    // No lock is held: the process is the first instance, so nothing is handed over. It opens its
    // window; the test ends it once the hand-off section is known to be untouched.
    QProcess alone;
    alone.setProcessEnvironment(UserEnvironment());
    alone.start(PEXORA_BINARY, {QString::fromStdString(modelPath)});
    ASSERT_TRUE(alone.waitForStarted(10000));
    EXPECT_FALSE(alone.waitForFinished(2000)) << "a first instance keeps running with its window";
    QtSettingsStore store(SettingsFile());
    EXPECT_FALSE(store.ReadString("Mervik_start", "prefix").value_or("").size());
    alone.kill();
    alone.waitForFinished();
}

}  // namespace
