#pragma once
// Welding coincident vertices of a facet soup into a shared-vertex mesh.

class Poly3gon;
class SceneGraphics;
struct CutCap;
struct SceneObject;

// Welds `mesh` in place, with the cap triangles of the chain starting at `caps` rewritten by the
// same vertex map. The result is that of scanning the facets from the last to the first, corners
// 0, 1, 2, each corner taking the number of the first equal distinct vertex found so far or becoming
// a new one (see ExactPointTable for equality), then the caps' triangles in chain order: vertices in
// order of first appearance, facets rotated larger-first and cap triangles smaller-first, facet count
// unchanged (degenerate facets stay). Shows "Optimizing" progress every hundredth of the facets
// when there are more than 100, and clears the progress display at the end. A corner whose vertex has a
// NaN coordinate becomes a vertex of its own, so the result may have more vertices than the mesh had.
// Runs on all cores; the progress calls come from the calling thread as the work advances.
// Returns false without changing anything when an index names no vertex, a cap's triangle array is
// missing, the result would have more than 2^32 - 2 vertices, or memory runs out. Safe on untrusted meshes.
bool WeldMesh(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics);

// The surface update's optimisation of one object: acts only when the object has a mesh, its
// `fileType` is not .p3g and `optimized` is already set (the caller sets it). Welds with WeldMesh,
// then empties `backupPath`, discards the file normals and stores the new vertex count.
// Returns false when it did not act or the weld was refused (the record is then unchanged).
bool WeldVertices(SceneObject& object, SceneGraphics& graphics);
