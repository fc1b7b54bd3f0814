#pragma once
// The GPU side of the scene operations for the view's context. Progress display belongs to the
// main frame's status bar, so it is handed on to a sink the application provides.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "scene/SceneGraphics.h"

class MessageBoxes;
class QOpenGLWidget;
class Scene;

class GLSceneGraphics : public SceneGraphics {
public:
    using ProgressSink = std::function<void(int percent, const std::string& text)>;

    // `view` owns the context the lists and textures live in and must outlive this object; so must
    // `scene` and `messages`, which surface list builds need (without them nothing is built).
    GLSceneGraphics(QOpenGLWidget& view, ProgressSink progress, Scene* scene = nullptr,
                    MessageBoxes* messages = nullptr);

    // Both make the view's context current; without a context there is nothing to delete.
    void DeleteLists(uint32_t base, int32_t count) override;
    void NestLists(uint32_t caller, uint32_t base, int32_t count) override;
    void DeleteTexture(uint32_t name) override;
    // Forwarded to the sink (nothing when it is empty). The sink may pump events, which can make
    // another context current: during a list build the view's context is made current again.
    void ShowProgress(int percent, const std::string& text) override;
    // Builds the lists of model record `index` (1..126) with the view's context current and the wait
    // cursor shown; the view is not painted meanwhile, as a paint would land in the list being
    // compiled, and is repainted afterwards. Returns 0 for a record without mesh, an index that is no model
    // record, no scene, or a view without context (the record's counts are then left as they were),
    // otherwise 1.
    int BuildSurfaceLists(int index) override;
    // After the light changed: rebuilds the lists of the models without vertex normals (surface modes
    // 0 and 1) that were built under the other kind of light (see LightIsDirectional).
    void MatchLightKind();
    // Paints the cap from the record's dataset with the wait cursor shown and uploads it into the
    // view's context; factors 1 without scene, message service or context.
    CapTextureFactors TextureCap(int index, CutCap& cap, const CapPlateBounds& bounds) override;
    // Uploads into the view's context; nothing without one.
    void UploadCapPixels(CutCap& cap) override;

private:
    QOpenGLWidget& view_;
    ProgressSink progress_;
    Scene* scene_;
    MessageBoxes* messages_;
    bool building_ = false;
    std::unordered_map<uint32_t, std::pair<uint32_t, int32_t>> nested_;  // caller: first and count
    std::unordered_set<uint32_t> builtUnderPointLight_;                  // first surface lists
};
