#include "tools/sample/SpecimenMesh.h"

#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "scene/Poly3gon.h"
#include "tools/sample/IsoSurface.h"
#include "tools/sample/SpecimenShape.h"

namespace {

// Spacing of the trial mesh that calibrates the spacing for a facet count (a few ten thousand facets).
constexpr double kTrialSpacing = 3.0;

}  // namespace

bool MeshSpecimen(double spacing, Poly3gon& mesh) {
    if (!(spacing > 0)) return false;
    // The grid is centred on the specimen, with at least one empty cell of margin on every side so
    // that the field is positive on its outer layers. Waves are tabulated per axis.
    SampleGrid grid;
    grid.spacing = spacing;
    std::vector<float> coordinates[3];
    std::vector<float> waves[3];
    for (int axis = 0; axis < 3; ++axis) {
        const double reach = kSpecimenSemiAxes[axis] * kSpecimenReach + spacing;
        const int64_t cells = int64_t(std::ceil(2 * reach / spacing));
        grid.counts[axis] = cells + 1;
        grid.origin[axis] = -cells * spacing / 2;
        for (int64_t n = 0; n <= cells; ++n) {
            coordinates[axis].push_back(float(grid.origin[axis] + n * spacing));
            waves[axis].push_back(SpecimenWave(coordinates[axis].back()));
        }
    }
    const auto sample = [&](int64_t k, float* values) {
        const float dz = coordinates[2][size_t(k)], waveZ = waves[2][size_t(k)];
        for (size_t j = 0; j < size_t(grid.counts[1]); ++j)
            for (size_t i = 0; i < size_t(grid.counts[0]); ++i)
                *values++ = SpecimenFieldFromWaves(coordinates[0][i], coordinates[1][j], dz, waves[0][i],
                                                   waves[1][j], waveZ);
    };
    if (!MeshIsoSurface(grid, sample, mesh)) return false;
    for (uint64_t v = 0; v < mesh.vertexCount; ++v)
        mesh.vertices[v * 3 + 2] += kSpecimenCentreZ;
    return true;
}

double SpecimenSpacingForFacets(uint64_t facetCount) {
    Poly3gon trial;
    if (facetCount == 0 || !MeshSpecimen(kTrialSpacing, trial) || trial.facetCount == 0) return 0;
    return kTrialSpacing * std::sqrt(double(trial.facetCount) / double(facetCount));
}

void RotateFacetsAsWelded(Poly3gon& mesh) {
    for (uint64_t f = 0; f < mesh.facetCount; ++f) {
        int64_t* corners = mesh.facets + f * 3;
        const int64_t a = corners[0], b = corners[1], c = corners[2];
        if (a > b) continue;
        if (b > c) {
            corners[0] = b, corners[1] = c, corners[2] = a;
        } else {
            corners[0] = c, corners[1] = a, corners[2] = b;
        }
    }
}

std::unique_ptr<float[]> AreaWeightedNormals(const Poly3gon& mesh) {
    const size_t count = size_t(mesh.vertexCount) * 3;
    std::unique_ptr<float[]> normals(new (std::nothrow) float[count]());
    std::vector<double> sums;
    try {
        sums.assign(count, 0.0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (!normals) return nullptr;
    for (uint64_t f = 0; f < mesh.facetCount; ++f) {
        const int64_t* corners = mesh.facets + f * 3;
        const float* a = mesh.vertices + corners[0] * 3;
        const float* b = mesh.vertices + corners[1] * 3;
        const float* c = mesh.vertices + corners[2] * 3;
        const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
        const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
        const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        for (int corner = 0; corner < 3; ++corner)
            for (int axis = 0; axis < 3; ++axis)
                sums[size_t(corners[corner]) * 3 + size_t(axis)] += n[axis];
    }
    for (size_t v = 0; v < count; v += 3) {
        const double length =
            std::sqrt(sums[v] * sums[v] + sums[v + 1] * sums[v + 1] + sums[v + 2] * sums[v + 2]);
        if (length > 0)
            for (size_t axis = 0; axis < 3; ++axis)
                normals[v + axis] = float(sums[v + axis] / length);
    }
    return normals;
}
