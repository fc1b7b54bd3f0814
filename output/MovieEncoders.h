#pragma once
// The FFmpeg side of the movie codecs: which encoder serves each offered codec, the pixel format its
// frames are converted to, and how the quality setting maps onto the encoder's own scale.

#include <string>

#include "output/MovieCompression.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

// One codec the program knows, with or without an encoder here.
struct MovieCodecEntry {
    MovieCodec codec;
    AVCodecID id = AV_CODEC_ID_NONE;
    AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
    bool inAvi = false;
    bool inMp4 = false;
};

// The entry for `id` in `container`; nullptr when unknown there.
const MovieCodecEntry* FindMovieCodec(const std::string& id, MovieContainer container);

// Whether frames of the codec are kept at the picture's size; otherwise width and height are cut
// down to multiples of 4 (chroma planes of half size need even sizes).
bool KeepsFrameSize(const MovieCodecEntry& entry);

// An encoder for the codec, opened for width x height frames lasting `frameDuration` seconds each
// (its time base: frame pts count frames) with `quality` 1..100; `globalHeader` for containers that
// keep codec headers apart, `avi` for a container without B-frame ordering. nullptr when there is no
// such encoder or it does not open (MPEG-4 takes no time base finer than 1/65535 s); the uncompressed
// codec has none.
AVCodecContext* OpenMovieEncoder(const MovieCodecEntry& entry, int width, int height,
                                 AVRational frameDuration, int quality, bool globalHeader, bool avi);
