#include "platform/qt/QtSettingsStore.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/ProgramSettings.h"

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// What another process does: changes the file behind the store's back. Appending a comment changes the
// file's size, so the next Sync parses the file again instead of trusting what the store holds.
void TouchFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\n; touched\n");
}

}  // namespace

TEST(QtSettingsStore, UserStoreIsKorvanePexoraIni) {
    QtSettingsStore store;
    EXPECT_TRUE(store.FileName().endsWith("/Korvane/Pexora.ini")) << store.FileName().toStdString();
}

TEST(QtSettingsStore, APipeOrAFolderInPlaceOfTheFileIsNeverOpened) {
    // Reading a named pipe without a writer would wait forever; a folder cannot be read at all.
    QTemporaryDir dir;
    const QString pipe = dir.filePath("Pexora.ini");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const QString& path : {pipe, dir.path()}) {
        QtSettingsStore store(path);
        EXPECT_TRUE(store.Substituted());
        EXPECT_NE(store.FileName(), path);
        EXPECT_FALSE(store.ReadInt("Settings", "Perspective").has_value());
        ASSERT_TRUE(store.WriteInt("Settings", "Perspective", 45));
        EXPECT_TRUE(store.Sync());
        EXPECT_EQ(store.ReadInt("Settings", "Perspective"), 45u);
    }
    EXPECT_TRUE(QFileInfo(pipe).isReadable()) << "the pipe is left where it was";

    QtSettingsStore missing(dir.filePath("new.ini"));
    EXPECT_FALSE(missing.Substituted());
}

TEST(QtSettingsStore, TypesSurviveTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    const std::vector<uint8_t> bytes{0x00, 0x00, 0x48, 0x41, 0xFF, 0x0A, 0x3D};
    ASSERT_TRUE(store.WriteInt("Settings", "Perspective", 45));
    ASSERT_TRUE(store.WriteInt("Settings", "StereoAngle", static_cast<uint32_t>(-4)));
    ASSERT_TRUE(store.WriteInt("Settings", "StageColor", 0xFFFFFFFF));
    ASSERT_TRUE(store.WriteString("Settings", "DataDirectory", "/data/Scans, old/Ünï @x = ;y"));
    ASSERT_TRUE(store.WriteString("Settings", "Texture", "@cube"));
    ASSERT_TRUE(store.WriteString("Mervik_start", "prefix", ""));
    ASSERT_TRUE(store.WriteString("Settings", "ArrowLength", "12.5000"));
    ASSERT_TRUE(store.WriteBytes("Mervik_start", "pix_size", bytes));
    ASSERT_TRUE(store.WriteInt("Flight recorder", "LeftWindowPosition", 17));
    ASSERT_TRUE(store.Sync());

    const QString text = ReadText(path);
    EXPECT_TRUE(text.contains("Perspective=45")) << text.toStdString();
    EXPECT_TRUE(text.contains("StereoAngle=-4")) << text.toStdString();
    EXPECT_TRUE(text.contains("[Mervik_start]")) << text.toStdString();

    TouchFile(path);
    ASSERT_TRUE(store.Sync());
    EXPECT_EQ(store.ReadInt("Settings", "Perspective"), 45u);
    EXPECT_EQ(store.ReadInt("Settings", "StereoAngle"), static_cast<uint32_t>(-4));
    EXPECT_EQ(store.ReadInt("Settings", "StageColor"), 0xFFFFFFFFu);
    EXPECT_EQ(store.ReadString("Settings", "DataDirectory"), "/data/Scans, old/Ünï @x = ;y");
    EXPECT_EQ(store.ReadString("Settings", "Texture"), "@cube");
    EXPECT_EQ(store.ReadString("Mervik_start", "prefix"), "");
    EXPECT_EQ(store.ReadString("Settings", "ArrowLength"), "12.5000");
    EXPECT_EQ(store.ReadBytes("Mervik_start", "pix_size"), bytes);
    EXPECT_EQ(store.ReadInt("Flight recorder", "LeftWindowPosition"), 17u);

    // Reading across types, as the interface promises.
    EXPECT_EQ(store.ReadString("Settings", "Perspective"), "45");
    EXPECT_EQ(store.ReadString("Settings", "StereoAngle"), "-4");
    EXPECT_EQ(store.ReadInt("Settings", "ArrowLength"), std::nullopt);
    EXPECT_EQ(store.ReadInt("Mervik_start", "prefix"), std::nullopt);  // a declined "postfix_len" reads so
    EXPECT_EQ(store.ReadInt("Mervik_start", "pix_size"), std::nullopt);
    EXPECT_EQ(store.ReadString("Mervik_start", "pix_size"), std::nullopt);
    EXPECT_EQ(store.ReadBytes("Settings", "Perspective"), std::nullopt);
    EXPECT_EQ(store.ReadInt("Settings", "Missing"), std::nullopt);
    EXPECT_EQ(store.ReadString("Nowhere", "Missing"), std::nullopt);

    ASSERT_TRUE(store.RemoveValue("Mervik_start", "pix_size"));
    ASSERT_TRUE(store.Sync());
    EXPECT_FALSE(ReadText(path).contains("pix_size"));
    EXPECT_EQ(store.ReadBytes("Mervik_start", "pix_size"), std::nullopt);
}

