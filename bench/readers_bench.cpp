// Reading model files from the page cache: plain read() of the file's bytes, the format's parser
// (file to mesh), and LoadModelFile (parser plus record and bounding box), for every specimen file
// in the data folder (pexora-sample output named NAME-<millions>m.{stl,ctm,p3g}).
//   pexora_bench_readers --data=FOLDER [benchmark flags]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/QuietServices.h"
#include "bench/SpecimenFiles.h"
#include "import/ByteSource.h"
#include "import/CtmReader.h"
#include "import/ModelLoader.h"
#include "import/P3gReader.h"
#include "import/StlReader.h"
#include "scene/Scene.h"

namespace {

using Parser = ParseOutcome (*)(ByteSource&, ParsedModel&);

uint64_t FileSize(const std::string& path) {
    return std::filesystem::file_size(path);
}

// Reads the file once so that the timed runs find it in the page cache.
void WarmPageCache(const std::string& path) {
    std::vector<char> block(4 << 20);
    const int fd = open(path.c_str(), O_RDONLY);
    while (fd >= 0 && read(fd, block.data(), block.size()) > 0) {
    }
    if (fd >= 0) close(fd);
}

// read() of the whole file into a buffer faulted in beforehand.
void ReadWholeFile(benchmark::State& state, const std::string& path) {
    const uint64_t size = FileSize(path);
    std::vector<char> buffer(size);
    WarmPageCache(path);
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        uint64_t done = 0;
        while (done < size) {
            const ssize_t got = read(fd, buffer.data() + done, size - done);
            if (got <= 0) break;
            done += uint64_t(got);
        }
        close(fd);
        if (done != size) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations() * size));
    state.counters["file_bytes"] = double(size);
    state.counters["facets"] = 0;  // every run of a CSV report carries the same counters
}

void Parse(benchmark::State& state, const std::string& path, Parser parse) {
    uint64_t facets = 0;
    WarmPageCache(path);
    for (auto _ : state) {
        FileSource source;
        std::string error;
        ParsedModel model;
        if (!source.Open(path, error) || parse(source, model).status != ParseStatus::kParsed) {
            state.SkipWithError("refused");
            break;
        }
        facets = model.mesh.facetCount;
        state.PauseTiming();  // releasing the mesh is not part of reading it
        model = ParsedModel();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * FileSize(path)));
    state.counters["file_bytes"] = double(FileSize(path));
    state.counters["facets"] = double(facets);
}

void Load(benchmark::State& state, const std::string& path) {
    SilentTones tones;
    int64_t facets = 0;
    WarmPageCache(path);
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<Scene>();
        const int index = scene->AddModelSlot();
        state.ResumeTiming();
        if (LoadModelFile(*scene, index, path, tones) != 1) {
            state.SkipWithError("refused");
            break;
        }
        state.PauseTiming();
        facets = scene->objects[index].facetCount;
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * FileSize(path)));
    state.counters["file_bytes"] = double(FileSize(path));
    state.counters["facets"] = double(facets);
}

void RegisterFile(const std::string& path, const std::string& format, const std::string& millions) {
    const Parser parse = format == "stl" ? ParseStl : format == "ctm" ? ParseCtm : ParseP3g;
    const std::string suffix = "/" + format + "/" + millions;
    for (auto* bench : {
             benchmark::RegisterBenchmark(("read" + suffix).c_str(), ReadWholeFile, path),
             benchmark::RegisterBenchmark(("parse" + suffix).c_str(), Parse, path, parse),
             benchmark::RegisterBenchmark(("load" + suffix).c_str(), Load, path),
         })
        bench->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::string folder = DataFolder(argc, argv);
    if (folder.empty() || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "usage: pexora_bench_readers --data=FOLDER [benchmark flags]\n");
        return 2;
    }
    for (const SpecimenFile& file : SpecimenFiles(folder, {"stl", "ctm", "p3g"}))
        RegisterFile(file.path, file.extension, file.millions);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
