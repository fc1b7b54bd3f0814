#include "persistence/SceneFile.h"

#include <array>
#include <cstring>
#include <type_traits>

#include "import/ByteSource.h"
#include "import/SafeFileWriter.h"

namespace {

// One stored value at a fixed offset of a block: the block image is built and taken apart field by
// field, so no in-memory padding or pointer ever reaches a file.
class BlockWriter {
public:
    explicit BlockWriter(uint8_t* block) : block_(block) {}
    template <typename T>
    void Put(size_t offset, const T& value) {
        if constexpr (std::is_array_v<T>) {
            for (size_t i = 0; i < std::extent_v<T>; ++i)
                Put(offset + i * sizeof value[0], value[i]);
        } else {
            static_assert(std::is_arithmetic_v<T>);
            std::memcpy(block_ + offset, &value, sizeof value);
        }
    }

private:
    uint8_t* block_;
};

class BlockReader {
public:
    explicit BlockReader(const uint8_t* block) : block_(block) {}
    template <typename T>
    void Get(size_t offset, T& value) const {
        if constexpr (std::is_array_v<T>) {
            for (size_t i = 0; i < std::extent_v<T>; ++i)
                Get(offset + i * sizeof value[0], value[i]);
        } else {
            static_assert(std::is_arithmetic_v<T>);
            std::memcpy(&value, block_ + offset, sizeof value);
        }
    }
    // A stored text is taken up to its first zero, at most 259 bytes, and always ends in zero.
    void GetText(size_t offset, char (&text)[kTextSize]) const {
        std::memcpy(text, block_ + offset, kTextSize - 1);
        text[kTextSize - 1] = '\0';
    }

private:
    const uint8_t* block_;
};

template <typename Access>
void HeaderFields(Access&& field, auto& state) {
    field(0, state.cameraDistance);
    field(8, state.fogIntensity);
    field(12, state.lightPosition);
    field(28, state.lightColour);
    field(44, state.count);
    field(48, state.fieldOfView);
    field(52, state.aspect);
}

// Every stored record field except the texts and those that only mean something in the run that
// wrote the file (mesh, normals, caps, listBase, listCount).
template <typename Access>
void RecordNumbers(Access&& field, auto& record) {
    field(0, record.visible);
    field(4, record.centered);
    field(8, record.optimized);
    field(12, record.colour);
    field(16, record.diffuse);
    field(20, record.reflection);
    field(24, record.emission);
    field(28, record.surfaceMode);
    field(32, record.position);
    field(44, record.scale);
    field(48, record.showAxes);
    field(52, record.showBox);
    field(56, record.recutOnKeyframe);
    field(60, record.capFill);
    field(64, record.rotation);
    field(104, record.lastCutKey);
    field(136, record.quaternion);
    field(412, record.pixelSize);
    field(416, record.postfixLength);
    field(420, record.unit);
    field(424, record.tickFactor);
    field(456, record.movable);
    field(460, record.fileType);
    field(464, record.vertexCount);
    field(472, record.facetCount);
    field(1268, record.topCut);
    field(1272, record.centre);
    field(1284, record.boxMin);
    field(1296, record.boxMax);
}

constexpr size_t kTextOffsets[4] = {152, 480, 740, 1000};  // backupPath, name, location, datasetPath

template <typename Record>
auto TextFields(Record& record) {
    return std::to_array({&record.backupPath, &record.name, &record.location, &record.datasetPath});
}

void PutColour(uint8_t* at, uint32_t colour) {
    at[0] = static_cast<uint8_t>(colour);
    at[1] = static_cast<uint8_t>(colour >> 8);
    at[2] = static_cast<uint8_t>(colour >> 16);
    at[3] = 0;
}

uint32_t GetColour(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16;
}

void EncodeRecord(const SceneObject& record, uint8_t* block) {
    BlockWriter writer(block);
    RecordNumbers([&](size_t offset, const auto& value) { writer.Put(offset, value); }, record);
    const auto texts = TextFields(record);
    for (size_t i = 0; i < texts.size(); ++i) {
        const char* text = *texts[i];
        std::memcpy(block + kTextOffsets[i], text, strnlen(text, kTextSize - 1));
    }
}

void DecodeRecord(const uint8_t* block, SceneObject& record) {
    const BlockReader reader(block);
    RecordNumbers([&](size_t offset, auto& value) { reader.Get(offset, value); }, record);
    const auto texts = TextFields(record);
    for (size_t i = 0; i < texts.size(); ++i)
        reader.GetText(kTextOffsets[i], *texts[i]);
    record.mesh = nullptr;
    record.normals = nullptr;
    record.caps = nullptr;
    record.listBase = 0;
    record.listCount = 1;
}

}  // namespace

