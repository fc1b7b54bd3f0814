#include "output/MovieWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "output/MovieEncoders.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace {

std::atomic<unsigned> temporaryCounter{0};

std::string LibraryReason(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// Reserves a fresh name beside `path` for the movie while it is written; empty with errno set when
// the directory does not take a new file.
std::string ReserveTemporaryFile(const std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(temporaryCounter++);
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return name;
        }
        if (errno != EEXIST) break;
    }
    return {};
}

}  // namespace

// The open movie and its worker. The caller's thread only queues pictures; the worker alone touches
// the muxer, encoder and scaler until it has been joined.
struct MovieWriter::Encoding {
    ~Encoding() {
        StopWorker(true);
        if (format != nullptr && format->pb != nullptr) avio_closep(&format->pb);
        avformat_free_context(format);
        avcodec_free_context(&encoder);
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        if (!temporaryPath.empty()) unlink(temporaryPath.c_str());
    }

    void StopWorker(bool abandon) {
        {
            std::lock_guard lock(mutex);
            closing = true;
            abandoned = abandon || abandoned;
        }
        changed.notify_all();
        if (worker.joinable()) worker.join();
    }

    void Run() {
        for (;;) {
            std::vector<uint8_t> picture;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return !waiting.empty() || closing; });
                if (abandoned || waiting.empty()) return;
                picture = std::move(waiting.front());
                waiting.pop_front();
            }
            changed.notify_all();
            const bool skip = failed.load();
            std::string problem = skip ? std::string() : Encode(picture);
            std::lock_guard lock(mutex);
            spare.push_back(std::move(picture));
            if (!problem.empty() && failure.empty()) {
                failure = std::move(problem);
                failed = true;
                changed.notify_all();
            }
        }
    }

    std::string Encode(const std::vector<uint8_t>& picture) {
        const size_t stride = BgrStride(width);
        if (encoder == nullptr) {
            // Uncompressed: the DIB rows as they are, bottom-up, 3 x frameWidth bytes each.
            const size_t rowBytes = static_cast<size_t>(frameWidth) * 3;
            if (av_new_packet(packet, static_cast<int>(rowBytes * frameHeight)) < 0)
                return LibraryReason(AVERROR(ENOMEM));
            for (int y = 0; y < frameHeight; ++y)
                std::memcpy(packet->data + y * rowBytes, picture.data() + y * stride, rowBytes);
            packet->pts = packet->dts = nextPts++;
            packet->duration = 1;
            packet->flags |= AV_PKT_FLAG_KEY;
            packet->stream_index = stream->index;
            return Written(av_interleaved_write_frame(format, packet));
        }
        const int writable = av_frame_make_writable(frame);
        if (writable < 0) return LibraryReason(writable);
        // Rows bottom-up: the picture's row frameHeight - 1 is the frame's top row, so rows above it
        // (when the height was cut) are left out.
        const uint8_t* top = picture.data() + static_cast<size_t>(frameHeight - 1) * stride;
        const int topStride = -static_cast<int>(stride);
        sws_scale(scaler, &top, &topStride, 0, frameHeight, frame->data, frame->linesize);
        frame->pts = nextPts++;
        frame->quality = encoder->global_quality;
        const int sent = avcodec_send_frame(encoder, frame);
        if (sent < 0) return LibraryReason(sent);
        return Drain();
    }

    // Writes every packet the encoder has ready.
    std::string Drain() {
        int received;
        while ((received = avcodec_receive_packet(encoder, packet)) >= 0) {
            // AVI streams tick once per frame, as the frame numbers do.
            const AVRational frames = avi ? stream->time_base : encoder->time_base;
            av_packet_rescale_ts(packet, frames, stream->time_base);
            packet->stream_index = stream->index;
            const std::string problem = Written(av_interleaved_write_frame(format, packet));
            if (!problem.empty()) return problem;
        }
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return {};
        return LibraryReason(received);
    }

    std::string Written(int result) const {
        if (result < 0) return LibraryReason(result);
        if (format->pb != nullptr && format->pb->error < 0) return LibraryReason(format->pb->error);
        return {};
    }

    // After the worker has stopped: the encoder's last packets, the index and the file closed.
    std::string Finish() {
        if (encoder != nullptr) {
            avcodec_send_frame(encoder, nullptr);
            std::string problem = Drain();
            if (!problem.empty()) return problem;
        }
        std::string problem = Written(av_write_trailer(format));
        if (!problem.empty()) return problem;
        avio_flush(format->pb);
        problem = Written(0);
        const int closed = avio_closep(&format->pb);
        if (problem.empty() && closed < 0) problem = LibraryReason(closed);
        return problem;
    }

    std::string path;
    std::string temporaryPath;
    bool avi = true;
    int width = 0;  // of the pictures handed over
    int height = 0;
    int frameWidth = 0;
    int frameHeight = 0;
    AVFormatContext* format = nullptr;
    AVStream* stream = nullptr;
    AVCodecContext* encoder = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    int64_t nextPts = 0;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::vector<uint8_t>> waiting;
    std::vector<std::vector<uint8_t>> spare;  // buffers of frames done, for the next pictures
    bool closing = false;
    bool abandoned = false;
    std::atomic<bool> failed{false};
    std::string failure;  // the first write that failed
    std::thread worker;
};

