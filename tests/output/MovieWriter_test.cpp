// Movies written for real and read back by ffprobe and ffmpeg: codec, frame count, frame rate, size
// and the decoded pixels (exact for the lossless codecs).
#include "output/MovieWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "output/ScreenPicture.h"
#include "support/SmallTmpfs.h"
#include "tests/output/MovieProbe.h"

namespace {

bool Offers(MovieContainer container, const std::string& id) {
    const std::vector<MovieCodec> codecs = AvailableMovieCodecs(container);
    return std::any_of(codecs.begin(), codecs.end(), [&](const MovieCodec& codec) { return codec.id == id; });
}

// Writes `count` place pictures (marks 0, 40, 80, ...) and closes the movie.
bool WriteMovie(const std::string& path, MovieContainer container, const std::string& codec, int width,
                int height, int fps, int count, int quality = 75) {
    MovieWriter writer;
    if (!writer.Open(path, container, {codec, quality}, width, height, fps)) return false;
    for (int i = 0; i < count; ++i)
        if (!writer.WriteFrame(PlacePicture(width, height, static_cast<uint8_t>(i * 40)))) return false;
    return writer.Close();
}

TEST(MovieCodecs, OfferWhatTheLinkedLibrariesOpen) {
    const std::vector<MovieCodec> avi = AvailableMovieCodecs(MovieContainer::Avi);
    ASSERT_FALSE(avi.empty());
    EXPECT_EQ(avi.front().id, "dib");
    EXPECT_FALSE(avi.front().hasQuality);
    // Debian's FFmpeg has all of them; the order is the chooser's.
    std::vector<std::string> ids;
    for (const MovieCodec& codec : avi)
        ids.push_back(codec.id);
    EXPECT_EQ(ids, (std::vector<std::string>{"dib", "mjpeg", "ffv1", "mpeg4", "h264"}));
    const std::vector<MovieCodec> mp4 = AvailableMovieCodecs(MovieContainer::Mp4);
    ASSERT_EQ(mp4.size(), 2u);
    EXPECT_EQ(mp4[0].id, "h264");
    EXPECT_TRUE(mp4[0].hasQuality);
    EXPECT_EQ(mp4[1].id, "mpeg4");
}

TEST(MovieWriter, EveryAviCodecWritesItsFramesAtTheChosenRate) {
    const std::pair<const char*, const char*> expected[] = {
        {"dib", "rawvideo"}, {"mjpeg", "mjpeg"}, {"ffv1", "ffv1"}, {"mpeg4", "mpeg4"}, {"h264", "h264"}};
    ScratchDirectory folder;
    for (auto [id, codecName] : expected) {
        if (!Offers(MovieContainer::Avi, id)) continue;
        SCOPED_TRACE(id);
        const std::string path = folder.File(std::string(id) + ".avi");
        // 46 rows: the codecs with half-size chroma planes keep 44.
        ASSERT_TRUE(WriteMovie(path, MovieContainer::Avi, id, 64, 46, 25, 3));
        const ProbedMovie movie = ProbeMovie(path);
        EXPECT_EQ(movie.codec, codecName);
        EXPECT_EQ(movie.frames, 3);
        EXPECT_EQ(movie.frameRate, "25/1");
        EXPECT_EQ(movie.width, 64);
        const bool keeps = std::string(id) == "dib" || std::string(id) == "ffv1";
        EXPECT_EQ(movie.height, keeps ? 46 : 44);
    }
    // Only the finished movies are left.
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names.size(), 5u);
    for (const std::string& name : names)
        EXPECT_EQ(name.substr(name.size() - 4), ".avi") << name;
}

TEST(MovieWriter, AviStreamsTickInWholeMicrosecondsPerFrame) {
    ScratchDirectory folder;
    ASSERT_TRUE(WriteMovie(folder.File("seven.avi"), MovieContainer::Avi, "dib", 8, 4, 7, 2));
    EXPECT_EQ(ProbeMovie(folder.File("seven.avi")).frameRate, "1000000/142857");
    // With codecs that time their own frames ffprobe guesses the rate from the frames (7/1 for a
    // few), but the stream is timed as the uncompressed one.
    for (const char* codec : {"h264", "mpeg4"}) {
        const std::string path = folder.File(std::string("seven-") + codec + ".avi");
        ASSERT_TRUE(WriteMovie(path, MovieContainer::Avi, codec, 16, 16, 7, 3));
        EXPECT_EQ(ProbeMovie(path).frames, 3) << codec;
        EXPECT_EQ(
            CommandOutput("ffprobe -v error -show_entries stream=avg_frame_rate,time_base -of csv=p=0 " +
                          Quoted(path)),
            "1000000/142857,142857/1000000\n")
            << codec;
    }
    ASSERT_TRUE(WriteMovie(folder.File("one.avi"), MovieContainer::Avi, "dib", 8, 4, 1, 2));
    EXPECT_EQ(ProbeMovie(folder.File("one.avi")).frameRate, "1/1");
}

