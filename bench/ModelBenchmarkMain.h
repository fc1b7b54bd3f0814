#pragma once
// The main of a benchmark that draws a model in a shown view: Mesa's software rasteriser, a Qt
// application, the model given as --model=FILE loaded into the benchmark's Stage, then its benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <functional>
#include <string>

#include "bench/FlagValue.h"
#include "render/CPexoraView.h"

// Loads the model into a `Stage` (built from its path, `loaded` when it was read), has
// `registerBenchmarks` register the benchmarks on it and runs them. Returns the process's exit status:
// 2 without --model (after printing `usage`), 1 when the model cannot be read.
template <typename Stage>
int RunOnModel(int argc, char** argv, const char* usage,
               const std::function<void(Stage&)>& registerBenchmarks) {
    const std::string model = FlagValue(argc, argv, "--model=");
    if (model.empty()) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    CPexoraView::ConfigureGLAccelerator(0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Stage stage(model);
    if (!stage.loaded) {
        std::fprintf(stderr, "cannot read %s\n", model.c_str());
        return 1;
    }
    registerBenchmarks(stage);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
