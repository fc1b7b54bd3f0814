#pragma once
// A second, independent instance of a model: same place, name, material and orientation, with its own
// mesh, normals and cut caps, so that cutting or deleting one leaves the other as it is.

class Scene;

// Copies model `source` (1..count-1) in front of the plate: the plate moves up one record and count
// grows by one. The copy gets its own copies of the mesh, the normals and every cap (settings,
// triangles and texture image), no display lists or textures (the caller builds them), no backup
// file and a serial of its own. Returns the copy's index; 0, changing nothing, when `source` is no
// model, the record table is full or memory runs out.
int DuplicateModel(Scene& scene, int source);
