#pragma once
// A thread of its own with a second OpenGL context that shares display lists with the context current
// on the calling thread, so that lists compile on two cores at once. Made for one build: making it
// takes a few milliseconds.

#include <functional>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QThread;

class SharedContextThread {
public:
    SharedContextThread();
    // Waits for the work to end.
    ~SharedContextThread();
    SharedContextThread(const SharedContextThread&) = delete;
    SharedContextThread& operator=(const SharedContextThread&) = delete;

    // Runs `work` on the thread with the second context current and returns at once. Call it on the
    // user-interface thread with a context current. Without a current context, on a platform without
    // OpenGL on other threads, or when no context sharing its lists can be made current, `work` never
    // runs: it must leave nothing undone that the caller does not finish itself. Everything `work`
    // compiled is finished when Wait() returns.
    void Start(std::function<void()> work);
    void Wait();

private:
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QThread> thread_;
};
