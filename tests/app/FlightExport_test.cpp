// The flight export for real: a rendered view, the scripted save dialog, questions and compression
// chooser, and what lands on disk checked from outside: movies with ffprobe, image series by name and
// by the bytes of their BMP files.
#include "app/FlightExport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/CCompressionDlg.h"
#include "import/ModelFileBytes.h"
#include "support/ScriptedServices.h"
#include "support/SmallTmpfs.h"
#include "tests/render/ViewHarness.h"

namespace {

namespace fs = std::filesystem;

class ScriptedCompressionChooser : public CompressionChooser {
public:
    std::optional<MovieCompression> Choose(const std::vector<MovieCodec>& codecs,
                                           const MovieCompression& initial) override {
        offered.push_back(codecs);
        initials.push_back(initial);
        if (answers.empty()) return std::nullopt;
        const std::optional<MovieCompression> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<MovieCompression>> answers;  // nullopt: the user cancels
    std::vector<std::vector<MovieCodec>> offered;
    std::vector<MovieCompression> initials;
};

// What ffprobe reports of a movie's video stream: codec_name, width, height, r_frame_rate and
// nb_read_frames by key; empty when it cannot read the file.
std::map<std::string, std::string> Probe(const std::string& path) {
    const std::string command =
        "ffprobe -v error -select_streams v:0 -count_frames -show_entries "
        "stream=codec_name,width,height,r_frame_rate,nb_read_frames "
        "-of default=noprint_wrappers=1 '" +
        path + "' 2>/dev/null";
    std::map<std::string, std::string> values;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return values;
    char line[256];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const size_t equals = text.find('=');
        if (equals != std::string::npos) values[text.substr(0, equals)] = text.substr(equals + 1);
    }
    pclose(pipe);
    return values;
}

// Red, green, blue of the pixel x columns from the left and y rows from the top of a 24-bit BMP file
// (54 header bytes, rows bottom-up, 3 x width bytes each for widths that are multiples of 4).
std::array<int, 3> BmpRgb(const std::string& path, int width, int height, int x, int y) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    const size_t at = 54 + (static_cast<size_t>(height - 1 - y) * width + x) * 3;
    if (bytes.size() < at + 3) return {-1, -1, -1};
    return {bytes[at + 2], bytes[at + 1], bytes[at]};
}

constexpr uint32_t kStage = 0x00402010;  // 0x00BBGGRR
constexpr std::array<int, 3> kStageRgb{0x10, 0x20, 0x40};

struct FlightExportTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.ready);
        h.AddSquare(30.0f, 200);
        h.settings.stageColor = kStage;
        h.settings.dataDirectory = "/start/here";
        h.settings.aviFramerate = 25;
        h.display.playing = 1;  // the renderer keeps the empty stage for the fades
    }

    void Resize(int width, int height) {
        h.window.resize(width, height);
        h.view->setGeometry(0, 0, width, height);
        QTest::qWait(50);
        ASSERT_EQ(h.display.viewWidth, width);
        ASSERT_EQ(h.display.viewHeight, height);
    }

    // Prepares an export of a flight of `keyframes` keyframes and `totalFrames` frames with the save
    // dialog answering `path`, `filter` (1-based) and the check box state.
    bool Prepare(const std::string& path, int filter, int checkState = 1, int keyframes = 2,
                 int totalFrames = 3, const FadeSettings& fades = {}) {
        scripted.files.answers.push_back(FileDialogResult{path, filter, checkState});
        return output.Prepare(FlightPlan{fades, totalFrames, keyframes});
    }

    // Plays a pass as the playback does: draws each frame, then hands it over. False as soon as the
    // export refuses a frame.
    bool Play(const std::vector<FlightFrame>& frames) {
        output.StartPass();
        for (FlightFrame frame : frames) {
            h.PaintNow();
            if (!output.Emit(frame)) return false;
        }
        return true;
    }
    bool PlayThree() {
        return Play({FlightFrame::FirstKeyframe, FlightFrame::Interpolated, FlightFrame::Keyframe});
    }

    ViewHarness h;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    ScriptedCompressionChooser chooser;
    FlightExport output{*h.view, h.settings, h.display, services, chooser};
    ScratchDirectory folder;
};

}  // namespace

