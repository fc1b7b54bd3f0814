#include "render/SharedContextThread.h"

#include <gtest/gtest.h>

#include <QThread>

#include <atomic>

#include "tests/render/ViewHarness.h"

namespace {

TEST(SharedContextThread, WorkRunsOnAThreadOfItsOwnAndCompilesListsTheViewCalls) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.view->makeCurrent();
    const GLuint list = glGenLists(1);
    QThread* worker = nullptr;
    {
        SharedContextThread thread;
        thread.Start([&] {
            worker = QThread::currentThread();
            glNewList(list, GL_COMPILE);
            glColor3f(0.25f, 0.5f, 1.0f);
            glEndList();
        });
        thread.Wait();
    }
    EXPECT_NE(worker, nullptr);
    EXPECT_NE(worker, QThread::currentThread());
    // The list is complete and belongs to the view's context too: calling it sets the colour.
    EXPECT_EQ(glIsList(list), GL_TRUE);
    glColor3f(0.0f, 0.0f, 0.0f);
    glCallList(list);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    glDeleteLists(list, 1);
    h.view->doneCurrent();

    // Without a current context the work never runs.
    std::atomic<bool> ran{false};
    SharedContextThread none;
    none.Start([&ran] { ran = true; });
    none.Wait();
    EXPECT_FALSE(ran);
}

}  // namespace
