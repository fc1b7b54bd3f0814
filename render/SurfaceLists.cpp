#include "render/SurfaceLists.h"

#include <GL/gl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "geometry/CapTexCoords.h"
#include "geometry/SurfaceCorners.h"
#include "geometry/SurfaceListLayout.h"
#include "geometry/VertexNormals.h"
#include "platform/MessageBoxes.h"
#include "render/SharedContextThread.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"
#include "scene/SceneObject.h"

namespace {

// Reads the error GL noted since the last read; true when it says the driver ran out of memory.
bool DriverOutOfMemory() {
    const GLenum error = glGetError();
    return error == GL_OUT_OF_MEMORY || error == GL_STACK_OVERFLOW || error == GL_STACK_UNDERFLOW;
}

void ClearGLErrors() {
    // Bounded: a lost context keeps answering with the same error.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// What the chunks of a surface list are made of.
struct ChunkSource {
    const Poly3gon& mesh;
    const float* normals;  // per mesh vertex, as FillSurfaceCorners takes them
    bool fileNormals;
    SurfaceLayout layout;
    const std::vector<uint64_t>& bounds;  // chunk k holds the facets bounds[k] .. bounds[k + 1] - 1
};

// Compiles the chunks of one surface list, taking them in order on whichever thread is free: each
// into a list of its own from `firstName` on, or with no names all into the list being compiled on
// the calling thread.
class ChunkCompiler {
public:
    ChunkCompiler(const ChunkSource& source, GLuint firstName)
        : source_(source),
          firstName_(firstName),
          count_(source.bounds.size() - 1),
          done_(std::make_unique<std::atomic<bool>[]>(count_)) {}

    // Compiles chunks until none is left, calling `afterChunk` after each one this thread compiled.
    void Run(const std::function<void()>& afterChunk = {}) {
        uint64_t longest = 0;
        for (size_t chunk = 0; chunk < count_; ++chunk)
            longest = std::max(longest, source_.bounds[chunk + 1] - source_.bounds[chunk]);
        std::unique_ptr<float[]> corners;
        try {
            corners = std::make_unique_for_overwrite<float[]>(longest * 3 * kFloatsPerCorner);
        } catch (const std::bad_alloc&) {
            outOfMemory_ = true;  // the other thread, or none, compiles the chunks
            return;
        }
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glVertexPointer(3, GL_FLOAT, kFloatsPerCorner * sizeof(float), corners.get());
        glNormalPointer(GL_FLOAT, kFloatsPerCorner * sizeof(float), corners.get() + 3);
        for (size_t chunk = next_++; chunk < count_; chunk = next_++) {
            Compile(chunk, corners.get());
            done_[chunk].store(true, std::memory_order_release);
            if (afterChunk) afterChunk();
        }
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }

    // How many chunks from the first on are compiled, counting on from `known`.
    size_t DonePrefix(size_t known) const {
        while (known < count_ && done_[known].load(std::memory_order_acquire))
            ++known;
        return known;
    }

    bool OutOfMemory() const { return outOfMemory_; }

private:
    void Compile(size_t chunk, float* corners) {
        const uint64_t count =
            FillSurfaceCorners(source_.mesh, source_.normals, source_.fileNormals, source_.layout,
                               source_.bounds[chunk], source_.bounds[chunk + 1], corners);
        if (firstName_ != 0) glNewList(firstName_ + static_cast<GLuint>(chunk), GL_COMPILE);
        if (count > 0) glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count));
        if (firstName_ != 0) glEndList();
        if (DriverOutOfMemory()) outOfMemory_ = true;
    }

    const ChunkSource& source_;
    GLuint firstName_;
    size_t count_;
    std::unique_ptr<std::atomic<bool>[]> done_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> outOfMemory_{false};
};

class SurfaceCompiler {
public:
    SurfaceCompiler(const SceneObject& record, const float* normals, SceneGraphics& graphics)
        : record_(record),
          mesh_(*record.mesh),
          normals_(normals),
          fileNormals_(record.normals != nullptr),
          graphics_(graphics) {}

    // Compiles `count` lists from `base` on, kFacetsPerList facets each; true when the driver ran out of
    // memory. A list of several chunks calls them from lists of their own, compiled two at a time on a
    // second context.
    bool CompileSurface(GLuint base, int32_t count) {
        bool outOfMemory = false;
        const SurfaceLayout layout = LayoutFor(normals_ != nullptr, LightIsDirectional());
        for (int32_t k = 0; k < count; ++k) {
            const uint64_t listStart = static_cast<uint64_t>(k) * kFacetsPerList;
            const uint64_t listEnd = std::min(mesh_.facetCount, listStart + kFacetsPerList);
            const std::vector<uint64_t> bounds = ChunkBounds(listStart, listEnd, mesh_.facetCount);
            const GLuint list = base + static_cast<GLuint>(k);
            std::unique_ptr<float[]> flatNormals;
            try {
                if (layout == SurfaceLayout::kFlat)
                    flatNormals = FlatVertexNormals(mesh_, listStart, listEnd);
            } catch (const std::bad_alloc&) {
                outOfMemory = true;
                glNewList(list, GL_COMPILE);
                SetPolygonMode();
                glEndList();
                continue;
            }
            const ChunkSource source{mesh_, flatNormals ? flatNormals.get() : normals_, fileNormals_, layout,
                                     bounds};
            const auto chunks = static_cast<GLsizei>(bounds.size() - 1);
            const GLuint chunkBase = chunks > 1 ? glGenLists(chunks) : 0;
            ChunkCompiler compiler(source, chunkBase);
            size_t shown = 0;
            const auto progress = [&] { ShowProgressUpTo(bounds[shown = compiler.DonePrefix(shown)]); };
            if (chunkBase != 0) {
                SharedContextThread helper;
                helper.Start([&compiler] { compiler.Run(); });
                compiler.Run(progress);
                helper.Wait();
                graphics_.NestLists(list, chunkBase, chunks);
            }
            glNewList(list, GL_COMPILE);
            SetPolygonMode();
            if (layout == SurfaceLayout::kFlat) glShadeModel(GL_FLAT);
            if (chunkBase != 0) {
                for (GLsizei chunk = 0; chunk < chunks; ++chunk)
                    glCallList(chunkBase + static_cast<GLuint>(chunk));
            } else {
                compiler.Run(progress);
            }
            if (layout == SurfaceLayout::kFlat) glShadeModel(GL_SMOOTH);
            glEndList();
            outOfMemory = compiler.OutOfMemory() || DriverOutOfMemory() || outOfMemory;
            ShowProgressUpTo(listEnd);
        }
        return outOfMemory;
    }