TEST_F(FlightExportTest, AsksWithFourFiltersAndTheLaunchBox) {
    EXPECT_FALSE(output.Prepare(FlightPlan{{}, 3, 2}));  // the dialog cancelled
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    const FileDialogRequest& request = scripted.files.asked[0].request;
    EXPECT_TRUE(scripted.files.asked[0].save);
    ASSERT_EQ(request.filters.size(), 4u);
    EXPECT_EQ(request.filters[0].label, "AVI Files (*.avi)");
    EXPECT_EQ(request.filters[1].label, "BMP Files (*.bmp)");
    EXPECT_EQ(request.filters[2].label, "JPG Files (*.jpg)");
    EXPECT_EQ(request.filters[3].label, "MP4 Files (*.mp4)");
    EXPECT_EQ(request.filters[3].patterns, std::vector<std::string>{"*.mp4"});
    EXPECT_EQ(request.selectedFilter, 1);
    EXPECT_EQ(request.defaultExtension, "avi");
    EXPECT_EQ(request.startDirectory, "/start/here");
    EXPECT_FALSE(request.confirmOverwrite);
    EXPECT_EQ(request.checkText, "Launch associated player to show movie");
    EXPECT_EQ(request.checkState, 1);
    EXPECT_FALSE(request.checkHelp.empty());
    EXPECT_EQ(h.settings.dataDirectory, "/start/here");
    EXPECT_FALSE(output.Emit(FlightFrame::FirstKeyframe));  // nothing to write to
    EXPECT_TRUE(chooser.offered.empty());
}

TEST_F(FlightExportTest, AviMovieHasTheViewCutToWholeQuadsAndOpensInThePlayer) {
    Resize(1023, 700);
    chooser.answers.push_back(MovieCompression{"dib"});
    const std::string movie = folder.File("flight.avi");
    ASSERT_TRUE(Prepare(movie, 1));
    EXPECT_EQ(h.settings.dataDirectory, fs::path(movie).parent_path().string());
    ASSERT_EQ(chooser.offered.size(), 1u);
    ASSERT_FALSE(chooser.offered[0].empty());
    EXPECT_EQ(chooser.offered[0].front().id, "dib");
    ASSERT_TRUE(PlayThree());
    output.Finish(false);

    const auto probe = Probe(movie);
    EXPECT_EQ(probe.at("width"), "1020");
    EXPECT_EQ(probe.at("height"), "700");
    EXPECT_EQ(probe.at("r_frame_rate"), "25/1");
    EXPECT_EQ(probe.at("nb_read_frames"), "3");
    EXPECT_EQ(scripted.desktop.opened, std::vector<std::string>{movie});
    EXPECT_TRUE(scripted.messages.shown.empty());

    // The compression remembered from an earlier export is offered first.
    RememberCompression(scripted.settings, MovieCompression{"ffv1", 40});
    chooser.answers.push_back(std::nullopt);
    EXPECT_FALSE(Prepare(folder.File("other.avi"), 1));
    ASSERT_EQ(chooser.initials.size(), 2u);
    EXPECT_EQ(chooser.initials[1].codec, "ffv1");
    EXPECT_EQ(chooser.initials[1].quality, 40);
}

TEST_F(FlightExportTest, Mp4IsWrittenWithoutAskingForACompression) {
    h.settings.aviFramerate = 7;
    const std::string movie = folder.File("flight.mp4");
    ASSERT_TRUE(Prepare(movie, 4, 0));
    EXPECT_TRUE(chooser.offered.empty());
    ASSERT_TRUE(Play({FlightFrame::FirstKeyframe, FlightFrame::Interpolated, FlightFrame::Interpolated,
                      FlightFrame::Keyframe}));
    output.Finish(false);

    const auto probe = Probe(movie);
    const bool h264 = !AvailableMovieCodecs(MovieContainer::Mp4).empty() &&
                      AvailableMovieCodecs(MovieContainer::Mp4).front().id == "h264";
    EXPECT_EQ(probe.at("codec_name"), h264 ? "h264" : "mpeg4");
    EXPECT_EQ(probe.at("width"), std::to_string(kViewSize));
    EXPECT_EQ(probe.at("nb_read_frames"), "4");
    EXPECT_TRUE(scripted.desktop.opened.empty());  // the box was unticked
}

TEST_F(FlightExportTest, JpegSeriesStartsFromTheBaseAfterDeletingOldFramesOnce) {
    folder.Write("clip0003.jpg", {'o', 'l', 'd'});
    folder.Write("clip0100.jpg", {'o', 'l', 'd'});
    folder.Write("clip0003.bmp", {'o', 'l', 'd'});
    scripted.messages.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(Prepare(folder.File("clip0012.jpg"), 3));
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, "Delete Files");
    EXPECT_EQ(scripted.messages.shown[0].text,
              "Files with <" + folder.File("clip") + "> name already exist! Delete?");
    ASSERT_TRUE(PlayThree());
    output.Finish(false);

    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"clip0000.jpg", "clip0001.jpg", "clip0002.jpg", "clip0003.bmp"}));
    EXPECT_GT(ReadWholeFile(folder.File("clip0002.jpg")).size(), 100u);
    EXPECT_TRUE(scripted.desktop.opened.empty());  // series are not played
}

