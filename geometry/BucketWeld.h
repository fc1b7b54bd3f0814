#pragma once
// Welding a mesh's corners on all cores, numbered exactly as the sequential scan numbers them.

#include <cstdint>

class Poly3gon;
class SceneGraphics;
struct CutCap;

// WeldMesh's work once every index of the facets and of the caps' triangles is known to name a vertex
// (see WeldMesh for the result and the progress shown). `Position` holds a corner's place in the scan:
// uint32_t serves fewer than 2^32 corners, uint64_t any number. Returns false without changing anything
// when the result would have more than ExactPointTable::kMaxPoints vertices or memory runs out.
template <typename Position>
bool WeldCheckedMesh(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics);
