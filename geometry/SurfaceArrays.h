#pragma once
// What one surface display list draws, as vertex and index arrays handed to the driver in one go
// instead of a call per vertex. The arrays reproduce exactly the lighting of drawing every facet with
// its own three vertices (vertex normals where they light it, else its face normal), while sending
// each vertex only as often as its normal differs:
//   smooth:  mesh vertices with their vertex normals are shared by the facets lit with them; a facet
//            lit flat gets three vertices of its own with its face normal;
//   flat:    drawn with flat shading, where only a triangle's last corner is lit, so each facet needs
//            one vertex with its face normal: the mesh vertex it ends at, when no earlier facet of the
//            list took that vertex, else a copy of it; the other corners share the mesh vertices;
// A wire model takes the flat layout too: the triangles are drawn as lines, each in the colour of its
// last corner, which the driver gives its edges in the order it always has. Facets keep their order,
// so blending and equal depths resolve as before. Plain arrays, built on all cores.

#include <cstdint>
#include <memory>
#include <vector>

class Poly3gon;

enum class SurfaceLayout { kSmooth, kFlat };

struct SurfaceArrays {
    SurfaceLayout layout = SurfaceLayout::kSmooth;
    uint64_t vertexCount = 0;
    std::unique_ptr<float[]> vertices;  // x, y, z, then the normal's x, y, z, per vertex
    uint64_t indexCount = 0;
    std::unique_ptr<uint32_t[]> indices;  // three per triangle
    // blockStarts[k] is the first index of block k (the facets from bounds[k] on); one more entry
    // holds indexCount.
    std::vector<uint64_t> blockStarts;
};

// The layout that draws a surface with the given normals: smooth when there are vertex normals, else
// flat. Flat shading lights a facet once, at its last corner, which equals lighting each corner only
// under a directional light; under a light at a point the facets are sent with three vertices each in
// the smooth layout, without normals.
SurfaceLayout LayoutFor(bool haveNormals, bool directionalLight);

// Arrays for the facets bounds.front() .. bounds.back() - 1 of `mesh`, in blocks between consecutive
// `bounds` (ascending, at least two entries, at most mesh.facetCount; each block can be drawn on its
// own). `normals` (3 floats per mesh vertex) is needed for the smooth layout only; `fileNormals`
// lights every facet with them. Facets naming a vertex outside the mesh are left out, so any index
// array is safe. Throws std::bad_alloc when the arrays do not fit.
SurfaceArrays BuildSurfaceArrays(const Poly3gon& mesh, const float* normals, bool fileNormals,
                                 SurfaceLayout layout, const std::vector<uint64_t>& bounds);
