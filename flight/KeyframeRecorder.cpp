#include "flight/KeyframeRecorder.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "flight/BlockHeads.h"
#include "flight/KeyframeHost.h"
#include "flight/KeyframeStore.h"
#include "flight/MeshSnapshot.h"
#include "flight/SceneBlock.h"
#include "geometry/CutByPlate.h"
#include "platform/MessageBoxes.h"
#include "platform/Tones.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"

namespace {

std::unique_ptr<SceneBlock> NewBlock() {
    return std::unique_ptr<SceneBlock>(new (std::nothrow) SceneBlock);
}

}  // namespace

void CopyLiveScene(SceneBlock& block, const Scene& scene) {
    block.state = scene.state;
    for (int i = 0; i < kRecordCount; ++i)
        CopyRecordHead(block.heads[i], scene.objects[i]);
}

KeyframeRecorder::KeyframeRecorder(Scene& scene, SceneGraphics& graphics, KeyframeHost& host,
                                   MessageBoxes& messages, Tones& tones, std::string folder)
    : scene_(scene),
      graphics_(graphics),
      host_(host),
      messages_(messages),
      tones_(tones),
      folder_(std::move(folder)) {}

bool KeyframeRecorder::SnapshotModels(SceneBlock& block, const KeyframeOptions& options) {
    const int count = scene_.state.count;
    bool repaint = false;
    for (int j = 0; j <= count && j < kRecordCount; ++j) {
        SceneObject& record = scene_.objects[j];
        if (j > 0 && j < count) {
            if (options.interpolation == 0) record.recutOnKeyframe = 0;
            const bool reuse = record.backupPath[0] != '\0' && record.recutOnKeyframe == 0;
            if (!reuse) {
                if (record.recutOnKeyframe != 0) {
                    CutByPlate(scene_, j, graphics_);
                    graphics_.BuildSurfaceLists(j);
                    repaint = true;
                }
                // A model without geometry has nothing to keep; its head is stored as it is.
                if (record.mesh != nullptr && !SaveMeshSnapshot(record)) {
                    messages_.Warn(kKeyframeSaveFailedMessage);
                    return false;
                }
            }
        } else {
            SetRecordText(record.backupPath, "");
        }
        CopyRecordHead(block.heads[j], record);
        if (repaint) host_.RepaintNow();
    }
    return true;
}

void KeyframeRecorder::StoreKeyframe(const KeyframeOptions& options) {
    const auto block = NewBlock();
    if (!block) return;
    CopyLiveScene(*block, scene_);
    if (!SnapshotModels(*block, options)) return;
    if (options.sound != 0) tones_.Beep(1500, 30);
    if (options.fogOn == 0) block->state.fogIntensity = 0;
    if (folder_.empty() || !WriteKeyframeFile(folder_, keyframeCount_, *block)) return;
    ++keyframeCount_;
    host_.SetKeyframeDisplay(keyframeCount_);
}

int KeyframeRecorder::CountKeyframes() const {
    return folder_.empty() ? 0 : ::CountKeyframes(folder_);
}

void KeyframeRecorder::ApplyHeads(const SceneBlock& block) {
    const int count = scene_.state.count;
    for (int i = 0; i <= count; ++i) {
        const SceneObject* head = BlockHead(block, i, count);
        if (head == nullptr) continue;
        SceneObject& record = scene_.objects[i];
        const bool snapshotChanged = std::strcmp(record.backupPath, head->backupPath) != 0;
        const bool centeredChanged = record.centered != head->centered;
        const bool modeChanged = record.surfaceMode != head->surfaceMode;
        char earlierSnapshot[kTextSize];
        std::memcpy(earlierSnapshot, record.backupPath, kTextSize);
        CopyRecordHead(record, *head);
        // A snapshot that cannot be read leaves the geometry, and with it the snapshot that describes
        // it; its centring then still follows the head.
        const bool model = i > 0 && i < count;
        const bool restored = snapshotChanged && model && RestoreMeshSnapshot(scene_, i, graphics_);
        if (snapshotChanged && model && !restored) std::memcpy(record.backupPath, earlierSnapshot, kTextSize);
        if (!restored && centeredChanged) scene_.ComputeBounds(i);
        if (!restored && (centeredChanged || modeChanged)) graphics_.BuildSurfaceLists(i);
        host_.LoadController(i);
    }
}

bool KeyframeRecorder::LoadKeyframe(int number, SceneBlock* target, bool quiet) {
    if (folder_.empty()) return false;
    if (target != nullptr) return ReadKeyframeFile(folder_, number, *target);
    const auto block = NewBlock();
    if (!block || !ReadKeyframeFile(folder_, number, *block)) return false;
    // The live count stays: heads are applied to the live records they stand for (BlockHeads.h).
    const int32_t liveCount = scene_.state.count;
    scene_.state = block->state;
    scene_.state.count = liveCount;
    ApplyHeads(*block);
    if (!quiet) host_.ShowAppliedKeyframe();
    return true;
}

void KeyframeRecorder::DeleteAllKeyframes() {
    keyframeCount_ = 0;
    if (!folder_.empty()) DeleteKeyframeFiles(folder_);
    host_.SetKeyframeDisplay(0);
}