TEST(MovieWriter, LosslessCodecsKeepEveryPixelTheRightWayUp) {
    ScratchDirectory folder;
    for (const char* id : {"dib", "ffv1"}) {
        SCOPED_TRACE(id);
        const std::string path = folder.File(std::string(id) + ".avi");
        ASSERT_TRUE(WriteMovie(path, MovieContainer::Avi, id, 60, 31, 25, 2));
        const std::vector<std::vector<uint8_t>> frames = DecodedFrames(path, 60, 31);
        ASSERT_EQ(frames.size(), 2u);
        for (size_t i = 0; i < frames.size(); ++i) {
            const BgrImage picture = PlacePicture(60, 31, static_cast<uint8_t>(i * 40));
            for (int y = 0; y < 31; ++y)
                ASSERT_TRUE(std::equal(frames[i].begin() + y * 180, frames[i].begin() + (y + 1) * 180,
                                       picture.PixelFromTop(0, y)))
                    << "frame " << i << " row " << y;
        }
    }
}

TEST(MovieWriter, CutHeightsLeaveOutTheTopRows) {
    // 1023 x 701 view: 1020 wide as every picture; 700 rows for MPEG-4, the top row dropped.
    ScratchDirectory folder;
    BgrImage view = FlatPicture(1023, 701, 20, 20, 20);
    std::fill(view.bytes.end() - BgrStride(1023), view.bytes.end(), 255);  // the top row white
    const BgrImage picture = CutToWholeQuads(view);
    ASSERT_EQ(picture.width, 1020);
    MovieWriter writer;
    ASSERT_TRUE(writer.Open(folder.File("cut.avi"), MovieContainer::Avi, {"mpeg4", 90}, 1020, 701, 25));
    EXPECT_EQ(writer.FrameWidth(), 1020);
    EXPECT_EQ(writer.FrameHeight(), 700);
    ASSERT_TRUE(writer.WriteFrame(picture));
    ASSERT_TRUE(writer.Close());
    const ProbedMovie movie = ProbeMovie(folder.File("cut.avi"));
    EXPECT_EQ(movie.width, 1020);
    EXPECT_EQ(movie.height, 700);
    const std::vector<std::vector<uint8_t>> frames = DecodedFrames(folder.File("cut.avi"), 1020, 700);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_LT(*std::max_element(frames[0].begin(), frames[0].end()), 60);  // no white left
}

TEST(MovieWriter, Mp4HoldsH264WithItsIndexInFront) {
    ScratchDirectory folder;
    const std::string path = folder.File("flight.mp4");
    const std::string codec = AvailableMovieCodecs(MovieContainer::Mp4).front().id;
    ASSERT_TRUE(WriteMovie(path, MovieContainer::Mp4, codec, 64, 48, 25, 4));
    const ProbedMovie movie = ProbeMovie(path);
    EXPECT_EQ(movie.codec, codec == "h264" ? "h264" : "mpeg4");
    EXPECT_EQ(movie.frames, 4);
    EXPECT_EQ(movie.frameRate, "25/1");
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_LT(text.find("moov"), text.find("mdat"));
    // Lossy, yet the place pattern survives within a tolerance.
    const std::vector<std::vector<uint8_t>> frames = DecodedFrames(path, 64, 48);
    ASSERT_EQ(frames.size(), 4u);
    const BgrImage last = PlacePicture(64, 48, 120);
    EXPECT_NEAR(frames[3][(20 * 64 + 30) * 3 + 0], last.PixelFromTop(30, 20)[0], 12);
    EXPECT_NEAR(frames[3][(20 * 64 + 30) * 3 + 1], last.PixelFromTop(30, 20)[1], 12);
    EXPECT_NEAR(frames[3][(20 * 64 + 30) * 3 + 2], 120, 12);
}

