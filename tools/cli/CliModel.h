#pragma once
// Reading and writing a model for a pexora-cli command, the way the viewer does.

#include <iosfwd>
#include <string>

class Poly3gon;
class Scene;

// Loads `path` into a new model record of `scene` with LoadModelFile (no sound is played) and
// returns the record's index; when the file is refused, writes one line "error: <path>: <why>" to
// `err` and returns 0.
int LoadCliModel(Scene& scene, const std::string& path, std::ostream& err);

// Writes `mesh` to `path` as a .p3g file; when that fails, writes one line "error: <path>: cannot
// write the .p3g file: <why>" to `err`, the reason being the system's (for example "Permission denied")
// or that the mesh does not fit the format, and returns false. A failed write leaves the target as it was.
bool WriteCliModel(const Poly3gon& mesh, const std::string& path, std::ostream& err);
