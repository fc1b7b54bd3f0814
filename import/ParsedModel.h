#pragma once
// What a model reader hands back: the mesh, optional per-vertex normals, and why a file was refused.

#include <memory>
#include <string>

#include "scene/Poly3gon.h"

struct ParsedModel {
    Poly3gon mesh;
    std::unique_ptr<float[]> normals;  // 3 floats per mesh vertex (.ctm files with normals), else null
};

enum class ParseStatus {
    kParsed,
    kRefused,         // damaged, truncated or impossible file
    kUnknownVersion,  // a .p3g file of a version this reader does not know
};

struct ParseOutcome {
    ParseStatus status = ParseStatus::kRefused;
    std::string problem;  // one line saying why the file was refused; empty when parsed

    static ParseOutcome Parsed() { return {ParseStatus::kParsed, {}}; }
    static ParseOutcome Refused(std::string why) { return {ParseStatus::kRefused, std::move(why)}; }
};

// Number of file bytes the readers take in one block: large enough that the per-call cost vanishes,
// small enough to stay in the processor's cache between the read and the conversion.
inline constexpr size_t kReadBlockBytes = size_t{1} << 20;
