// pexora-sample: writes the sample specimen as NAME.p3g (indexed), NAME.stl and NAME.ctm (facet
// soups, the .ctm with vertex normals) into a folder, with the CT slice stack it stands for:
// NAME_rec0000.bmp ... in a cube of SIZE pixels (default 128; 0: no slices, the mesh as for 128).
//   pexora-sample [--out FOLDER] [--name NAME] [--facets COUNT] [--stack SIZE]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "import/P3gWriter.h"
#include "scene/Poly3gon.h"
#include "tools/sample/SoupWriters.h"
#include "tools/sample/SpecimenMesh.h"
#include "tools/sample/SpecimenStack.h"

namespace {

constexpr unsigned long long kDefaultFacets = 400000;

int Usage() {
    std::fprintf(stderr,
                 "usage: pexora-sample [--out FOLDER] [--name NAME] [--facets COUNT] [--stack SIZE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = ".";
    std::string name = "specimen";
    unsigned long long facets = kDefaultFacets;
    unsigned long long stack = kDefaultStackSize;
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
        } else if (option == "--stack") {
            char* end = nullptr;
            stack = std::strtoull(value, &end, 10);
            if (*value == '\0' || *end != '\0' || stack > 10000) return Usage();
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
    const int size = stack != 0 ? int(stack) : kDefaultStackSize;
    FitMeshToStack(mesh, size);
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
    if (stack == 0) return 0;
    if (!WriteSpecimenStack(base, size)) {
        std::fprintf(stderr, "error: cannot write the slice stack to %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s: %d slices of %d x %d pixels, voxel size %g um\n", StackSlicePath(base, 0).c_str(), size,
                size, size, StackVoxelSize(size));
    return 0;
}
