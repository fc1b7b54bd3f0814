#pragma once
// The main frame's keyframes: storing the live scene as the next numbered keyframe (with a mesh
// snapshot per model), counting, loading and applying them, and deleting them all.

#include <string>

class KeyframeHost;
class MessageBoxes;
class Scene;
class SceneGraphics;
class Tones;
struct SceneBlock;

inline constexpr const char* kKeyframeSaveFailedMessage = "Can't save the keyframe";

// The settings a stored keyframe depends on.
struct KeyframeOptions {
    int fogOn = 0;          // 0: the keyframe's fog intensity is stored as 0
    int interpolation = 1;  // 0: models lose `recutOnKeyframe` when stored
    int sound = 1;          // 1: a 1500 Hz tone of 30 ms confirms a stored keyframe
};

class KeyframeRecorder {
public:
    // Keyframes live in `folder` (see KeyframeFolder.h); an empty folder stores nothing.
    KeyframeRecorder(Scene& scene, SceneGraphics& graphics, KeyframeHost& host, MessageBoxes& messages,
                     Tones& tones, std::string folder);

    // Writes the live scene as keyframe KeyframeCount(): each model without a current snapshot (or with
    // `recutOnKeyframe`, which is cut by the plate first) gets one, camera and plate lose their
    // `backupPath`. A snapshot that cannot be written shows kKeyframeSaveFailedMessage and stores
    // nothing; a keyframe file that cannot be written is silent. Either way the count stays.
    void StoreKeyframe(const KeyframeOptions& options);

    // The number of keyframe files in the folder.
    int CountKeyframes() const;

    // Reads keyframe `number` into `target`, or with none applies it to the live scene: record heads
    // are copied, a changed snapshot is restored, a changed `centered` recomputes the bounds, a changed
    // surface mode rebuilds the lists, controllers follow; unless `quiet` the host shows the result.
    // False (nothing changed) when the file cannot be read or is refused.
    bool LoadKeyframe(int number, SceneBlock* target, bool quiet);

    // Deletes all keyframe files and their snapshots; the count and the display go to 0.
    void DeleteAllKeyframes();

    // Number of keyframes stored since the last DeleteAllKeyframes.
    int KeyframeCount() const { return keyframeCount_; }
    const std::string& Folder() const { return folder_; }

private:
    bool SnapshotModels(SceneBlock& block, const KeyframeOptions& options);
    void ApplyHeads(const SceneBlock& block);

    Scene& scene_;
    SceneGraphics& graphics_;
    KeyframeHost& host_;
    MessageBoxes& messages_;
    Tones& tones_;
    std::string folder_;
    int keyframeCount_ = 0;
};

// Copies the live header and all 128 record heads into `block`.
void CopyLiveScene(SceneBlock& block, const Scene& scene);