MovieWriter::MovieWriter() = default;

MovieWriter::~MovieWriter() {
    Abort();
}

bool MovieWriter::IsOpen() const {
    return encoding_ != nullptr;
}

bool MovieWriter::Open(const std::string& path, MovieContainer container, const MovieCompression& compression,
                       int width, int height, int framesPerSecond) {
    Abort();
    error_.clear();
    width_ = frameHeight_ = 0;
    std::string codec = compression.codec;
    if (container == MovieContainer::Mp4 && codec == "h264") {
        // MP4 falls back to MPEG-4 Visual where no H.264 encoder opens.
        const std::vector<MovieCodec> offered = AvailableMovieCodecs(container);
        if (std::none_of(offered.begin(), offered.end(), [](const MovieCodec& c) { return c.id == "h264"; }))
            codec = "mpeg4";
    }
    const MovieCodecEntry* entry = FindMovieCodec(codec, container);
    if (entry == nullptr || width <= 0 || height <= 0 || framesPerSecond < 1) {
        error_ = kNotSupportedCompressor;
        return false;
    }
    auto encoding = std::make_unique<Encoding>();
    Encoding& e = *encoding;
    e.path = path;
    e.avi = container == MovieContainer::Avi;
    e.width = width;
    e.height = height;
    // Chroma planes of half size need even sizes; like the Indeo codec of old, cut to multiples of 4.
    e.frameWidth = KeepsFrameSize(*entry) ? width : width / 4 * 4;
    e.frameHeight = KeepsFrameSize(*entry) ? height : height / 4 * 4;
    const bool uncompressed = entry->id == AV_CODEC_ID_RAWVIDEO;
    if (e.frameWidth <= 0 || e.frameHeight <= 0) {
        error_ = kNotSupportedCompressor;
        return false;
    }

    if (avformat_alloc_output_context2(&e.format, nullptr, e.avi ? "avi" : "mp4", nullptr) < 0 ||
        e.format == nullptr) {
        error_ = kNotSupportedCompressor;
        return false;
    }
    const bool globalHeader = (e.format->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    // One tick of an AVI stream is 1000000 / fps microseconds, so the rate is the frame rate exactly
    // where fps divides 1000000.
    const AVRational tick =
        e.avi ? AVRational{1000000 / framesPerSecond, 1000000} : AVRational{1, framesPerSecond};
    if (!uncompressed) {
        // Encoders count in the stream's ticks, one a frame; MPEG-4 cannot count time finer than
        // 1/65535 s and counts whole frames a second, which is the same one step a frame.
        const AVRational encoderTick =
            entry->id == AV_CODEC_ID_MPEG4 && tick.den > 65535 ? AVRational{1, framesPerSecond} : tick;
        e.encoder = OpenMovieEncoder(*entry, e.frameWidth, e.frameHeight, encoderTick, compression.quality,
                                     globalHeader, e.avi);
        if (e.encoder == nullptr) {
            error_ = kNotSupportedCompressor;
            return false;
        }
    }
    e.stream = avformat_new_stream(e.format, nullptr);
    e.packet = av_packet_alloc();
    if (e.stream == nullptr || e.packet == nullptr) {
        error_ = LibraryReason(AVERROR(ENOMEM));
        return false;
    }
    if (uncompressed) {
        AVCodecParameters* parameters = e.stream->codecpar;
        parameters->codec_type = AVMEDIA_TYPE_VIDEO;
        parameters->codec_id = AV_CODEC_ID_RAWVIDEO;
        parameters->codec_tag = 0;  // BI_RGB
        parameters->format = AV_PIX_FMT_BGR24;
        parameters->bits_per_coded_sample = 24;
        parameters->width = e.frameWidth;
        parameters->height = e.frameHeight;
    } else {
        avcodec_parameters_from_context(e.stream->codecpar, e.encoder);
        e.frame = av_frame_alloc();
        e.scaler = sws_getContext(e.frameWidth, e.frameHeight, AV_PIX_FMT_BGR24, e.frameWidth, e.frameHeight,
                                  e.encoder->pix_fmt, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (e.frame == nullptr || e.scaler == nullptr) {
            error_ = kNotSupportedCompressor;
            return false;
        }
        e.frame->format = e.encoder->pix_fmt;
        e.frame->width = e.frameWidth;
        e.frame->height = e.frameHeight;
        if (av_frame_get_buffer(e.frame, 0) < 0) {
            error_ = LibraryReason(AVERROR(ENOMEM));
            return false;
        }
    }
    e.stream->time_base = tick;
    e.stream->avg_frame_rate = {framesPerSecond, 1};

    e.temporaryPath = ReserveTemporaryFile(path);
    if (e.temporaryPath.empty()) {
        error_ = std::strerror(errno);
        return false;
    }
    // "file:" keeps a colon in the name from being read as a protocol. The MP4 muxer opens the file
    // once more by its name to move the index to the front.
    const std::string url = "file:" + e.temporaryPath;
    av_freep(&e.format->url);
    e.format->url = av_strdup(url.c_str());
    const int opened = avio_open(&e.format->pb, url.c_str(), AVIO_FLAG_WRITE);
    if (opened < 0) {
        error_ = LibraryReason(opened);
        return false;
    }
    AVDictionary* options = nullptr;
    if (uncompressed) av_dict_set(&options, "flipped_raw_rgb", "1", 0);  // rows bottom-up, as a DIB's
    if (!e.avi) av_dict_set(&options, "movflags", "+faststart", 0);
    const int header = avformat_write_header(e.format, &options);
    av_dict_free(&options);
    if (header < 0) {
        error_ = LibraryReason(header);
        return false;
    }
    e.worker = std::thread([&e] { e.Run(); });
    width_ = e.frameWidth;
    frameHeight_ = e.frameHeight;
    encoding_ = std::move(encoding);
    return true;
}

bool MovieWriter::WriteFrame(const BgrImage& picture) {
    if (encoding_ == nullptr) return false;
    Encoding& e = *encoding_;
    if (picture.width != e.width || picture.height != e.height ||
        picture.bytes.size() < BgrStride(e.width) * static_cast<size_t>(e.height)) {
        error_ = "The frame does not have the movie's size.";
        return false;
    }
    std::vector<uint8_t> buffer;
    {
        std::unique_lock lock(e.mutex);
        e.changed.wait(
            lock, [&] { return e.waiting.size() < static_cast<size_t>(kMovieFramesInFlight) || e.failed; });
        if (e.failed) {
            error_ = e.failure;
            return false;
        }
        if (!e.spare.empty()) {
            buffer = std::move(e.spare.back());
            e.spare.pop_back();
        }
    }
    buffer.assign(picture.bytes.begin(), picture.bytes.end());
    {
        std::lock_guard lock(e.mutex);
        e.waiting.push_back(std::move(buffer));
    }
    e.changed.notify_all();
    return true;
}

bool MovieWriter::Close() {
    if (encoding_ == nullptr) return false;
    Encoding& e = *encoding_;
    e.StopWorker(false);
    std::string problem = e.failure.empty() ? e.Finish() : e.failure;
    if (problem.empty() && std::rename(e.temporaryPath.c_str(), e.path.c_str()) != 0)
        problem = std::strerror(errno);
    if (problem.empty()) e.temporaryPath.clear();  // moved: nothing to remove
    encoding_.reset();
    error_ = problem;
    return problem.empty();
}

void MovieWriter::Abort() {
    encoding_.reset();
}
