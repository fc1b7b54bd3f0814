// The CT dataset on a generated stack of 512 slices of 512 x 512 pixels ("ct_NNNN.bmp" in
// --stack=FOLDER, written once when missing):
//   slices/read      every slice decoded, on all cores
//   resample/512     512 output slices along an oblique plate, read to written
//   mip/64           a 64-plane projection through the same plate
//   cap_texture/512  a 512 x 512 cap texture from the stack
//   pexora_bench_dataset --stack=FOLDER [benchmark flags]
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/FlagValue.h"
#include "dataset/BuildCapTexture.h"
#include "dataset/DatasetSlices.h"
#include "dataset/ResampleDataset.h"
#include "dataset/WriteSlice.h"
#include "platform/MessageBoxes.h"
#include "scene/Scene.h"

namespace {

constexpr int kSide = 512;

class SilentMessages : public MessageBoxes {
public:
    MessageAnswer ShowCaptioned(const std::string&, const std::string&, MessageButtons,
                                MessageIcon) override {
        return MessageAnswer::Ok;
    }
};

std::string SlicePath(const std::string& folder, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "/ct_%04d.bmp", number);
    return folder + name;
}

// A dense shell around a porous interior with mild noise, grey values as a scan shows them.
bool WriteStack(const std::string& folder) {
    std::filesystem::create_directories(folder);
    SliceBuffer buffer;
    for (int i = 0; i < 256; ++i) {
        buffer.info[40 + 4 * i] = buffer.info[41 + 4 * i] = buffer.info[42 + 4 * i] = static_cast<uint8_t>(i);
    }
    buffer.trailer.valueA = 1, buffer.trailer.valueB = 2;
    std::vector<uint8_t> pixels(kSide * kSide);
    uint32_t noise = 12345;
    for (int z = 0; z < kSide; ++z) {
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const float dx = x - 256.0f, dy = y - 256.0f, dz = z - 256.0f;
                const float r = std::sqrt(dx * dx + dy * dy + dz * dz);
                noise = noise * 1664525u + 1013904223u;
                const int grain = static_cast<int>(noise >> 28);
                int value = r < 200 ? (r > 180 ? 220 : ((x / 9 + y / 7 + z / 11) % 3 == 0 ? 40 : 140)) : 10;
                pixels[y * kSide + x] = static_cast<uint8_t>(value + grain);
            }
        }
        if (!WriteSlice(buffer, SlicePath(folder, z), pixels.data(), kSide, kSide, kSide, false, 100))
            return false;
    }
    return true;
}

std::string g_stack;

// The source object at the origin of its dataset and a plate standing across the slices, tilted by
// 20 degrees, its 512 x 512 extent centred on the stack.
void MakeScene(SceneObject& object, SceneObject& plate) {
    SetRecordText(object.datasetPath, SlicePath(g_stack, 0).c_str());
    const float s = std::sin(20.0f * 3.14159265f / 180.0f), c = std::cos(20.0f * 3.14159265f / 180.0f);
    const float rotation[9] = {1, 0, 0, 0, -s, -c, 0, c, -s};
    std::copy_n(rotation, 9, plate.rotation);
    plate.position[0] = 0, plate.position[1] = 256, plate.position[2] = 0;
    plate.boxMin[0] = plate.boxMin[2] = -256;
    plate.boxMax[0] = plate.boxMax[2] = 256;
    object.position[1] = 0;
}

void ReadSlices(benchmark::State& state) {
    const std::vector<DatasetSlice> slices = ListDatasetSlices(SlicePath(g_stack, 0), 4);
    if (slices.size() != static_cast<size_t>(kSide)) state.SkipWithError("the stack is incomplete");
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSliceBatch(slices, 0, slices.size()));
}

void Resample(benchmark::State& state, bool projection) {
    SceneObject object, plate;
    MakeScene(object, plate);
    ResampleOptions options;
    options.projection = projection;
    options.count = static_cast<int>(state.range(0));
    const std::string out = g_stack + "/../resampled";
    std::filesystem::create_directories(out);
    options.prefix = out + "/out_";
    ResampleResult result;
    for (auto _ : state)
        result = ResampleDataset(object, plate, options, {});
    state.counters["written"] = result.filesWritten;
    state.counters["read_s"] = result.secondsReading;
    state.counters["resample_s"] = result.secondsResampling;
    state.counters["write_s"] = result.secondsWriting;
}

void CapTexture(benchmark::State& state) {
    auto scene = std::make_unique<Scene>();
    const int index = scene->AddModelSlot();
    MakeScene(scene->objects[index], scene->objects[scene->PlateIndex()]);
    SilentMessages messages;
    for (auto _ : state) {
        CutCap cap;
        BuildCapTexture(*scene, index, cap, {-256, -256, 256, 256, 0}, 4096, messages);
        benchmark::DoNotOptimize(cap.pixels);
        delete[] cap.pixels;
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_stack = FlagValue(argc, argv, "--stack=");
    if (g_stack.empty()) {
        std::fprintf(stderr, "usage: pexora_bench_dataset --stack=FOLDER [benchmark flags]\n");
        return 2;
    }
    if (!std::filesystem::exists(SlicePath(g_stack, kSide - 1)) && !WriteStack(g_stack)) {
        std::fprintf(stderr, "cannot write the stack into %s\n", g_stack.c_str());
        return 1;
    }
    // The CSV output takes its columns from the first benchmark: the one with every counter goes first.
    benchmark::RegisterBenchmark("resample", Resample, false)
        ->Arg(512)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("mip", Resample, true)
        ->Arg(64)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("slices/read", ReadSlices)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("cap_texture/512", CapTexture)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
