#pragma once
// Undoing all cuts of an object by reading its model file again.

#include <string>

class Scene;
class SceneGraphics;
class Tones;

// Reads model `index`'s file again from its whole path (RecordLocation) and, only once that has
// succeeded, frees the object's mesh, normals and cap chain (with the caps' lists and textures) and
// gives it the new model as LoadModelFile would, which also resets `optimized` and the other per-file
// fields. A file that cannot be read leaves the object exactly as it was and puts the reason into
// `problem` (when given). Returns 1 when the object holds the file's mesh again (the caller rebuilds
// the display lists), 0 otherwise, also for an index that is no model.
int RestoreObject(Scene& scene, int index, SceneGraphics& graphics, Tones& tones,
                  std::string* problem = nullptr);
