#include "render/GLSceneGraphics.h"

#include <QOpenGLWidget>

#include <GL/gl.h>

#include <utility>

#include "render/GLContextScope.h"

GLSceneGraphics::GLSceneGraphics(QOpenGLWidget& view, ProgressSink progress)
    : view_(view), progress_(std::move(progress)) {}

void GLSceneGraphics::DeleteLists(uint32_t base, int32_t count) {
    if (base == 0 || count <= 0) return;
    GLContextScope scope(view_);
    if (scope) glDeleteLists(base, count);
}

void GLSceneGraphics::DeleteTexture(uint32_t name) {
    if (name == 0) return;
    GLContextScope scope(view_);
    if (scope) glDeleteTextures(1, &name);
}

void GLSceneGraphics::ShowProgress(int percent, const std::string& text) {
    if (progress_) progress_(percent, text);
}
