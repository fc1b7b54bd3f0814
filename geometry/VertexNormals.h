#pragma once
// Per-vertex normals for the smooth surface modes and the face normal every flat facet is lit with.
// Plain functions over a record's mesh; the display-list build (render/) draws with them.

#include <cstdint>
#include <memory>

struct SceneObject;

// Whether all three corners of a facet name a vertex of a mesh of `vertexCount`; facets that do not
// are left out of every drawing.
bool FacetInMesh(const int64_t* facet, uint64_t vertexCount);

// Face normal of the facet with corners a, b, c (in index order): (a - b) x (b - c), not normalised,
// so that larger facets weigh more in the sums. `out` receives 3 floats.
void FacetNormal(const float* a, const float* b, const float* c, float out[3]);

// Whether a facet is lit with its corners' vertex normals: only when there are normals, and then for
// every facet of a model with file normals, otherwise only when its first index is not smaller than its
// second (facets listed the other way round are drawn flat with their face normal).
bool UsesCornerNormals(const int64_t* facet, bool haveNormals, bool fileNormals);

// Normals for drawing `record` in `surfaceMode`, 3 floats per mesh vertex, or nothing:
//   mode 2: a copy of the file normals of a .ctm model, else accumulation A (the face normals of all
//           facets whose first index is not smaller than their second, summed at their three corners);
//   mode 3: for each edge (first index smaller than second) of every facet, A of each end added to the
//           other end, so each vertex gets the sum of its neighbours' A;
//   modes 0, 1, no mesh, no memory: nothing (the surface is then drawn flat).
// Facets naming a vertex outside the mesh are left out, so any index array is safe.
std::unique_ptr<float[]> ComputeVertexNormals(const SceneObject& record, int surfaceMode);
