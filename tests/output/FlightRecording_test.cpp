// Exports of small flights for real: movies read back by ffprobe and ffmpeg, image series by their
// bytes; the fade frames checked pixel by pixel.
#include "output/FlightRecording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "support/SmallTmpfs.h"
#include "tests/output/MovieProbe.h"

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;

// Two keyframes with one frame between them; a static fade-in of 2 frames from red and a moving
// fade-out of 2 frames to the empty stage: 2 + 1 + 2 = 5 frames.
FlightPlan FadedPlan() {
    FlightPlan plan;
    plan.keyframes = 2;
    plan.totalFrames = 5;
    plan.fades.fadeIn = 1;
    plan.fades.fadeInFrames = 2;
    plan.fades.fadeInStatic = 1;
    plan.fades.fadeInFrom = 1;
    plan.fades.fadeInColour = 0x000000FF;  // red
    plan.fades.fadeOut = 1;
    plan.fades.fadeOutFrames = 2;
    return plan;
}

struct Flight {
    BgrImage first = FlatPicture(kWidth, kHeight, 100, 100, 100);
    BgrImage between = FlatPicture(kWidth, kHeight, 150, 150, 150);
    BgrImage last = FlatPicture(kWidth, kHeight, 200, 200, 200);
    BgrImage emptyStage = FlatPicture(kWidth + 3, kHeight, 255, 0, 0);  // blue, the view's full width
};

// Plays the flight's one pass into `recording`; false when an Emit failed.
bool Play(FlightRecording& recording, const Flight& flight) {
    recording.StartPass();
    return recording.Emit(flight.first, flight.emptyStage, FlightFrame::FirstKeyframe) &&
           recording.Emit(flight.between, flight.emptyStage, FlightFrame::Interpolated) &&
           recording.Emit(flight.last, flight.emptyStage, FlightFrame::Keyframe);
}

FlightRecordingSetup ExportSetup(FlightTarget target, const std::string& path,
                                 const std::string& codec = "ffv1") {
    FlightRecordingSetup setup;
    setup.target = target;
    setup.path = path;
    setup.compression = {codec, 75};
    setup.width = kWidth;
    setup.height = kHeight;
    setup.plan = FadedPlan();
    return setup;
}

// The blue, green, red every pixel of a flat frame should have.
std::vector<uint8_t> Flat(uint8_t blue, uint8_t green, uint8_t red) {
    std::vector<uint8_t> frame;
    for (int i = 0; i < kWidth * kHeight; ++i)
        frame.insert(frame.end(), {blue, green, red});
    return frame;
}

TEST(FlightRecording, MovieFramesFadeFromTheColourAndToTheEmptyStage) {
    ScratchDirectory folder;
    const std::string path = folder.File("flight.avi");
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(ExportSetup(FlightTarget::AviMovie, path)));
    ASSERT_TRUE(Play(recording, Flight()));
    EXPECT_EQ(recording.FrameNumber(), 5);
    ASSERT_TRUE(recording.Finish(false));

    const ProbedMovie movie = ProbeMovie(path);
    EXPECT_EQ(movie.codec, "ffv1");
    EXPECT_EQ(movie.frames, 5);
    const std::vector<std::vector<uint8_t>> frames = DecodedFrames(path, kWidth, kHeight);
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0], Flat(0, 0, 255));                              // pure fade colour
    EXPECT_EQ(frames[1], Flat(100 / 3, 100 / 3, (2 * 255 + 100) / 3));  // keyframe 0 still, 2:1
    EXPECT_EQ(frames[2], Flat(200 / 3, 200 / 3, (255 + 200) / 3));      // 1:2
    EXPECT_EQ(frames[3], Flat((255 + 150) / 2, 150 / 2, 150 / 2));      // between, 1:1 to the stage
    EXPECT_EQ(frames[4], Flat(255, 0, 0));                              // the pure empty stage
}

TEST(FlightRecording, Mp4FadesOutToTheColourOnTheLastFrame) {
    ScratchDirectory folder;
    const std::string path = folder.File("flight.mp4");
    FlightRecordingSetup setup =
        ExportSetup(FlightTarget::Mp4Movie, path, AvailableMovieCodecs(MovieContainer::Mp4).front().id);
    setup.width = 64;
    setup.height = 48;
    setup.framesPerSecond = 7;
    setup.plan.fades = {};
    setup.plan.fades.fadeOut = 1;
    setup.plan.fades.fadeOutFrames = 3;
    setup.plan.fades.fadeOutStatic = 1;
    setup.plan.fades.fadeOutTo = 1;
    setup.plan.fades.fadeOutColour = 0x0000C000;  // green
    setup.plan.totalFrames = 6;
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(setup));
    const BgrImage scene = FlatPicture(64, 48, 200, 50, 50);
    recording.StartPass();
    ASSERT_TRUE(recording.Emit(scene, {}, FlightFrame::FirstKeyframe));
    ASSERT_TRUE(recording.Emit(scene, {}, FlightFrame::Interpolated));
    ASSERT_TRUE(recording.Emit(scene, {}, FlightFrame::Keyframe));
    ASSERT_TRUE(recording.Finish(false));

    const ProbedMovie movie = ProbeMovie(path);
    EXPECT_EQ(movie.frames, 6);
    const std::vector<std::vector<uint8_t>> frames = DecodedFrames(path, 64, 48);
    ASSERT_EQ(frames.size(), 6u);
    const uint8_t* middle = frames[0].data() + (24 * 64 + 32) * 3;
    EXPECT_NEAR(middle[0], 200, 8);
    const uint8_t* end = frames[5].data() + (24 * 64 + 32) * 3;
    EXPECT_NEAR(end[0], 0, 8);
    EXPECT_NEAR(end[1], 0xC0, 8);
    EXPECT_NEAR(end[2], 0, 8);
}

