#include "import/ModelLoader.h"

#include <memory>
#include <new>

#include "import/ByteSource.h"
#include "import/CtmReader.h"
#include "import/P3gReader.h"
#include "import/StlReader.h"
#include "platform/Tones.h"
#include "scene/Scene.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(const std::string& text, const char* suffix3) {
    if (text.size() < 3) return false;
    for (size_t i = 0; i < 3; ++i)
        if (LowerAscii(text[text.size() - 3 + i]) != suffix3[i]) return false;
    return true;
}

// Display name: the file name after the last '/' without its last 4 characters (".p3g").
std::string ModelName(const std::string& path) {
    const size_t slash = path.rfind('/');
    std::string fileName = slash == std::string::npos ? path : path.substr(slash + 1);
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : std::string();
}

// Runs the reader of `data.fileType` on `source` and chooses the surface mode and `optimized` flag.
ParseOutcome Parse(ByteSource& source, Tones& tones, ModelFileData& data) {
    switch (data.fileType) {
        case kP3gFile: {
            ParseOutcome outcome = ParseP3g(source, data.model);
            if (outcome.status == ParseStatus::kUnknownVersion) tones.Beep(1000, 500);
            data.surfaceMode = 2;
            data.optimized = 1;
            return outcome;
        }
        case kCtmFile: {
            ParseOutcome outcome = ParseCtm(source, data.model);
            data.surfaceMode = data.model.normals != nullptr ? 2 : 1;
            return outcome;
        }
        default:
            return ParseStl(source, data.model);
    }
}

}  // namespace

int ModelFileTypeOf(const std::string& path) {
    if (EndsWithIgnoringCase(path, "p3g")) return kP3gFile;
    if (EndsWithIgnoringCase(path, "ctm")) return kCtmFile;
    if (EndsWithIgnoringCase(path, "stl")) return kStlFile;
    return kNoModelFile;
}

ParseOutcome ReadModelFile(const std::string& path, Tones& tones, ModelFileData& data) {
    data = ModelFileData{};
    data.fileType = ModelFileTypeOf(path);
    if (data.fileType == kNoModelFile)
        return ParseOutcome::Refused("unknown model file extension (expected .p3g, .ctm or .stl)");
    try {
        FileSource source;
        std::string error;
        if (!source.Open(path, error)) return ParseOutcome::Refused(error);
        return Parse(source, tones, data);
    } catch (const std::bad_alloc&) {
        return ParseOutcome::Refused("not enough memory for the mesh");
    }
}

void GiveModelToRecord(Scene& scene, int index, const std::string& path, ModelFileData&& data) {
    // What may throw comes first, so that a record is either given the whole model or left as it was.
    auto mesh = std::make_unique<Poly3gon>(std::move(data.model.mesh));
    const std::string name = ModelName(path);
    SceneObject& record = scene.objects[index];
    SetRecordLocation(record, path);
    record.fileType = data.fileType;
    SetRecordText(record.backupPath, "");
    record.visible = 1;
    record.surfaceMode = data.surfaceMode;
    record.mesh = mesh.release();
    record.normals = data.model.normals.release();
    record.optimized = data.optimized;
    SetRecordText(record.name, name.c_str());
    scene.ComputeBounds(index);
}

int LoadModelFile(Scene& scene, int index, const std::string& path, Tones& tones, std::string* problem) {
    if (index < 1 || index >= kRecordCount) {
        if (problem != nullptr) *problem = "no model record";
        return 0;
    }
    SceneObject& record = scene.objects[index];
    if (record.mesh != nullptr) {
        record.fileType = ModelFileTypeOf(path);
        SetRecordText(record.backupPath, "");
        record.visible = 1;
        scene.ComputeBounds(index);
        return 1;
    }

    ModelFileData data;
    const ParseOutcome outcome = ReadModelFile(path, tones, data);
    if (outcome.status == ParseStatus::kParsed) {
        try {
            GiveModelToRecord(scene, index, path, std::move(data));
            return 1;
        } catch (const std::bad_alloc&) {
            if (problem != nullptr) *problem = "not enough memory for the mesh";
        }
    } else if (problem != nullptr) {
        *problem = outcome.problem;
    }
    // A refused file leaves the record without geometry: counted as a model, never drawn.
    record.fileType = data.fileType;
    SetRecordText(record.backupPath, "");
    record.visible = 1;
    // The .p3g and .stl readers choose their surface mode before reading, the .ctm reader after it.
    if (data.fileType == kP3gFile || data.fileType == kStlFile) record.surfaceMode = data.surfaceMode;
    // Normals belong to a mesh; without one any left over are stale.
    delete[] record.normals;
    record.normals = nullptr;
    return 0;
}
