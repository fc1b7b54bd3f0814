// The real program started in the environments a desktop does not always give: no writable home or
// configuration folder, no runtime directory, no session bus, no sound device, a settings file that
// is not INI, a locale with a decimal comma, and the lock of an instance killed with SIGKILL. In each
// it must start, draw its model and end normally ("--quit-after-first-frame").

#include <signal.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "import/ModelFileBytes.h"

namespace {

// A tetrahedron in a .p3g file of version 1001 with 16-bit indices.
std::vector<uint8_t> TetrahedronP3g() {
    FileBytes file;
    file.Int32(1001).Int32(4).Int32(4);
    file.Floats({0, 0, 0, 10, 0, 0, 0, 10, 0, 0, 0, 10});
    for (uint16_t index : {0, 2, 1, 0, 1, 3, 0, 3, 2, 1, 2, 3})
        file.Uint16(index);
    return file.bytes;
}

struct StartEnvironments : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(scratch.isValid());
        model = scratch.filePath("Tooth.p3g");
        std::ofstream(model.toStdString(), std::ios::binary)
            .write(reinterpret_cast<const char*>(TetrahedronP3g().data()), TetrahedronP3g().size());
        image = scratch.filePath("first-frame.png");
        // A regular file: no folder can be made under it, not even by root.
        std::ofstream(scratch.filePath("not-a-folder").toStdString()) << "x";
    }

    // The desktop's environment without the user's folders, session bus and sound configuration;
    // each case adds what it gives.
    QProcessEnvironment BareEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name :
             {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR",
              "DBUS_SESSION_BUS_ADDRESS", "LANG", "LC_ALL", "LC_NUMERIC", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LIBGL_ALWAYS_SOFTWARE", "1");
        // No ALSA configuration: no sound device can be opened.
        environment.insert("ALSA_CONFIG_PATH", scratch.filePath("no-alsa.conf"));
        return environment;
    }

    // Runs the program until it ends by itself; its exit code, -1 when it crashed or hung.
    int Run(const QProcessEnvironment& environment, const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(PEXORA_BINARY, arguments);
        const bool ended = program.waitForFinished(30000);
        if (!ended) {
            program.kill();
            program.waitForFinished();
        }
        errors = QString::fromLocal8Bit(program.readAllStandardError());
        return ended && program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    }

    int RunWithModel(const QProcessEnvironment& environment, const QStringList& more = {}) {
        QFile::remove(image);
        return Run(environment, QStringList{"--quit-after-first-frame=" + image, model} + more);
    }

    // The saved first frame shows the model over the stage: more than one colour.
    void ExpectModelDrawn() const {
        const QImage frame(image);
        ASSERT_FALSE(frame.isNull()) << "no first frame was saved";
        QSet<QRgb> colours;
        for (int y = 0; y < frame.height(); y += 4)
            for (int x = 0; x < frame.width(); x += 4)
                colours.insert(frame.pixel(x, y));
        EXPECT_GT(colours.size(), 1);
    }

    QTemporaryDir scratch;
    QString model;
    QString image;
    QString errors;
};

TEST_F(StartEnvironments, NoWritableHomeConfigRuntimeSessionBusOrSound) {
    QProcessEnvironment environment = BareEnvironment();
    const QString nowhere = scratch.filePath("not-a-folder");
    environment.insert("HOME", nowhere + "/home");
    environment.insert("XDG_CONFIG_HOME", nowhere + "/config");
    environment.insert("XDG_CACHE_HOME", nowhere + "/cache");
    EXPECT_EQ(RunWithModel(environment), 0) << errors.toStdString();
    ExpectModelDrawn();
    EXPECT_FALSE(errors.contains("ALSA")) << errors.toStdString();

    // A .p3g of an unknown version beeps; without a sound device the tone is silent, not a failure.
    const QString unknown = scratch.filePath("Future.p3g");
    std::ofstream(unknown.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(FileBytes().Int32(2001).Int32(0).Int32(0).bytes.data()), 12);
    EXPECT_EQ(Run(environment, {"--quit-after-first-frame", unknown}), 0) << errors.toStdString();
    EXPECT_FALSE(errors.contains("ALSA")) << errors.toStdString();
}

TEST_F(StartEnvironments, SettingsFileThatIsNotIniIsReplacedByWorkingSettings) {
    QProcessEnvironment environment = BareEnvironment();
    environment.insert("HOME", scratch.path());
    environment.insert("XDG_CONFIG_HOME", scratch.filePath("config"));
    ASSERT_TRUE(QDir(scratch.path()).mkpath("config/Korvane"));
    const QString settings = scratch.filePath("config/Korvane/Pexora.ini");
    const std::vector<std::string> garbage = {
        std::string("\x00\x01\x02[\x00]\n=\n==\n[]\n\xff\xfe", 16),
        "[Settings\nStageColor=5\n",
        "[Settings]\nStageColor=@ByteArray(\\xff\nGLaccelerator=@Variant(\\0\\0\\0\\x7f)\nArrowLength=\xff\n",
        std::string(4096, '\x8f'),
    };
    for (const std::string& bytes : garbage) {
        std::ofstream(settings.toStdString(), std::ios::binary) << bytes;
        EXPECT_EQ(RunWithModel(environment), 0) << errors.toStdString();
        ExpectModelDrawn();
        // The settings of this run were written where the garbage was.
        QFile written(settings);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QByteArray text = written.readAll();
        EXPECT_TRUE(text.contains("\nGLaccelerator=0")) << text.toStdString();
        EXPECT_TRUE(text.contains("\nArrowLength=")) << text.toStdString();
    }
}

TEST_F(StartEnvironments, DecimalCommaLocaleKeepsNumbersInSettingsAndArguments) {
    QProcessEnvironment environment = BareEnvironment();
    environment.insert("HOME", scratch.path());
    environment.insert("XDG_CONFIG_HOME", scratch.filePath("config"));
    environment.insert("LC_ALL", "de_DE.UTF-8");
    ASSERT_TRUE(QDir(scratch.path()).mkpath("config/Korvane"));
    const QString settings = scratch.filePath("config/Korvane/Pexora.ini");
    std::ofstream(settings.toStdString()) << "[Settings]\nArrowLength=12.5\n";
    EXPECT_EQ(RunWithModel(environment, {"-v0.25"}), 0) << errors.toStdString();
    ExpectModelDrawn();
    QFile written(settings);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("\nArrowLength=12.5000\n"));
}

TEST_F(StartEnvironments, LockOfAnInstanceKilledWithSigkillDoesNotStopTheNextStart) {
    QProcessEnvironment environment = BareEnvironment();
    environment.insert("HOME", scratch.path());
    environment.insert("XDG_CONFIG_HOME", scratch.filePath("config"));
    const QString runtime = scratch.filePath("runtime");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert("XDG_RUNTIME_DIR", runtime);

    QProcess killed;
    killed.setProcessEnvironment(environment);
    killed.start(PEXORA_BINARY, QStringList{});
    ASSERT_TRUE(killed.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    const QString lock = runtime + "/Pexora.lock";
    while (!QFile::exists(lock) && clock.elapsed() < 20000)
        QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(lock)) << "the first instance never took its lock";
    QTest::qWait(300);
    ::kill(static_cast<pid_t>(killed.processId()), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(lock)) << "SIGKILL leaves the lock behind";

    // A second instance would hand the model over and end without drawing: the next start must see
    // that the lock's holder is gone and open its own window.
    EXPECT_EQ(RunWithModel(environment), 0) << errors.toStdString();
    ExpectModelDrawn();
}

}  // namespace
