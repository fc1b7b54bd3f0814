// Flight export: 100 frames of 1024 x 768 through FlightRecording, with a 10-frame fade-in from a
// colour and a 10-frame fade-out to the empty stage, for
//   export/dib     uncompressed AVI
//   export/mjpeg   Motion JPEG AVI (quality 75)
//   export/h264    H.264 MP4 (quality 75)
// Counters: total_s (open to finished file, drawing stand-in included), emit_s (the caller's time
// inside Emit: fading, copying, waiting for room in the queue), draw_s (making each picture, which
// stands in for drawing the frame), file_mb.
// The slow-drawing runs make each picture 12 times over, as a frame of a large model drawn in
// software takes its time on the same processor; draw_only/slow is that drawing without an export,
// so the difference of the totals is what exporting adds to a flight.
//   pexora_bench_movie [--folder=DIR] [benchmark flags]
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench/FlagValue.h"
#include "output/FlightRecording.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrames = 100;

std::string folder = std::filesystem::temp_directory_path().string();

// A picture that changes from frame to frame as a turning scene does: moving gradients and a disc.
void Draw(BgrImage& picture, int frame) {
    const size_t stride = BgrStride(kWidth);
    for (int y = 0; y < kHeight; ++y) {
        uint8_t* row = picture.bytes.data() + y * stride;
        for (int x = 0; x < kWidth; ++x) {
            const int dx = x - 512 - frame * 3, dy = y - 384;
            const bool disc = dx * dx + dy * dy < 200 * 200;
            row[x * 3 + 0] = static_cast<uint8_t>(disc ? 200 - (dx + dy) / 8 : (x + frame) / 4);
            row[x * 3 + 1] = static_cast<uint8_t>(disc ? 120 + dy / 4 : y / 3);
            row[x * 3 + 2] = static_cast<uint8_t>(disc ? 60 : (x + y + frame * 5) / 8);
        }
    }
}

void Export(benchmark::State& state, FlightTarget target, const std::string& codec, const char* extension,
            int drawRepeats, bool record) {
    using Clock = std::chrono::steady_clock;
    FlightRecordingSetup setup;
    setup.target = target;
    setup.path = folder + "/pexora-bench-movie." + extension;
    setup.compression = {codec, 75};
    setup.width = kWidth;
    setup.height = kHeight;
    setup.plan.keyframes = 2;
    setup.plan.totalFrames = kFrames;
    setup.plan.fades.fadeIn = 1;
    setup.plan.fades.fadeInFrames = 10;
    setup.plan.fades.fadeInFrom = 1;
    setup.plan.fades.fadeOut = 1;
    setup.plan.fades.fadeOutFrames = 10;
    BgrImage picture{kWidth, kHeight, std::vector<uint8_t>(BgrStride(kWidth) * kHeight)};
    BgrImage emptyStage{kWidth, kHeight, std::vector<uint8_t>(BgrStride(kWidth) * kHeight, 90)};
    double emit = 0, draw = 0, total = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        FlightRecording recording;
        if (record && !recording.Open(setup)) {
            state.SkipWithError(recording.Error().c_str());
            return;
        }
        recording.StartPass();
        for (int f = 0; f < kFrames; ++f) {
            const auto drawn = Clock::now();
            for (int repeat = 0; repeat < drawRepeats; ++repeat)
                Draw(picture, f);
            const auto emitted = Clock::now();
            const FlightFrame kind = f == 0             ? FlightFrame::FirstKeyframe
                                     : f == kFrames - 1 ? FlightFrame::Keyframe
                                                        : FlightFrame::Interpolated;
            if (record && !recording.Emit(picture, emptyStage, kind)) {
                state.SkipWithError(recording.Error().c_str());
                return;
            }
            draw += std::chrono::duration<double>(emitted - drawn).count();
            emit += std::chrono::duration<double>(Clock::now() - emitted).count();
        }
        if (record && !recording.Finish(false)) {
            state.SkipWithError(recording.Error().c_str());
            return;
        }
        total += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["total_s"] = total / runs;
    state.counters["emit_s"] = emit / runs;
    state.counters["draw_s"] = draw / runs;
    if (!record) return;
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(setup.path)) / 1e6;
    std::filesystem::remove(setup.path);
}

}  // namespace

BENCHMARK_CAPTURE(Export, dib, FlightTarget::AviMovie, "dib", "avi", 1, true)
    ->Name("export/dib")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Export, mjpeg, FlightTarget::AviMovie, "mjpeg", "avi", 1, true)
    ->Name("export/mjpeg")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Export, h264, FlightTarget::Mp4Movie, "h264", "mp4", 1, true)
    ->Name("export/h264")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Export, draw_only, FlightTarget::AviMovie, "dib", "avi", 12, false)
    ->Name("draw_only/slow")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Export, mjpeg_slow, FlightTarget::AviMovie, "mjpeg", "avi", 12, true)
    ->Name("export/mjpeg/slow")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Export, h264_slow, FlightTarget::Mp4Movie, "h264", "mp4", 12, true)
    ->Name("export/h264/slow")
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    if (const std::string given = FlagValue(argc, argv, "--folder="); !given.empty()) folder = given;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