std::vector<uint8_t> EncodeSceneFile(const SceneState& state, const StageBlock& stage,
                                     const SceneObject* records) {
    std::vector<uint8_t> bytes(SceneFileSize(state.count), 0);
    BlockWriter header(bytes.data());
    HeaderFields([&](size_t offset, const auto& value) { header.Put(offset, value); }, state);
    uint8_t* block = bytes.data() + kSceneHeaderSize;
    BlockWriter writer(block);
    writer.Put(0, stage.bgMode);
    writer.Put(2, stage.bbMode);
    PutColour(block + 4, stage.stageColor);
    PutColour(block + 8, stage.cubeColor);
    writer.Put(12, stage.stageSize);
    writer.Put(16, stage.lookAt);
    for (int32_t i = 0; i <= state.count; ++i)
        EncodeRecord(records[i], bytes.data() + kSceneRecordsOffset + size_t(i) * kRecordSize);
    return bytes;
}

bool DecodeSceneFile(const uint8_t* bytes, size_t size, SceneFileContent& content) {
    if (size < kSceneRecordsOffset) return false;
    SceneState state;
    const BlockReader header(bytes);
    HeaderFields([&](size_t offset, auto& value) { header.Get(offset, value); }, state);
    if (state.count < 1 || state.count > kMaxSceneFileCount) return false;
    if (size < SceneFileSize(state.count)) return false;

    StageBlock stage;
    const uint8_t* block = bytes + kSceneHeaderSize;
    const BlockReader reader(block);
    reader.Get(0, stage.bgMode);
    reader.Get(2, stage.bbMode);
    stage.stageColor = GetColour(block + 4);
    stage.cubeColor = GetColour(block + 8);
    reader.Get(12, stage.stageSize);
    reader.Get(16, stage.lookAt);

    std::vector<SceneObject> records(size_t(state.count) + 1);
    for (size_t i = 0; i < records.size(); ++i)
        DecodeRecord(bytes + kSceneRecordsOffset + i * kRecordSize, records[i]);
    content.state = state;
    content.stage = stage;
    content.records = std::move(records);
    return true;
}

bool ReadSceneFile(const std::string& path, SceneFileContent& content, std::string& reason) {
    FileSource source;
    if (!source.Open(path, reason)) return false;
    // The count decides how much to read, so a file promising more than it holds is refused before
    // anything is allocated for it.
    const uint8_t* head = source.View(0, kSceneRecordsOffset);
    if (!head) {
        reason = "file too short";
        return false;
    }
    int32_t count = 0;
    std::memcpy(&count, head + 44, sizeof count);
    if (count < 1 || count > kMaxSceneFileCount) {
        reason = "bad object count";
        return false;
    }
    if (source.Size() < SceneFileSize(count)) {
        reason = "file too short";
        return false;
    }
    std::vector<uint8_t> bytes(SceneFileSize(count));
    if (!source.CopyTo(0, bytes.size(), bytes.data())) {
        reason = "read error";
        return false;
    }
    if (!DecodeSceneFile(bytes.data(), bytes.size(), content)) {
        reason = "not a scene file";
        return false;
    }
    return true;
}

bool WriteSceneFile(const std::string& path, const SceneState& state, const StageBlock& stage,
                    const SceneObject* records) {
    const std::vector<uint8_t> bytes = EncodeSceneFile(state, stage, records);
    return SaveWholeFile(path, bytes.data(), bytes.size());
}
