#include "render/GLSceneGraphics.h"

#include <QOpenGLWidget>

#include <GL/gl.h>

#include <utility>

#include "dataset/BuildCapTexture.h"
#include "render/CapTexture.h"
#include "render/GLContextScope.h"
#include "render/SurfaceLists.h"
#include "render/WaitCursor.h"
#include "scene/Scene.h"

GLSceneGraphics::GLSceneGraphics(QOpenGLWidget& view, ProgressSink progress, Scene* scene,
                                 MessageBoxes* messages)
    : view_(view), progress_(std::move(progress)), scene_(scene), messages_(messages) {}

void GLSceneGraphics::DeleteLists(uint32_t base, int32_t count) {
    if (base == 0 || count <= 0) return;
    GLContextScope scope(view_);
    for (int32_t k = 0; k < count; ++k) {
        const uint32_t name = base + static_cast<uint32_t>(k);
        builtUnderPointLight_.erase(name);
        if (const auto found = nested_.find(name); found != nested_.end()) {
            if (scope) glDeleteLists(found->second.first, found->second.second);
            nested_.erase(found);
        }
    }
    if (scope) glDeleteLists(base, count);
}

void GLSceneGraphics::NestLists(uint32_t caller, uint32_t base, int32_t count) {
    nested_[caller] = {base, count};
}

void GLSceneGraphics::DeleteTexture(uint32_t name) {
    if (name == 0) return;
    GLContextScope scope(view_);
    if (scope) glDeleteTextures(1, &name);
}

void GLSceneGraphics::ShowProgress(int percent, const std::string& text) {
    if (!progress_) return;
    progress_(percent, text);
    if (building_) view_.makeCurrent();
}

int GLSceneGraphics::BuildSurfaceLists(int index) {
    if (scene_ == nullptr || messages_ == nullptr || index < 1 || index >= kRecordCount) return 0;
    SceneObject& record = scene_->objects[index];
    if (record.mesh == nullptr) return 0;
    WaitCursor wait;
    GLContextScope scope(view_);
    if (!scope) return 0;
    const bool updatesEnabled = view_.updatesEnabled();
    view_.setUpdatesEnabled(false);
    building_ = true;
    const int built = ::BuildSurfaceLists(record, *this, *messages_);
    if (record.listBase != 0 && !LightIsDirectional()) builtUnderPointLight_.insert(record.listBase);
    building_ = false;
    view_.setUpdatesEnabled(updatesEnabled);
    return built;
}

void GLSceneGraphics::MatchLightKind() {
    if (scene_ == nullptr) return;
    bool directional = true;
    {
        GLContextScope scope(view_);
        if (!scope) return;
        directional = LightIsDirectional();
    }
    for (int index = 1; index < scene_->PlateIndex(); ++index) {
        const SceneObject& record = scene_->objects[index];
        const bool underPointLight = builtUnderPointLight_.contains(record.listBase);
        if (record.mesh != nullptr && record.listBase != 0 && record.surfaceMode <= 1 &&
            underPointLight == directional)
            BuildSurfaceLists(index);
    }
}

void GLSceneGraphics::UploadCapPixels(CutCap& cap) {
    GLContextScope scope(view_);
    if (scope) UploadCapTexture(cap);
}

CapTextureFactors GLSceneGraphics::TextureCap(int index, CutCap& cap, const CapPlateBounds& bounds) {
    if (scene_ == nullptr || messages_ == nullptr) return {};
    GLContextScope scope(view_);
    if (!scope) return {};
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    bool painted;
    {
        WaitCursor wait;
        painted = BuildCapTexture(*scene_, index, cap, bounds, maxSide, *messages_);
    }
    if (!painted) return {};
    view_.makeCurrent();  // a message box may have made another context current
    return UploadCapTexture(cap);
}
