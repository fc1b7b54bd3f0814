#pragma once
// What a surface display list is compiled from: every facet's three corners in order, each as its
// position and the normal it is lit with, handed to the driver one chunk at a time. The corners light
// the surface exactly as drawing every facet with its own three vertices does (vertex normals where
// they light it, else its face normal), and corners the mesh shares carry equal values wherever the
// lighting allows, since the driver keeps each distinct vertex of a list once:
//   smooth:  a facet lit with vertex normals gives its corners their vertices' normals; a facet lit
//            flat gives all three its face normal;
//   flat:    drawn with flat shading, where only a triangle's last corner is lit: that corner carries
//            the facet's face normal, the other two the normal of their vertex in FlatVertexNormals,
//            which is the face normal of the facet that ends at the vertex first.
// A wire model takes the flat layout too: its triangles are drawn as lines, each in the colour of its
// last corner, which the driver gives its edges in the order it always has. Facets keep their order,
// so blending and equal depths resolve as before.

#include <cstdint>
#include <memory>

class Poly3gon;

enum class SurfaceLayout { kSmooth, kFlat };

// Floats a corner takes: x, y, z, then the normal's x, y, z.
inline constexpr uint64_t kFloatsPerCorner = 6;

// The layout that draws a surface with the given normals: smooth when there are vertex normals, else
// flat. Flat shading lights a facet once, at its last corner, which equals lighting each corner only
// under a directional light; under a light at a point the facets are drawn in the smooth layout
// without normals, lit at every corner.
SurfaceLayout LayoutFor(bool haveNormals, bool directionalLight);

// The normals of the mesh vertices in the flat layout of the facets first .. last - 1, 3 floats per
// vertex: the face normal of the first facet of the range that ends at the vertex, (0, 0, 1) where
// none does. Built on all cores; throws std::bad_alloc when it does not fit.
std::unique_ptr<float[]> FlatVertexNormals(const Poly3gon& mesh, uint64_t first, uint64_t last);

// Writes the corners of the facets first .. last - 1 into `out`, which has room for three a facet:
// `normals` are the vertex normals (or none) in the smooth layout, FlatVertexNormals in the flat one;
// `fileNormals` lights every facet with its vertex normals. Facets naming a vertex outside the mesh
// are left out. Returns the number of corners written.
uint64_t FillSurfaceCorners(const Poly3gon& mesh, const float* normals, bool fileNormals,
                            SurfaceLayout layout, uint64_t first, uint64_t last, float* out);