TEST(MovieWriter, QualityChangesTheSize) {
    // Noise, which JPEG cannot smooth away unless told to.
    BgrImage noise = FlatPicture(128, 96, 0, 0, 0);
    uint32_t state = 12345;
    for (uint8_t& byte : noise.bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 24);
    }
    ScratchDirectory folder;
    uintmax_t sizes[2] = {};
    for (int i = 0; i < 2; ++i) {
        const std::string path = folder.File(i == 0 ? "low.avi" : "high.avi");
        MovieWriter writer;
        ASSERT_TRUE(writer.Open(path, MovieContainer::Avi, {"mjpeg", i == 0 ? 5 : 100}, 128, 96, 25));
        ASSERT_TRUE(writer.WriteFrame(noise));
        ASSERT_TRUE(writer.Close());
        sizes[i] = std::filesystem::file_size(path);
    }
    EXPECT_LT(sizes[0] * 2, sizes[1]);
}

TEST(MovieWriter, RefusesWhatItCannotWrite) {
    ScratchDirectory folder;
    MovieWriter writer;
    const std::string path = folder.File("refused.avi");
    EXPECT_FALSE(writer.Open(path, MovieContainer::Avi, {"iv50", 75}, 64, 48, 25));
    EXPECT_EQ(writer.Error(), "Not supported compressor");
    EXPECT_FALSE(writer.Open(path, MovieContainer::Mp4, {"dib", 75}, 64, 48, 25));
    EXPECT_EQ(writer.Error(), "Not supported compressor");
    // Too small for an encoder with half-size chroma planes.
    EXPECT_FALSE(writer.Open(path, MovieContainer::Avi, {"mpeg4", 75}, 64, 3, 25));
    EXPECT_EQ(writer.Error(), "Not supported compressor");
    EXPECT_FALSE(
        writer.Open(folder.File("missing/refused.avi"), MovieContainer::Avi, {"dib", 75}, 64, 48, 25));
    EXPECT_EQ(writer.Error(), "No such file or directory");
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_TRUE(folder.Names().empty());

    ASSERT_TRUE(writer.Open(path, MovieContainer::Avi, {"dib", 75}, 64, 48, 25));
    EXPECT_FALSE(writer.WriteFrame(PlacePicture(60, 48, 0)));
    EXPECT_TRUE(writer.WriteFrame(PlacePicture(64, 48, 0)));  // a wrong frame does not spoil the movie
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(ProbeMovie(path).frames, 1);
}

TEST(MovieWriter, AnAbandonedMovieLeavesTheEarlierFile) {
    ScratchDirectory folder;
    const std::string path = folder.Write("kept.avi", {'o', 'l', 'd'});
    {
        MovieWriter writer;
        ASSERT_TRUE(writer.Open(path, MovieContainer::Avi, {"ffv1", 75}, 64, 48, 25));
        ASSERT_TRUE(writer.WriteFrame(PlacePicture(64, 48, 0)));
        writer.Abort();
        EXPECT_FALSE(writer.IsOpen());
    }
    {
        MovieWriter writer;  // destroyed while open
        ASSERT_TRUE(writer.Open(path, MovieContainer::Avi, {"dib", 75}, 64, 48, 25));
        ASSERT_TRUE(writer.WriteFrame(PlacePicture(64, 48, 0)));
    }
    EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"kept.avi"});
}

TEST(MovieWriter, AFullDiskFailsTheMovieAndRemovesIt) {
    SmallTmpfs disk(256 * 1024);
    if (!disk.Mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string earlier = disk.File("earlier.avi");
    std::ofstream(earlier) << "old";
    MovieWriter writer;
    ASSERT_TRUE(writer.Open(earlier, MovieContainer::Avi, {"dib", 75}, 128, 96, 25));
    bool written = true;
    for (int i = 0; i < 40 && written; ++i)  // 36 KB a frame: the disk fills at the eighth or so
        written = writer.WriteFrame(PlacePicture(128, 96, static_cast<uint8_t>(i)));
    if (written) {
        EXPECT_FALSE(writer.Close());
    }
    EXPECT_EQ(writer.Error(), "No space left on device");
    writer.Abort();
    EXPECT_EQ(ReadWholeFile(earlier), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.File("")), {}), 1);
}

}  // namespace