    // Compiles `cap` into its own new list; true when the driver ran out of memory. A cap that gets no
    // list name keeps displayList 0.
    bool CompileCap(CutCap& cap) {
        if (cap.displayList != 0) graphics_.DeleteLists(cap.displayList, 1);
        cap.displayList = glGenLists(1);
        if (cap.displayList == 0) return false;
        glNewList(cap.displayList, GL_COMPILE);
        const bool textured = record_.surfaceMode != 0 && cap.textureName != 0;
        if (record_.surfaceMode == 0) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        } else {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            if (textured) {
                glEnable(GL_TEXTURE_2D);
                glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
                glBindTexture(GL_TEXTURE_2D, cap.textureName);
            }
        }
        bool outOfMemory = false;
        const int64_t count = cap.triangles != nullptr ? cap.triangleCount : 0;
        for (int64_t i = 0; i < count; ++i) {
            glBegin(GL_TRIANGLES);
            SendCapTriangle(cap.triangles + i * 3, cap);
            glEnd();
            outOfMemory = DriverOutOfMemory() || outOfMemory;
        }
        if (textured) glDisable(GL_TEXTURE_2D);
        glEndList();
        return DriverOutOfMemory() || outOfMemory;
    }

private:
    void SetPolygonMode() const {
        glPolygonMode(GL_FRONT_AND_BACK, record_.surfaceMode == 0 ? GL_LINE : GL_FILL);
    }

    // Shows every percent whose facet lies at or before `facet` and was not shown yet.
    void ShowProgressUpTo(uint64_t facet) {
        for (; nextPercent_ <= 99 && ProgressFacet(nextPercent_, mesh_.facetCount) <= facet; ++nextPercent_)
            graphics_.ShowProgress(nextPercent_, kLoadingProgressText);
    }

    // One cap triangle inside a begin/end pair with its corners' texture coordinates ((0, 0) without a
    // texture). Caps are flat cuts: their corners take vertex normals by the index rule alone, even
    // with file normals; otherwise the triangle is lit with its face normal.
    void SendCapTriangle(const int64_t* facet, const CutCap& cap) {
        if (!FacetInMesh(facet, mesh_.vertexCount)) return;
        const float* corners[3] = {mesh_.vertices + facet[0] * 3, mesh_.vertices + facet[1] * 3,
                                   mesh_.vertices + facet[2] * 3};
        const bool perCorner = normals_ != nullptr && facet[0] >= facet[1];
        if (!perCorner) {
            float face[3];
            FacetNormal(corners[0], corners[1], corners[2], face);
            glNormal3fv(face);
        }
        for (int corner = 0; corner < 3; ++corner) {
            if (perCorner) glNormal3fv(normals_ + facet[corner] * 3);
            glTexCoord2fv(CapCorner(cap, corners[corner]).st);
            glVertex3fv(corners[corner]);
        }
    }

    struct TexCoord {
        float st[2] = {0.0f, 0.0f};
    };
    TexCoord CapCorner(const CutCap& cap, const float* vertex) const {
        TexCoord coord;
        if (cap.textureName != 0) CapTexCoord(cap, record_.centre, vertex, coord.st);
        return coord;
    }

    const SceneObject& record_;
    const Poly3gon& mesh_;
    const float* normals_;
    bool fileNormals_;
    SceneGraphics& graphics_;
    int nextPercent_ = 1;
};

}  // namespace

bool LightIsDirectional() {
    GLfloat position[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    return position[3] == 0.0f;
}

int BuildSurfaceLists(SceneObject& record, SceneGraphics& graphics, MessageBoxes& messages) {
    if (record.mesh == nullptr) return 0;
    if (record.listBase != 0) graphics.DeleteLists(record.listBase, record.listCount);
    record.listCount = 1;
    record.listBase = 0;
    ClearGLErrors();

    const Poly3gon& mesh = *record.mesh;
    record.facetCount = static_cast<int64_t>(mesh.facetCount);
    record.vertexCount = static_cast<int64_t>(mesh.vertexCount);

    bool outOfMemory = false;
    record.listCount = SurfaceListCount(mesh.facetCount);
    record.listBase = glGenLists(record.listCount);
    if (record.listBase != 0) {
        const std::unique_ptr<float[]> normals = ComputeVertexNormals(record, record.surfaceMode);
        SurfaceCompiler compiler(record, normals.get(), graphics);
        outOfMemory = compiler.CompileSurface(record.listBase, record.listCount);
        for (CutCap* cap = record.caps; cap != nullptr; cap = cap->next) {
            record.facetCount += std::max<int64_t>(cap->triangleCount, 0);
            outOfMemory = compiler.CompileCap(*cap) || outOfMemory;
        }
    }

    graphics.ShowProgress(0, "");
    if (outOfMemory) messages.Warn(kNotEnoughMemoryForModelMessage);
    return 1;
}
