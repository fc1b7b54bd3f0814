#pragma once
// Loading a model file into a scene record: the reader is chosen by the file name's extension.

#include <cstdint>
#include <string>

#include "import/ParsedModel.h"
#include "scene/SceneObject.h"

class Scene;
class Tones;

// The format `path` names by its last three characters ("p3g", "ctm", "stl", compared without
// regard to case; the path itself is never changed), or kNoModelFile.
int ModelFileTypeOf(const std::string& path);

// Reads the model file `path` into record `index` (a model slot of `scene`, 1..127): sets `fileType`
// from the extension, empties `backupPath`, sets `visible` 1, then runs the format's reader, which
// sets the surface mode (.p3g 2; .ctm 2 with file normals, else 1; .stl 1) and, on success, the
// mesh, `normals` (.ctm), `optimized` (1 for .p3g, else 0), `name` (file name without directory and
// its last 4 characters) and the path (SetRecordLocation: whole in `modelPath`, in `location` when
// it fits); finally ComputeBounds sets box and counts. A record that already holds a mesh is not
// read again, only bounded. A .p3g file of an unknown version sounds 1000 Hz for 500 ms through
// `tones`.
// Returns 1 when the record holds a mesh afterwards (the caller then builds its display lists) and
// 0 otherwise: unknown extension, unreadable or refused file, no memory. A refused file leaves the
// record without geometry (no mesh, vertexCount 0, name and location empty) and touches no other
// record; `problem`, when given, then receives a short reason without the path ("no such file",
// "not a regular file", "unknown .p3g version 999", ...). Safe on untrusted files.
int LoadModelFile(Scene& scene, int index, const std::string& path, Tones& tones,
                  std::string* problem = nullptr);

// A model file read into memory and not yet given to a record.
struct ModelFileData {
    int fileType = kNoModelFile;
    int16_t surfaceMode = 1;  // the mode the format's reader chooses
    int32_t optimized = 0;    // 1 for the indexed .p3g meshes
    ParsedModel model;
};

// Reads the model file `path` with the reader its extension names, touching no record. A .p3g file of
// an unknown version sounds 1000 Hz for 500 ms through `tones`. On success `data` holds the model; any
// other outcome carries a short reason ("no such file", "not a regular file", "unknown .p3g version
// 1002", ...) without the path. Safe on untrusted files; never throws.
ParseOutcome ReadModelFile(const std::string& path, Tones& tones, ModelFileData& data);

// Gives the model read from `path` to record `index` (a model slot of `scene` that holds no mesh), as
// LoadModelFile does after a successful read: `fileType`, an empty `backupPath`, `visible` 1, surface
// mode, mesh, normals, `optimized`, `name`, the path (SetRecordLocation), then ComputeBounds.
void GiveModelToRecord(Scene& scene, int index, const std::string& path, ModelFileData&& data);
