// pexora-sample: writes the sample specimen as NAME.p3g (indexed), NAME.stl and NAME.ctm (facet
// soups, the .ctm with vertex normals) into a folder.
//   pexora-sample [--out FOLDER] [--name NAME] [--facets COUNT]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "import/P3gWriter.h"
#include "scene/Poly3gon.h"
#include "tools/sample/SoupWriters.h"
#include "tools/sample/SpecimenMesh.h"

namespace {

constexpr unsigned long long kDefaultFacets = 400000;

int Usage() {
    std::fprintf(stderr, "usage: pexora-sample [--out FOLDER] [--name NAME] [--facets COUNT]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = ".";
    std::string name = "specimen";
    unsigned long long facets = kDefaultFacets;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* value = argv[++i];
        if (option == "--out") {
            folder = value;
        } else if (option == "--name") {
            name = value;
        } else if (option == "--facets") {
            char* end = nullptr;
            facets = std::strtoull(value, &end, 10);
            if (*value == '\0' || *end != '\0' || facets == 0) return Usage();
        } else {
            return Usage();
        }
    }

    const double spacing = SpecimenSpacingForFacets(facets);
    Poly3gon mesh;
    if (!MeshSpecimen(spacing, mesh)) {
        std::fprintf(stderr, "error: not enough memory for the specimen mesh\n");
        return 1;
    }
    RotateFacetsAsWelded(mesh);
    const auto normals = AreaWeightedNormals(mesh);
    const std::string base = folder + "/" + name;
    if (!normals || !WriteP3g(mesh, base + ".p3g") || !WriteBinaryStl(mesh, base + ".stl") ||
        !WriteCtmWithNormals(mesh, normals.get(), base + ".ctm")) {
        std::fprintf(stderr, "error: cannot write the specimen files to %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s.{p3g,stl,ctm}: %llu vertices, %llu facets\n", base.c_str(),
                static_cast<unsigned long long>(mesh.vertexCount),
                static_cast<unsigned long long>(mesh.facetCount));
    return 0;
}
