#include "render/GLSceneGraphics.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/render/ViewHarness.h"

namespace {

TEST(GLSceneGraphics, DeletesListsAndTexturesInTheViewContext) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.view->makeCurrent();
    const GLuint lists = glGenLists(3);
    for (GLuint i = 0; i < 3; ++i) {
        glNewList(lists + i, GL_COMPILE);
        glEndList();
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindTexture(GL_TEXTURE_2D, 0);
    h.view->doneCurrent();

    GLSceneGraphics graphics(*h.view, {});
    graphics.DeleteLists(lists, 2);
    graphics.DeleteTexture(texture);
    graphics.DeleteLists(0, 5);  // nothing to do
    graphics.DeleteLists(lists + 2, 0);

    h.view->makeCurrent();
    EXPECT_EQ(glIsList(lists), GL_FALSE);
    EXPECT_EQ(glIsList(lists + 1), GL_FALSE);
    EXPECT_EQ(glIsList(lists + 2), GL_TRUE);
    EXPECT_EQ(glIsTexture(texture), GL_FALSE);
    h.view->doneCurrent();
}

TEST(GLSceneGraphics, ProgressGoesToTheSinkAndNoContextIsHarmless) {
    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    CPexoraView unshown(scene, settings, display, 5, 0, 0);
    int shownPercent = -1;
    std::string shownText;
    GLSceneGraphics graphics(unshown, [&](int percent, const std::string& text) {
        shownPercent = percent;
        shownText = text;
    });
    graphics.ShowProgress(42, "Loading");
    EXPECT_EQ(shownPercent, 42);
    EXPECT_EQ(shownText, "Loading");
    graphics.DeleteLists(1, 1);
    graphics.DeleteTexture(1);

    GLSceneGraphics silent(unshown, {});
    silent.ShowProgress(10, "Optimizing");
}

}  // namespace
