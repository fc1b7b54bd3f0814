#pragma once
// Writers of the facet-soup formats, for the sample specimen: every facet of an indexed mesh is
// written with its own three corners, in facet order.

#include <string>

class Poly3gon;

// Binary STL: an 80-byte header naming the program, the triangle count, then per facet its unit
// normal, its corners and attribute 0. False (target untouched) when the mesh has more than
// 2^31-1 facets or the write fails.
bool WriteBinaryStl(const Poly3gon& mesh, const std::string& path);

// .ctm with 72-byte records: corners and their per-vertex `normals` (3 floats per mesh vertex).
// False (target untouched) when the mesh has more than 2^31-1 facets or the write fails.
bool WriteCtmWithNormals(const Poly3gon& mesh, const float* normals, const std::string& path);
