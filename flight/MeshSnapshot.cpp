#include "flight/MeshSnapshot.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <string>
#include <utility>

#include "geometry/CapChain.h"
#include "import/ByteSource.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"

namespace {

constexpr size_t kSnapshotHeaderSize = 4 * 8 + 4 + 3 * 12;

// --- writing ---

bool WriteAll(std::FILE* file, const void* data, size_t length) {
    return length == 0 || std::fwrite(data, 1, length, file) == length;
}

template <typename T>
bool WriteValue(std::FILE* file, const T& value) {
    return WriteAll(file, &value, sizeof value);
}

// True when the cap's texels are in memory; otherwise the cap is stored without a texture.
bool HasTexels(const CutCap& cap) {
    return cap.pixels != nullptr && cap.textureWidth > 0 && cap.textureHeight > 0;
}

// The 160-byte cap head, field by field.
void PutCapHead(uint8_t* bytes, const CutCap& cap) {
    const int32_t width = HasTexels(cap) ? cap.textureWidth : 0;
    const int32_t height = HasTexels(cap) ? cap.textureHeight : 0;
    std::memcpy(bytes + 0, &cap.texSpanS, 4);
    std::memcpy(bytes + 4, &cap.texSpanT, 4);
    std::memcpy(bytes + 8, &cap.objectScale, 4);
    std::memcpy(bytes + 12, &cap.plateScale, 4);
    std::memcpy(bytes + 16, &cap.texMinX, 4);
    std::memcpy(bytes + 20, &cap.planeHeight, 4);
    std::memcpy(bytes + 24, &cap.texMinZ, 4);
    std::memcpy(bytes + 28, cap.objectPosition, 12);
    std::memcpy(bytes + 40, cap.objectRotation, 36);
    std::memcpy(bytes + 76, cap.platePosition, 12);
    std::memcpy(bytes + 88, cap.plateRotationT, 36);
    std::memcpy(bytes + 124, &cap.fill, 4);
    std::memcpy(bytes + 128, cap.fillColour, 3);
    bytes[131] = cap.reserved;
    std::memcpy(bytes + 132, &cap.fillDiffuse, 4);
    std::memcpy(bytes + 136, &cap.fillReflection, 4);
    std::memcpy(bytes + 140, &cap.fillEmission, 4);
    std::memcpy(bytes + 144, &cap.triangleCount, 8);
    std::memcpy(bytes + 152, &width, 4);
    std::memcpy(bytes + 156, &height, 4);
}

void GetCapHead(const uint8_t* bytes, CutCap& cap) {
    std::memcpy(&cap.texSpanS, bytes + 0, 4);
    std::memcpy(&cap.texSpanT, bytes + 4, 4);
    std::memcpy(&cap.objectScale, bytes + 8, 4);
    std::memcpy(&cap.plateScale, bytes + 12, 4);
    std::memcpy(&cap.texMinX, bytes + 16, 4);
    std::memcpy(&cap.planeHeight, bytes + 20, 4);
    std::memcpy(&cap.texMinZ, bytes + 24, 4);
    std::memcpy(cap.objectPosition, bytes + 28, 12);
    std::memcpy(cap.objectRotation, bytes + 40, 36);
    std::memcpy(cap.platePosition, bytes + 76, 12);
    std::memcpy(cap.plateRotationT, bytes + 88, 36);
    std::memcpy(&cap.fill, bytes + 124, 4);
    std::memcpy(cap.fillColour, bytes + 128, 3);
    cap.reserved = bytes[131];
    std::memcpy(&cap.fillDiffuse, bytes + 132, 4);
    std::memcpy(&cap.fillReflection, bytes + 136, 4);
    std::memcpy(&cap.fillEmission, bytes + 140, 4);
    std::memcpy(&cap.triangleCount, bytes + 144, 8);
    std::memcpy(&cap.textureWidth, bytes + 152, 4);
    std::memcpy(&cap.textureHeight, bytes + 156, 4);
}

// Caps stored: the whole chain, none when its first cap never received triangles.
int64_t StoredCapCount(const CutCap* caps) {
    if (caps == nullptr || caps->triangles == nullptr) return 0;
    int64_t count = 0;
    for (const CutCap* cap = caps; cap != nullptr; cap = cap->next)
        ++count;
    return count;
}

bool WriteSnapshot(std::FILE* file, const SceneObject& record) {
    const Poly3gon& mesh = *record.mesh;
    const int64_t normalsCount = record.normals != nullptr ? static_cast<int64_t>(mesh.vertexCount) : 0;
    const int64_t capCount = StoredCapCount(record.caps);
    bool ok = WriteValue(file, mesh.vertexCount) && WriteValue(file, mesh.facetCount) &&
              WriteValue(file, normalsCount) && WriteValue(file, capCount) &&
              WriteValue(file, record.centered) && WriteAll(file, record.centre, 12) &&
              WriteAll(file, record.boxMax, 12) && WriteAll(file, record.boxMin, 12) &&
              WriteAll(file, mesh.vertices, mesh.vertexCount * 12) &&
              WriteAll(file, mesh.facets, mesh.facetCount * 24) &&
              WriteAll(file, record.normals, static_cast<size_t>(normalsCount) * 12);
    for (const CutCap* cap = capCount > 0 ? record.caps : nullptr; ok && cap != nullptr; cap = cap->next) {
        uint8_t head[kCutCapHeadSize];
        PutCapHead(head, *cap);
        const size_t triangleBytes =
            cap->triangles != nullptr ? static_cast<size_t>(cap->triangleCount) * 24 : 0;
        ok = WriteAll(file, head, sizeof head) && WriteAll(file, cap->triangles, triangleBytes);
        if (ok && HasTexels(*cap))
            ok = WriteAll(file, cap->pixels, size_t(cap->textureWidth) * size_t(cap->textureHeight) * 3);
    }
    return ok;
}

// --- reading ---

// Reads `count` elements of `size` bytes at `offset`, after checking they lie in the source.
bool ReadArray(ByteSource& source, uint64_t& offset, void* destination, uint64_t count, uint64_t size) {
    const uint64_t left = source.Size() - offset;
    if (count > left / size) return false;
    if (count != 0 && !source.CopyTo(offset, static_cast<size_t>(count * size), destination)) return false;
    offset += count * size;
    return true;
}

bool IndicesInRange(const int64_t* indices, uint64_t count, uint64_t vertexCount) {
    for (uint64_t i = 0; i < count; ++i)
        if (indices[i] < 0 || static_cast<uint64_t>(indices[i]) >= vertexCount) return false;
    return true;
}

bool ReadCaps(ByteSource& source, uint64_t& offset, uint64_t vertexCount, SnapshotGeometry& geometry) {
    for (int64_t k = 0; k < geometry.capCount; ++k) {
        CutCap head;
        uint8_t bytes[kCutCapHeadSize];
        if (!ReadArray(source, offset, bytes, 1, sizeof bytes)) return false;
        GetCapHead(bytes, head);
        if (head.triangleCount < 0 || head.textureWidth < 0 || head.textureHeight < 0) return false;
        const uint64_t corners = static_cast<uint64_t>(head.triangleCount) * 3;
        if (static_cast<uint64_t>(head.triangleCount) > (source.Size() - offset) / 24) return false;
        int64_t* triangles = new int64_t[corners];
        if (geometry.caps == nullptr) geometry.caps = new CutCap;
        CutCap* cap = AppendCap(geometry.caps, triangles, head.triangleCount);
        if (!ReadArray(source, offset, triangles, corners, 8) ||
            !IndicesInRange(triangles, corners, vertexCount))
            return false;
        CutCap* const prev = cap->prev;
        *cap = head;
        cap->prev = prev;
        cap->triangles = triangles;
        const uint64_t texels = uint64_t(head.textureWidth) * uint64_t(head.textureHeight);
        if (texels != 0) {
            if (texels > (source.Size() - offset) / 3) return false;
            cap->pixels = new uint8_t[texels * 3];
            if (!ReadArray(source, offset, cap->pixels, texels, 3)) return false;
        }
    }
    return true;
}

bool ReadSnapshot(ByteSource& source, SnapshotGeometry& geometry) {
    uint8_t header[kSnapshotHeaderSize];
    if (!source.CopyTo(0, sizeof header, header)) return false;
    uint64_t vertexCount, facetCount;
    int64_t normalsCount;
    std::memcpy(&vertexCount, header, 8);
    std::memcpy(&facetCount, header + 8, 8);
    std::memcpy(&normalsCount, header + 16, 8);
    std::memcpy(&geometry.capCount, header + 24, 8);
    std::memcpy(&geometry.centered, header + 32, 4);
    std::memcpy(geometry.centre, header + 36, 12);
    std::memcpy(geometry.boxMax, header + 48, 12);
    std::memcpy(geometry.boxMin, header + 60, 12);
    if (normalsCount != 0 && static_cast<uint64_t>(normalsCount) != vertexCount) return false;
    if (geometry.capCount < 0) return false;
    // Everything counted must be there before anything is allocated; each cap takes at least its head.
    uint64_t left = source.Size() - sizeof header;
    const uint64_t normalsBytes = normalsCount != 0 ? 12 : 0;
    if (vertexCount > left / (12 + normalsBytes)) return false;
    left -= vertexCount * (12 + normalsBytes);
    if (facetCount > left / 24) return false;
    left -= facetCount * 24;
    if (static_cast<uint64_t>(geometry.capCount) > left / kCutCapHeadSize) return false;

    geometry.mesh = new Poly3gon(vertexCount, facetCount);
    if (normalsCount != 0) geometry.normals = new float[vertexCount * 3];
    uint64_t offset = sizeof header;
    return ReadArray(source, offset, geometry.mesh->vertices, vertexCount, 12) &&
           ReadArray(source, offset, geometry.mesh->facets, facetCount, 24) &&
           IndicesInRange(geometry.mesh->facets, facetCount * 3, vertexCount) &&
           (geometry.normals == nullptr || ReadArray(source, offset, geometry.normals, vertexCount, 12)) &&
           ReadCaps(source, offset, vertexCount, geometry);
}

// Releases caps that never reached a record: they own no display lists or textures yet.
class NoGraphics final : public SceneGraphics {
public:
    void DeleteLists(uint32_t, int32_t) override {}
    void DeleteTexture(uint32_t) override {}
    void ShowProgress(int, const std::string&) override {}
};

void ReleaseGeometry(SnapshotGeometry& geometry) {
    NoGraphics none;
    delete geometry.mesh;
    delete[] geometry.normals;
    DestroyCapChain(geometry.caps, none);
    geometry.mesh = nullptr;
    geometry.normals = nullptr;
    geometry.caps = nullptr;
}

}  // namespace

