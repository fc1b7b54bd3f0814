#pragma once
// Undoing all cuts of an object by reading its model file again.

class Scene;
class SceneGraphics;
class Tones;

// Frees model `index`'s mesh, normals and cap chain (with the caps' lists and textures) and reads
// the model again from its `location` with LoadModelFile, which also resets `optimized` and the
// other per-file fields. Returns LoadModelFile's result (1 when the record holds a mesh again); 0
// for an index that is no model. The caller rebuilds the display lists.
int RestoreObject(Scene& scene, int index, SceneGraphics& graphics, Tones& tones);