TEST(QtSettingsStore, SyncSeesWhatAnotherProcessWrote) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    store.WriteInt("Settings", "Sound", 1);
    ASSERT_TRUE(store.Sync());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Mervik_start]\nprefix=/data/Scan/Tooth.P3G\npostfix_len=5\n\n[Settings]\nSound=0\n");
    file.close();

    ASSERT_TRUE(store.Sync());
    EXPECT_EQ(store.ReadString("Mervik_start", "prefix"), "/data/Scan/Tooth.P3G");
    EXPECT_EQ(store.ReadInt("Mervik_start", "postfix_len"), 5u);
    EXPECT_EQ(store.ReadInt("Settings", "Sound"), 0u);
}

TEST(QtSettingsStore, ProgramSettingsRoundTripThroughTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Pexora.ini");
    QtSettingsStore store(path);
    ProgramSettings s = ReadProgramSettings(store, "/home/someone");
    EXPECT_EQ(s.perspective, 70);
    EXPECT_EQ(s.dataDirectory, "/home/someone");
    s.arrowLength = 12.5f;
    s.stereoAngle = -9;
    s.stageColor = 0x00123456;
    s.bgMode = 2;
    s.dataDirectory = "/data/My Scans";
    s.objectsDialogOpen = 1;
    WriteProgramSettings(store, s);
    WriteDialogOpenFlags(store, s);
    ASSERT_TRUE(store.Sync());
    EXPECT_TRUE(ReadText(path).contains("ArrowLength=12.5000"));

    TouchFile(path);
    ASSERT_TRUE(store.Sync());
    const ProgramSettings r = ReadProgramSettings(store, "/home/someone");
    EXPECT_EQ(r.arrowLength, 12.5f);
    EXPECT_EQ(r.stereoAngle, -9);
    EXPECT_EQ(r.stageColor, 0x00123456u);
    EXPECT_EQ(r.bgMode, 2);
    EXPECT_EQ(r.dataDirectory, "/data/My Scans");
    EXPECT_EQ(r.objectsDialogOpen, 1);
    EXPECT_EQ(r.perspective, 70);
    EXPECT_EQ(r.plateSizeX, 500);

    // Clamps apply to values a user typed into the file.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(
        "[Settings]\nPerspective=5\nDuration=150\nApplyButtonLimit=12\nOpenFileExt=-1\nArrowLength=7.5\n");
    file.close();
    ASSERT_TRUE(store.Sync());
    const ProgramSettings typed = ReadProgramSettings(store, "/");
    EXPECT_EQ(typed.perspective, 10);
    EXPECT_EQ(typed.duration, 100);
    EXPECT_EQ(typed.applyButtonLimit, 9);
    EXPECT_EQ(typed.openFileExt, 3);
    EXPECT_EQ(typed.arrowLength, 7.5f);
}
