#include "render/SharedContextThread.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QThread>

#include <GL/gl.h>

#include <utility>

SharedContextThread::SharedContextThread() = default;

SharedContextThread::~SharedContextThread() {
    Wait();
}

void SharedContextThread::Start(std::function<void()> work) {
    QOpenGLContext* current = QOpenGLContext::currentContext();
    if (current == nullptr || thread_ != nullptr || !QOpenGLContext::supportsThreadedOpenGL()) return;
    // Surfaces belong to the user-interface thread; the context moves to the worker and back.
    surface_ = std::make_unique<QOffscreenSurface>();
    surface_->setFormat(current->format());
    surface_->create();
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(current->format());
    context_->setShareContext(current);
    if (!surface_->isValid() || !context_->create() || context_->shareContext() != current) return;
    QThread* home = QThread::currentThread();
    thread_.reset(QThread::create([this, home, work = std::move(work)] {
        if (context_->makeCurrent(surface_.get())) {
            work();
            glFinish();  // lists another context calls must be complete
            context_->doneCurrent();
        }
        context_->moveToThread(home);
    }));
    context_->moveToThread(thread_.get());
    thread_->start();
}

void SharedContextThread::Wait() {
    if (thread_ != nullptr) thread_->wait();
}
