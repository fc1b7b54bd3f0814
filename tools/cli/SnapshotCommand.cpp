#include <ostream>
#include <string>

#include "flight/MeshSnapshot.h"
#include "import/ByteSource.h"
#include "scene/Poly3gon.h"
#include "tools/cli/CliCommands.h"

int RunSnapshotCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
        err << "usage: pexora-cli snapshot FILE\n";
        return 2;
    }
    const std::string& path = arguments[0];
    FileSource source;
    std::string reason;
    if (!source.Open(path, reason)) {
        err << "error: " << path << ": " << reason << "\n";
        return 1;
    }
    SnapshotGeometry geometry;
    if (!DecodeMeshSnapshot(source, geometry)) {
        err << "error: " << path << ": not a readable mesh snapshot\n";
        return 1;
    }
    out << "vertices: " << geometry.mesh->vertexCount << "\n"
        << "facets: " << geometry.mesh->facetCount << "\n"
        << "normals: " << (geometry.normals != nullptr ? geometry.mesh->vertexCount : 0) << "\n"
        << "caps: " << geometry.capCount << "\n";
    return 0;
}