TEST_F(FlightExportTest, BmpSeriesOfAFourDigitNameOverwritesWithoutAskingAndFadesFromTheEmptyStage) {
    folder.Write("0000.bmp", {'o', 'l', 'd'});
    folder.Write("0007.bmp", {'o', 'l', 'd'});
    FadeSettings fades;
    fades.fadeIn = 1;
    fades.fadeInFrames = 2;  // from the empty stage over frames 0 and 1
    ASSERT_TRUE(Prepare(folder.File("0012.bmp"), 2, 1, 2, 3, fades));
    EXPECT_TRUE(scripted.messages.shown.empty());
    ASSERT_TRUE(PlayThree());
    output.Finish(false);

    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"0000.bmp", "0001.bmp", "0002.bmp", "0007.bmp"}));
    const int centre = kViewSize / 2;
    // Frame 0 is the pure empty stage, the square comes in, frame 2 shows the scene as drawn.
    EXPECT_EQ(BmpRgb(folder.File("0000.bmp"), kViewSize, kViewSize, centre, centre), kStageRgb);
    const std::array<int, 3> square = ViewHarness::Rgb(h.view->ReadShownPixels(), centre, centre);
    EXPECT_NE(square, kStageRgb);
    const std::array<int, 3> halfway{(kStageRgb[0] + square[0]) / 2, (kStageRgb[1] + square[1]) / 2,
                                     (kStageRgb[2] + square[2]) / 2};
    EXPECT_EQ(BmpRgb(folder.File("0001.bmp"), kViewSize, kViewSize, centre, centre), halfway);
    EXPECT_EQ(BmpRgb(folder.File("0002.bmp"), kViewSize, kViewSize, centre, centre), square);
    EXPECT_EQ(BmpRgb(folder.File("0002.bmp"), kViewSize, kViewSize, 1, 1), kStageRgb);
    EXPECT_EQ(ReadWholeFile(folder.File("0007.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(FlightExportTest, AnsweringNoOrCancellingPlaysNothing) {
    const std::string movie = folder.Write("flight.avi", {'o', 'l', 'd'});
    scripted.messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(Prepare(movie, 1));
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].caption, "Confirm Save As");
    EXPECT_EQ(scripted.messages.shown[0].text, "flight.avi already exists.Do you want to replace it?");
    EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(chooser.offered.empty());

    scripted.messages.answers = {MessageAnswer::Yes};
    chooser.answers.push_back(std::nullopt);  // the compression cancelled
    EXPECT_FALSE(Prepare(movie, 1));

    folder.Write("shot0000.bmp", {'o', 'l', 'd'});
    scripted.messages.answers = {MessageAnswer::No};
    EXPECT_FALSE(Prepare(folder.File("shot.bmp"), 2));

    EXPECT_FALSE(Play({FlightFrame::FirstKeyframe}));
    output.Finish(false);
    EXPECT_EQ(ReadWholeFile(movie), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(ReadWholeFile(folder.File("shot0000.bmp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(folder.Names().size(), 2u);
    EXPECT_TRUE(scripted.desktop.opened.empty());
}

TEST_F(FlightExportTest, AStoppedMovieIsDeletedAndNotPlayed) {
    chooser.answers.push_back(MovieCompression{"mjpeg"});
    const std::string movie = folder.File("flight.avi");
    ASSERT_TRUE(Prepare(movie, 1));
    ASSERT_TRUE(Play({FlightFrame::FirstKeyframe, FlightFrame::Interpolated}));
    output.Finish(true);
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_TRUE(scripted.desktop.opened.empty());
    EXPECT_TRUE(scripted.messages.shown.empty());

    // A stopped series keeps its frames.
    ASSERT_TRUE(Prepare(folder.File("shot.bmp"), 2));
    ASSERT_TRUE(Play({FlightFrame::FirstKeyframe, FlightFrame::Interpolated}));
    output.Finish(true);
    EXPECT_EQ(folder.Names().size(), 2u);
}

TEST_F(FlightExportTest, AFullDiskIsReportedAndLeavesNoPartialMovie) {
    SmallTmpfs disk(256 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    std::ofstream(disk.File("notes.txt")) << "kept";
    std::ofstream(disk.File("flight.avi")) << "old";  // replaced only by a complete movie
    scripted.messages.answers = {MessageAnswer::Yes};
    chooser.answers.push_back(MovieCompression{"dib"});  // 12 KB a frame: the disk fills within 21
    ASSERT_TRUE(Prepare(disk.File("flight.avi"), 1));
    std::vector<FlightFrame> frames(40, FlightFrame::Interpolated);
    frames.front() = FlightFrame::FirstKeyframe;
    const bool played = Play(frames);
    output.Finish(!played);
    ASSERT_EQ(scripted.messages.shown.size(), 2u);  // the replace question, then the failure
    EXPECT_EQ(scripted.messages.shown[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(
        scripted.messages.shown[1].text.rfind("Cannot write the movie " + disk.File("flight.avi") + ".\n", 0),
        0u)
        << scripted.messages.shown[1].text;
    EXPECT_EQ(ReadWholeFile(disk.File("notes.txt")), (std::vector<uint8_t>{'k', 'e', 'p', 't'}));
    EXPECT_EQ(ReadWholeFile(disk.File("flight.avi")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(disk.File("x")).parent_path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"flight.avi", "notes.txt"}));
    EXPECT_TRUE(scripted.desktop.opened.empty());
}