TEST(FlightRecording, WithoutAnEmptyStageTheStageFadesAsBlack) {
    ScratchDirectory folder;
    FlightRecordingSetup setup = ExportSetup(FlightTarget::AviMovie, folder.File("black.avi"));
    setup.plan.fades.fadeInFrom = 0;
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(setup));
    Flight flight;
    flight.emptyStage = {};  // stereo keeps none
    ASSERT_TRUE(Play(recording, flight));
    ASSERT_TRUE(recording.Finish(false));
    const std::vector<std::vector<uint8_t>> frames = DecodedFrames(folder.File("black.avi"), kWidth, kHeight);
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[0], Flat(0, 0, 0));
    EXPECT_EQ(frames[4], Flat(0, 0, 0));
}

TEST(FlightRecording, ImageSeriesAreNumberedFromZeroAndSkipFramesThatFail) {
    ScratchDirectory folder;
    const std::string base = folder.File("clip");
    std::filesystem::create_directory(folder.File("clip0001.bmp"));  // this frame cannot be written
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(ExportSetup(FlightTarget::BmpSeries, base)));
    ASSERT_TRUE(Play(recording, Flight()));
    ASSERT_TRUE(recording.Finish(true));  // a stopped series stays as written
    for (int f : {0, 2, 3, 4}) {
        const std::vector<uint8_t> bytes = ReadWholeFile(folder.File("clip000" + std::to_string(f) + ".bmp"));
        ASSERT_EQ(bytes.size(), 54u + kWidth * kHeight * 3) << f;
    }
    const std::vector<uint8_t> first = ReadWholeFile(folder.File("clip0000.bmp"));
    EXPECT_EQ(std::vector<uint8_t>(first.begin() + 54, first.begin() + 57),
              (std::vector<uint8_t>{0, 0, 255}));
    const std::vector<uint8_t> last = ReadWholeFile(folder.File("clip0004.bmp"));
    EXPECT_EQ(std::vector<uint8_t>(last.begin() + 54, last.begin() + 57), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("clip0001.bmp")));

    // JPEG frames; a second pass numbers from 0 again.
    FlightRecording jpeg;
    ASSERT_TRUE(jpeg.Open(ExportSetup(FlightTarget::JpegSeries, folder.File("shot"))));
    ASSERT_TRUE(Play(jpeg, Flight()));
    ASSERT_TRUE(Play(jpeg, Flight()));
    EXPECT_EQ(jpeg.FrameNumber(), 5);
    ASSERT_TRUE(jpeg.Finish(false));
    for (int f = 0; f < 5; ++f) {
        const std::vector<uint8_t> bytes = ReadWholeFile(folder.File("shot000" + std::to_string(f) + ".jpg"));
        ASSERT_GE(bytes.size(), 2u) << f;
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xD8);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.File("shot0005.jpg")));
}

TEST(FlightRecording, AStoppedMovieIsDeleted) {
    ScratchDirectory folder;
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(ExportSetup(FlightTarget::AviMovie, folder.File("stopped.avi"), "dib")));
    ASSERT_TRUE(recording.Emit(Flight().first, {}, FlightFrame::FirstKeyframe));
    EXPECT_TRUE(recording.Finish(true));
    EXPECT_TRUE(folder.Names().empty());

    FlightRecording refused;
    EXPECT_FALSE(refused.Open(ExportSetup(FlightTarget::Mp4Movie, folder.File("refused.mp4"), "ffv1")));
    EXPECT_EQ(refused.Error(), "Not supported compressor");
}

TEST(FlightRecording, AFullDiskStopsTheExportAndRemovesThePartialMovie) {
    SmallTmpfs disk(256 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    std::ofstream(disk.File("notes.txt")) << "kept";
    FlightRecordingSetup setup = ExportSetup(FlightTarget::AviMovie, disk.File("full.avi"), "dib");
    setup.width = 128;
    setup.height = 96;
    setup.plan = {};
    setup.plan.keyframes = 40;
    setup.plan.totalFrames = 40;
    FlightRecording recording;
    ASSERT_TRUE(recording.Open(setup));
    const BgrImage frame = PlacePicture(128, 96, 7);  // 36 KB: the disk is full after a few
    recording.StartPass();
    bool emitted = recording.Emit(frame, {}, FlightFrame::FirstKeyframe);
    for (int k = 1; k < 40 && emitted; ++k)
        emitted = recording.Emit(frame, {}, FlightFrame::Keyframe);
    const bool finished = recording.Finish(false);
    EXPECT_FALSE(emitted && finished);
    EXPECT_EQ(recording.Error(), "No space left on device");
    EXPECT_FALSE(std::filesystem::exists(disk.File("full.avi")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.File("")), {}), 1);
    EXPECT_EQ(ReadWholeFile(disk.File("notes.txt")), (std::vector<uint8_t>{'k', 'e', 'p', 't'}));
}

}  // namespace
