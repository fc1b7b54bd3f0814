#pragma once
// What the weld and cut commands of pexora-cli share: a silent stand-in for the viewer's GPU side,
// wall-clock phases and the lines they print.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "scene/SceneGraphics.h"

// A command line program has no display lists, textures or status bar.
class NoSceneGraphics : public SceneGraphics {
public:
    void DeleteLists(uint32_t, int32_t) override {}
    void DeleteTexture(uint32_t) override {}
    void ShowProgress(int, const std::string&) override {}
};

// Wall-clock seconds since construction or the last Lap.
class PhaseClock {
public:
    double Lap();

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Writes "name: value\n".
void PrintCount(std::ostream& out, const char* name, int64_t value);
// Writes "name: S\n" with S in seconds, six decimals.
void PrintSeconds(std::ostream& out, const char* name, double seconds);
