#include "output/MovieEncoders.h"

#include <algorithm>
#include <map>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

namespace {

const std::vector<MovieCodecEntry>& Entries() {
    static const std::vector<MovieCodecEntry> specs = {
        {{"dib", "Full Frames (Uncompressed)", false}, AV_CODEC_ID_RAWVIDEO, AV_PIX_FMT_BGR24, true, false},
        {{"mjpeg", "Motion JPEG", true}, AV_CODEC_ID_MJPEG, AV_PIX_FMT_YUVJ420P, true, false},
        {{"ffv1", "FFV1 (lossless)", false}, AV_CODEC_ID_FFV1, AV_PIX_FMT_BGR0, true, false},
        {{"mpeg4", "MPEG-4 Part 2", true}, AV_CODEC_ID_MPEG4, AV_PIX_FMT_YUV420P, true, true},
        {{"h264", "H.264", true}, AV_CODEC_ID_H264, AV_PIX_FMT_YUV420P, true, true},
    };
    return specs;
}

// FFmpeg's own encoders come before wrappers of hardware or other libraries, which may be listed
// first yet open only on some machines.
const AVCodec* FindEncoder(AVCodecID id) {
    if (id == AV_CODEC_ID_H264) {
        if (const AVCodec* x264 = avcodec_find_encoder_by_name("libx264")) return x264;
    }
    if (const AVCodec* native = avcodec_find_encoder_by_name(avcodec_get_name(id))) return native;
    return avcodec_find_encoder(id);
}

// Quality 1..100 onto the H.263-style quantiser 31..2 of MJPEG and MPEG-4.
int Quantiser(int quality) {
    return 2 + (100 - std::clamp(quality, 1, 100)) * 29 / 99;
}

// Quality 1..100 onto x264's constant rate factor 50..10.
double RateFactor(int quality) {
    return 10.0 + (100 - std::clamp(quality, 1, 100)) * 40.0 / 99.0;
}

void QuietLibraries() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

}  // namespace

const MovieCodecEntry* FindMovieCodec(const std::string& id, MovieContainer container) {
    for (const MovieCodecEntry& entry : Entries())
        if (entry.codec.id == id && (container == MovieContainer::Avi ? entry.inAvi : entry.inMp4))
            return &entry;
    return nullptr;
}

bool KeepsFrameSize(const MovieCodecEntry& entry) {
    const AVPixFmtDescriptor* format = av_pix_fmt_desc_get(entry.pixelFormat);
    return format != nullptr && format->log2_chroma_w == 0 && format->log2_chroma_h == 0;
}

AVCodecContext* OpenMovieEncoder(const MovieCodecEntry& entry, int width, int height,
                                 AVRational frameDuration, int quality, bool globalHeader, bool avi) {
    QuietLibraries();
    if (entry.id == AV_CODEC_ID_RAWVIDEO || width <= 0 || height <= 0 || frameDuration.num <= 0 ||
        frameDuration.den <= 0)
        return nullptr;
    const AVCodec* encoder = FindEncoder(entry.id);
    if (encoder == nullptr) return nullptr;
    AVCodecContext* context = avcodec_alloc_context3(encoder);
    if (context == nullptr) return nullptr;
    context->width = width;
    context->height = height;
    context->pix_fmt = entry.pixelFormat;
    context->time_base = frameDuration;
    context->framerate = av_inv_q(frameDuration);
    context->thread_count = 0;  // as many as the encoder likes
    if (avi) context->max_b_frames = 0;
    if (globalHeader) context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (entry.id == AV_CODEC_ID_MJPEG || entry.id == AV_CODEC_ID_MPEG4) {
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = FF_QP2LAMBDA * Quantiser(quality);
    }
    if (entry.id == AV_CODEC_ID_MJPEG) context->color_range = AVCOL_RANGE_JPEG;
    if (entry.id == AV_CODEC_ID_H264 && context->priv_data != nullptr) {
        av_opt_set_double(context->priv_data, "crf", RateFactor(quality), 0);
        av_opt_set(context->priv_data, "preset", "veryfast", 0);
    }
    if (avcodec_open2(context, encoder, nullptr) < 0) avcodec_free_context(&context);
    return context;
}

std::vector<MovieCodec> AvailableMovieCodecs(MovieContainer container) {
    // Opening an encoder costs a little; whether one opens does not change while the program runs.
    static std::mutex mutex;
    static std::map<std::string, bool> opens;
    std::lock_guard lock(mutex);
    std::vector<MovieCodec> codecs;
    for (const MovieCodecEntry& entry : Entries()) {
        if (!(container == MovieContainer::Avi ? entry.inAvi : entry.inMp4)) continue;
        auto known = opens.find(entry.codec.id);
        if (known == opens.end()) {
            bool available = entry.id == AV_CODEC_ID_RAWVIDEO;
            if (!available) {
                AVCodecContext* probe = OpenMovieEncoder(entry, 64, 64, AVRational{1, 25}, 75, false, true);
                available = probe != nullptr;
                avcodec_free_context(&probe);
            }
            known = opens.emplace(entry.codec.id, available).first;
        }
        if (known->second) codecs.push_back(entry.codec);
    }
    // In MP4 the better codec comes first: it is the one used without asking.
    if (container == MovieContainer::Mp4) std::reverse(codecs.begin(), codecs.end());
    return codecs;
}