SnapshotGeometry::~SnapshotGeometry() {
    ReleaseGeometry(*this);
}

bool SaveMeshSnapshot(SceneObject& record) {
    if (record.mesh == nullptr) return false;
    std::error_code error;
    std::string path = (std::filesystem::temp_directory_path(error) / "~CMXXXXXX").string();
    if (error || path.size() >= kTextSize) return false;
    const int descriptor = mkstemp(path.data());
    if (descriptor < 0) return false;
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
        unlink(path.c_str());
        return false;
    }
    const bool written = WriteSnapshot(file, record);
    if (std::fclose(file) != 0 || !written) {
        unlink(path.c_str());
        return false;
    }
    SetRecordText(record.backupPath, path.c_str());
    return true;
}

bool DecodeMeshSnapshot(ByteSource& source, SnapshotGeometry& geometry) {
    SnapshotGeometry read;
    bool ok = false;
    try {
        ok = ReadSnapshot(source, read);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) return false;
    ReleaseGeometry(geometry);
    geometry.centered = read.centered;
    std::memcpy(geometry.centre, read.centre, 12);
    std::memcpy(geometry.boxMax, read.boxMax, 12);
    std::memcpy(geometry.boxMin, read.boxMin, 12);
    geometry.capCount = read.capCount;
    std::swap(geometry.mesh, read.mesh);
    std::swap(geometry.normals, read.normals);
    std::swap(geometry.caps, read.caps);
    return true;
}

