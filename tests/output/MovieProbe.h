#pragma once
// Movies as other programs see them: the stream ffprobe reports (counting the frames it decodes)
// and the frames ffmpeg decodes, as top-down rows of blue, green, red bytes.

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "render/ReadPixels.h"

// Standard output of a shell command.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[65536];
        size_t got;
        while ((got = fread(chunk, 1, sizeof chunk, pipe)) > 0)
            output.append(chunk, got);
        pclose(pipe);
    }
    return output;
}

inline std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

struct ProbedMovie {
    std::string codec;      // codec_name
    int frames = -1;        // nb_read_frames
    std::string frameRate;  // r_frame_rate, e.g. "25/1"
    int width = 0;
    int height = 0;
};

inline ProbedMovie ProbeMovie(const std::string& path) {
    const std::string text = CommandOutput(
        "ffprobe -v error -count_frames -select_streams v:0 -show_entries "
        "stream=codec_name,nb_read_frames,r_frame_rate,width,height -of default=noprint_wrappers=1 " +
        Quoted(path));
    ProbedMovie movie;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "codec_name") movie.codec = value;
        if (key == "nb_read_frames") movie.frames = std::stoi(value);
        if (key == "r_frame_rate") movie.frameRate = value;
        if (key == "width") movie.width = std::stoi(value);
        if (key == "height") movie.height = std::stoi(value);
    }
    return movie;
}

// Every frame of the movie's video, width x height each, rows top-down.
inline std::vector<std::vector<uint8_t>> DecodedFrames(const std::string& path, int width, int height) {
    const std::string bytes =
        CommandOutput("ffmpeg -v error -i " + Quoted(path) + " -f rawvideo -pix_fmt bgr24 -");
    const size_t frameBytes = static_cast<size_t>(width) * height * 3;
    std::vector<std::vector<uint8_t>> frames;
    for (size_t at = 0; frameBytes != 0 && at + frameBytes <= bytes.size(); at += frameBytes)
        frames.emplace_back(bytes.begin() + at, bytes.begin() + at + frameBytes);
    return frames;
}

// A picture whose every pixel tells its place: blue = x, green = y from the top, red = a frame mark.
inline BgrImage PlacePicture(int width, int height, uint8_t mark) {
    BgrImage picture{width, height, std::vector<uint8_t>(BgrStride(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.bytes.data() + (height - 1 - y) * BgrStride(width) + x * 3;
            pixel[0] = static_cast<uint8_t>(x * 4);
            pixel[1] = static_cast<uint8_t>(y * 4);
            pixel[2] = mark;
        }
    return picture;
}

// A picture of one colour, given as blue, green, red.
inline BgrImage FlatPicture(int width, int height, uint8_t blue, uint8_t green, uint8_t red) {
    BgrImage picture{width, height, std::vector<uint8_t>(BgrStride(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.bytes.data() + y * BgrStride(width) + x * 3;
            pixel[0] = blue;
            pixel[1] = green;
            pixel[2] = red;
        }
    return picture;
}
