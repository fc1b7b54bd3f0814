#pragma once
// Makes an OpenGL widget's context current for one block, unless it already is (inside a paint),
// and releases it again at the end of the block.

class QOpenGLWidget;

class GLContextScope {
public:
    explicit GLContextScope(QOpenGLWidget& widget);
    ~GLContextScope();
    GLContextScope(const GLContextScope&) = delete;
    GLContextScope& operator=(const GLContextScope&) = delete;

    // False when the widget has no valid context (not yet shown, or already torn down): no GL calls then.
    explicit operator bool() const { return valid_; }

private:
    QOpenGLWidget& widget_;
    bool valid_ = false;
    bool madeCurrent_ = false;
};
