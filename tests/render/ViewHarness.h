#pragma once
// A real CPexoraView in a shown top-level window over a fresh scene, with helpers to put simple
// flat test objects on the stage and to read rendered pixels as red, green, blue.

#include <QCoreApplication>
#include <QEvent>
#include <QOpenGLWidget>
#include <QTest>
#include <QWidget>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>

#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "render/CPexoraView.h"
#include "render/PlateRecord.h"
#include "scene/DisplayState.h"

inline constexpr int kViewSize = 64;

struct ViewHarness {
    // `beforeShow` runs on the view before its context exists (for notices of the first initialisation).
    explicit ViewHarness(int plateVisible = 0, const std::function<void(CPexoraView&)>& beforeShow = {}) {
        InitPlateExtent(scene, settings);
        InitPlateRecord(scene.objects[scene.PlateIndex()], plateVisible);
        view = new CPexoraView(scene, settings, display, 5, 0, &window);
        if (beforeShow) beforeShow(*view);
        view->setGeometry(0, 0, kViewSize, kViewSize);
        window.resize(kViewSize, kViewSize);
        window.show();
        ready = QTest::qWaitForWindowExposed(&window) && view->context() != nullptr;
    }

    // A model record whose single list is a square of half-size `half` in the z = 0 plane facing +z,
    // drawn fully emissive in `grey` (so lighting cannot change it) unless `emission` says otherwise.
    int AddSquare(float half, uint8_t grey, float emission = 1.0f) {
        const GLuint list = CompileSquare(half);
        const int index = scene.AddModelSlot();
        SceneObject& record = scene.objects[index];
        record.visible = 1;
        record.vertexCount = 4;
        record.facetCount = 2;
        record.listBase = list;
        record.colour[0] = record.colour[1] = record.colour[2] = grey;
        record.colour[3] = 255;
        record.diffuse = 1.0f;
        record.emission = emission;
        record.reflection = 0.0f;
        return index;
    }

    // A new display list with a square of half-size `half` in the z = 0 plane, normal +z.
    GLuint CompileSquare(float half) {
        view->makeCurrent();
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glBegin(GL_QUADS);
        glNormal3f(0.0f, 0.0f, 1.0f);
        glVertex3f(-half, -half, 0.0f);
        glVertex3f(half, -half, 0.0f);
        glVertex3f(half, half, 0.0f);
        glVertex3f(-half, half, 0.0f);
        glEnd();
        glEndList();
        view->doneCurrent();
        return list;
    }

    // Paints the view now, as the frame's RepaintNow does (repaint() may be put off by a composed window).
    void PaintNow() {
        view->update();
        QCoreApplication::sendPostedEvents(view->window(), QEvent::UpdateRequest);
    }

    // Red, green, blue of the pixel x columns from the left and y rows from the top.
    static std::array<int, 3> Rgb(const BgrImage& image, int x, int y) {
        const uint8_t* p = image.PixelFromTop(x, y);
        return {p[2], p[1], p[0]};
    }

    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    QWidget window;
    CPexoraView* view = nullptr;  // owned by window
    bool ready = false;
};

// A turn of the camera (controller 0) by `degrees` about the x or y axis; refreshes `matrix` too.
inline void TurnController(CBallController& controller, float degrees, bool aboutX) {
    const float half = degrees * 0.5f * 3.14159265f / 180.0f;
    controller.orientation = aboutX ? Quaternion{std::cos(half), std::sin(half), 0.0f, 0.0f}
                                    : Quaternion{std::cos(half), 0.0f, std::sin(half), 0.0f};
    controller.EndDrag();
}
