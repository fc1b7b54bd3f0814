#pragma once
// The surface model of the sample specimen (tools/sample/SpecimenShape.h) and what its files need.

#include <cstdint>
#include <memory>

class Poly3gon;

// Meshes the specimen's surface on a grid of the given spacing (voxels); the mesh is indexed,
// closed, of genus 1 (the hole) and wound counter-clockwise seen from outside. False when the
// memory is not there or the spacing is not positive.
bool MeshSpecimen(double spacing, Poly3gon& mesh);

// Grid spacing that gives about `facetCount` facets (found from a coarse trial mesh: the facet
// count falls with the square of the spacing). 0 when no trial mesh could be made.
double SpecimenSpacingForFacets(uint64_t facetCount);

// Turns each facet's corners cyclically the way welding leaves them (a > b: kept; else b > c:
// (b, c, a); else (c, a, b)), so the first index exceeds the second as the per-vertex normals of
// the smooth surface modes require; the winding is unchanged.
void RotateFacetsAsWelded(Poly3gon& mesh);

// Unit per-vertex normals: the sum of the adjacent facets' normals weighted by their area.
// Null when the memory is not there.
std::unique_ptr<float[]> AreaWeightedNormals(const Poly3gon& mesh);
