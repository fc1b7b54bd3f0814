#pragma once
// A movie file of bottom-up BGR frames, compressed by FFmpeg on a worker thread: the caller hands a
// frame over and goes on drawing the next one while this one is converted and encoded, with at most
// kMovieFramesInFlight frames waiting. The file is written under a temporary name beside the target
// and renamed when it is complete, so a movie that fails or is abandoned never leaves a partial file.
//
// AVI streams count time in units of (1000000 / fps) microseconds, integer division, so that 25 fps
// is exactly 25/1 and 7 fps is 1000000/142857. MP4 holds H.264 (MPEG-4 Visual without an H.264
// encoder) in yuv420p with its index at the front.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "output/MovieCompression.h"
#include "render/ReadPixels.h"

inline constexpr int kMovieFramesInFlight = 3;

// Error() when the chosen encoder does not open with the frame size.
inline constexpr const char* kNotSupportedCompressor = "Not supported compressor";

class MovieWriter {
public:
    MovieWriter();
    // Abandons an open movie (as Abort).
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    // Starts a movie of width x height frames (width > 0 and height > 0, framesPerSecond >= 1) at
    // `path`. False with Error(): kNotSupportedCompressor when the codec is unknown, not in this
    // container or its encoder refuses to open; the system's reason when the file cannot be created.
    // An MP4 asked for H.264 where no H.264 encoder opens gets MPEG-4 Visual.
    bool Open(const std::string& path, MovieContainer container, const MovieCompression& compression,
              int width, int height, int framesPerSecond);

    // The frames' size in the movie: the width as given; the height as given, or for codecs that need
    // even sizes cut down to a multiple of 4 (the top rows of the picture are dropped).
    int FrameWidth() const { return width_; }
    int FrameHeight() const { return frameHeight_; }

    // Hands one frame over: `picture` is width x height (rows bottom-up, BgrStride apart). Blocks only
    // while kMovieFramesInFlight frames wait. False (the frame dropped) once any frame failed or when
    // the picture has another size; Error() then says why.
    bool WriteFrame(const BgrImage& picture);

    // Encodes what waits, finishes the file and moves it to its path. False with Error() when any
    // write failed; the movie is then removed.
    bool Close();
    // Stops at once and removes the movie.
    void Abort();

    bool IsOpen() const;
    const std::string& Error() const { return error_; }

private:
    struct Encoding;

    std::unique_ptr<Encoding> encoding_;
    int width_ = 0;
    int frameHeight_ = 0;
    std::string error_;
};
