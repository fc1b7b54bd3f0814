#pragma once
// Writer of .p3g files (layout in import/P3gFormat.h).

#include <string>

class Poly3gon;

// Writes `mesh` to `path` as a .p3g file of version 1001, with 16-bit indices when the mesh has at
// most 65536 vertices and 32-bit indices above, facets in their order, through a temporary file
// renamed over the target. Returns 1, or 0 with the target untouched when the write fails or the
// mesh cannot be stored: counts above 2^31-1 or an index that names no vertex.
int WriteP3g(const Poly3gon& mesh, const std::string& path);
