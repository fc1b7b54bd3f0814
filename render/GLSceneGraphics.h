#pragma once
// The GPU side of the scene operations for the view's context. Progress display belongs to the
// main frame's status bar, so it is handed on to a sink the application provides.

#include <functional>
#include <string>

#include "scene/SceneGraphics.h"

class QOpenGLWidget;

class GLSceneGraphics : public SceneGraphics {
public:
    using ProgressSink = std::function<void(int percent, const std::string& text)>;

    // `view` owns the context the lists and textures live in and must outlive this object.
    GLSceneGraphics(QOpenGLWidget& view, ProgressSink progress);

    // Both make the view's context current; without a context there is nothing to delete.
    void DeleteLists(uint32_t base, int32_t count) override;
    void DeleteTexture(uint32_t name) override;
    // Forwarded to the sink (nothing when it is empty).
    void ShowProgress(int percent, const std::string& text) override;

private:
    QOpenGLWidget& view_;
    ProgressSink progress_;
};
