#include "render/GLContextScope.h"

#include <QOpenGLContext>
#include <QOpenGLWidget>

GLContextScope::GLContextScope(QOpenGLWidget& widget) : widget_(widget) {
    QOpenGLContext* context = widget.context();
    if (context == nullptr || !context->isValid()) return;
    valid_ = true;
    if (QOpenGLContext::currentContext() != context) {
        widget.makeCurrent();
        madeCurrent_ = true;
    }
}

GLContextScope::~GLContextScope() {
    if (madeCurrent_) widget_.doneCurrent();
}
