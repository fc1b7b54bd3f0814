#include "import/ModelLoader.h"

#include <new>

#include "import/ByteSource.h"
#include "import/CtmReader.h"
#include "import/P3gReader.h"
#include "import/ParsedModel.h"
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

using Parser = ParseOutcome (*)(ByteSource&, ParsedModel&);

// Opens and parses `path`; on success hands the mesh and normals to the record with its name,
// location and `optimized` flag. Returns the outcome of the parse (or of the open).
ParseOutcome ReadInto(SceneObject& record, const std::string& path, Parser parse, int optimized) {
    FileSource source;
    std::string error;
    if (!source.Open(path, error)) return ParseOutcome::Refused("cannot open " + path + ": " + error);
    ParsedModel model;
    ParseOutcome outcome = parse(source, model);
    if (outcome.status != ParseStatus::kParsed) return outcome;

    record.mesh = new Poly3gon(std::move(model.mesh));
    record.normals = model.normals.release();
    SetRecordText(record.name, ModelName(path).c_str());
    SetRecordText(record.location, path.c_str());
    record.optimized = optimized;
    return outcome;
}

ParseOutcome ReadP3g(SceneObject& record, const std::string& path, Tones& tones) {
    record.surfaceMode = 2;
    ParseOutcome outcome = ReadInto(record, path, ParseP3g, 1);
    if (outcome.status == ParseStatus::kUnknownVersion) tones.Beep(1000, 500);
    return outcome;
}

ParseOutcome ReadCtm(SceneObject& record, const std::string& path) {
    ParseOutcome outcome = ReadInto(record, path, ParseCtm, 0);
    if (outcome.status == ParseStatus::kParsed) record.surfaceMode = record.normals != nullptr ? 2 : 1;
    return outcome;
}

ParseOutcome ReadStl(SceneObject& record, const std::string& path) {
    record.surfaceMode = 1;
    return ReadInto(record, path, ParseStl, 0);
}

}  // namespace

int ModelFileTypeOf(const std::string& path) {
    if (EndsWithIgnoringCase(path, "p3g")) return kP3gFile;
    if (EndsWithIgnoringCase(path, "ctm")) return kCtmFile;
    if (EndsWithIgnoringCase(path, "stl")) return kStlFile;
    return kNoModelFile;
}

int LoadModelFile(Scene& scene, int index, const std::string& path, Tones& tones, std::string* problem) {
    if (index < 1 || index >= kRecordCount) {
        if (problem != nullptr) *problem = "no model record";
        return 0;
    }
    SceneObject& record = scene.objects[index];
    record.fileType = ModelFileTypeOf(path);
    SetRecordText(record.backupPath, "");
    record.visible = 1;
    if (record.fileType == kNoModelFile) {
        if (problem != nullptr) *problem = "unknown model file extension (expected .p3g, .ctm or .stl)";
        return 0;
    }

    if (record.mesh == nullptr) {
        // Normals belong to a mesh; without one any left over are stale.
        delete[] record.normals;
        record.normals = nullptr;
        ParseOutcome outcome;
        try {
            outcome = record.fileType == kP3gFile   ? ReadP3g(record, path, tones)
                      : record.fileType == kCtmFile ? ReadCtm(record, path)
                                                    : ReadStl(record, path);
        } catch (const std::bad_alloc&) {
            outcome = ParseOutcome::Refused("not enough memory for the mesh");
        }
        if (outcome.status != ParseStatus::kParsed) {
            if (problem != nullptr) *problem = outcome.problem;
            return 0;
        }
    }
    scene.ComputeBounds(index);
    return 1;
}
