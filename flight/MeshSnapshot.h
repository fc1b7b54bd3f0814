#pragma once
// Mesh snapshots: a model's geometry at the moment a keyframe stored it, in a unique "~CM" file of
// the temporary directory that the record's `backupPath` names. Layout, little-endian: vertex and
// facet counts (uint64), normals and cap counts (int64), `centered` (int32), `centre`, `boxMax` and
// `boxMin` (3 floats each), the vertices (12 bytes each), the facets (3 int64 each), the normals when
// counted, then per cap its 160-byte head, its triangles (3 int64 each) and, when its texture width x
// height is not 0, its RGB texels.

#include <cstddef>
#include <cstdint>

class ByteSource;
class Poly3gon;
class Scene;
class SceneGraphics;
struct CutCap;
struct SceneObject;

// The geometry a snapshot holds, owned until it is given to a record.
struct SnapshotGeometry {
    SnapshotGeometry() = default;
    ~SnapshotGeometry();
    SnapshotGeometry(const SnapshotGeometry&) = delete;
    SnapshotGeometry& operator=(const SnapshotGeometry&) = delete;

    int32_t centered = 0;
    float centre[3] = {0, 0, 0};
    float boxMax[3] = {0, 0, 0};
    float boxMin[3] = {0, 0, 0};
    Poly3gon* mesh = nullptr;
    float* normals = nullptr;
    CutCap* caps = nullptr;  // neither display lists nor textures yet
    int64_t capCount = 0;
};

// Writes the snapshot of `record` (which must have a mesh) to a new "~CM" file in the temporary
// directory and puts its path into `backupPath`. False when the file cannot be made or written (it is
// then removed) or its path does not fit the field; `backupPath` is then unchanged. Caps are written
// with the texture they hold in memory: a cap whose texels are not there is written with width and
// height 0.
bool SaveMeshSnapshot(SceneObject& record);

// Reads a snapshot from `source`, arrays straight into their places. Refuses (false, `geometry` untouched) a
// count that promises more than the bytes hold, a normals count other than 0 or the vertex count, an index
// that names no vertex, a negative texture size and memory that is not there; never allocates before the
// bytes are known to be there. Safe on any input.
bool DecodeMeshSnapshot(ByteSource& source, SnapshotGeometry& geometry);

// Gives model `index` the geometry of the snapshot its `backupPath` names: the file is read whole
// before anything is released, so a missing or refused snapshot leaves the object as it was. Then the old
// mesh, normals and caps go, the snapshot's `centered` and `centre` are taken as stored (the vertices are
// stored in those coordinates), the box and counts are computed and the surface lists rebuilt. An empty
// `backupPath` or an index that is no model: nothing. Returns true when the geometry was replaced.
bool RestoreMeshSnapshot(Scene& scene, int index, SceneGraphics& graphics);
