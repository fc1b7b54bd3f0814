#pragma once
// Reading a model for a pexora-cli command, the way the viewer loads one.

#include <iosfwd>
#include <string>

class Scene;

// Loads `path` into a new model record of `scene` with LoadModelFile (no sound is played) and
// returns the record's index; when the file is refused, writes one line "error: <path>: <why>" to
// `err` and returns 0.
int LoadCliModel(Scene& scene, const std::string& path, std::ostream& err);