bool RestoreMeshSnapshot(Scene& scene, int index, SceneGraphics& graphics) {
    if (index < 1 || index >= scene.PlateIndex() || scene.PlateIndex() >= kRecordCount) return false;
    SceneObject& record = scene.objects[index];
    if (record.backupPath[0] == '\0') return false;
    FileSource source;
    std::string reason;
    SnapshotGeometry geometry;
    if (!source.Open(record.backupPath, reason) || !DecodeMeshSnapshot(source, geometry)) return false;

    delete record.mesh;
    delete[] record.normals;
    DestroyCapChain(record.caps, graphics);
    record.mesh = std::exchange(geometry.mesh, nullptr);
    record.normals = std::exchange(geometry.normals, nullptr);
    record.caps = std::exchange(geometry.caps, nullptr);
    // The vertices are stored already shifted by the stored centre: bounds are computed on them as
    // they are, and the centre that leads back to the model's own coordinates is kept.
    record.centered = 0;
    std::memset(record.centre, 0, sizeof record.centre);
    scene.ComputeBounds(index);
    record.centered = geometry.centered;
    std::memcpy(record.centre, geometry.centre, sizeof record.centre);
    // The lists bind the caps' textures, so these come first.
    UploadCapChainTextures(record.caps, graphics);
    graphics.BuildSurfaceLists(index);
    return true;
}
