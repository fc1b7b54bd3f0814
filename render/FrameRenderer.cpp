#include "render/FrameRenderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "render/DrawOrder.h"
#include "render/ReadPixels.h"

FrameRenderer::FrameRenderer(ControlledScene& scene, const ProgramSettings& settings, DisplayState& display)
    : scene_(scene), settings_(settings), display_(display), objects_(scene, settings, display) {}

void FrameRenderer::DrawScene() {
    SortByOpacity(scene_, drawOrder_);
    if (display_.stereo != 0) {
        // Both eyes clear and draw only their own channels: the left image red, the right cyan.
        glColorMask(GL_TRUE, GL_FALSE, GL_FALSE, GL_TRUE);
        RenderEye(-static_cast<double>(settings_.stereoAngle));
        glColorMask(GL_FALSE, GL_TRUE, GL_TRUE, GL_TRUE);
        RenderEye(static_cast<double>(settings_.stereoAngle));
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    } else {
        RenderEye(0.0);
    }
    // Qt composes the widget's framebuffer after the paint, so there is no buffer swap here.
    glGetDoublev(GL_MODELVIEW_MATRIX, lastModelView_);
}

void FrameRenderer::RenderEye(double eye) {
    if (settings_.bgMode == 0) {
        const uint32_t colour = settings_.stageColor;  // 0x00BBGGRR
        glClearColor(static_cast<float>(colour & 0xFF) / 255.0f,
                     static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                     static_cast<float>((colour >> 16) & 0xFF) / 255.0f, 1.0f);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(scene_.state.fieldOfView, scene_.state.aspect, 1.0, 100000.0);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float stage = static_cast<float>(settings_.stageSize);
    const float rise = settings_.lookAt != 0 ? stage / 50.0f : 0.0f;  // "View from rising ground"
    gluLookAt(0.0, rise, stage / 10.0f, 0.0, rise, -stage / 10.0f, 0.0, 1.0, 0.0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);

    const int mode = TransparencyMode(scene_, moving);

    if ((display_.fogOn != 0 || display_.playing != 0) && scene_.state.fogIntensity != 0) {
        glEnable(GL_FOG);
        glFogf(GL_FOG_DENSITY, static_cast<float>(scene_.state.fogIntensity * 0.00001));
    } else {
        glDisable(GL_FOG);
    }

    // The stage half size is an integer division, truncating toward zero.
    glTranslated(0.0, 0.0, -scene_.state.cameraDistance - settings_.stageSize / 2);
    glRotated(eye * 0.5, 0.0, 1.0, 0.0);
    glMultMatrixf(scene_.controllers[0].CurrentMatrix().m);

    if ((settings_.bgMode == 1 || settings_.bgMode == 2) && glIsList(display_.backgroundList) == GL_TRUE) {
        glCallList(display_.backgroundList);
    }
    if (display_.playing != 0) CaptureBackground(eye);

    objects_.Draw(drawOrder_, mode, drawBoxesWhenMoving);
    WriteStatus();
}

// During a flight the fades need the background without objects; a stereo eye leaves it black.
void FrameRenderer::CaptureBackground(double eye) {
    std::vector<uint8_t>& image = display_.screenImage;
    if (eye == 0.0) {
        ReadFramebufferBgr(display_.viewWidth, display_.viewHeight, image.data(), image.size());
    } else if (!image.empty()) {
        std::memset(image.data(), 0, image.size());
    }
}

void FrameRenderer::WriteStatus() {
    FormatPositionText(scene_, text_);
    Send(kPositionPane);
    FormatModelsText(scene_, text_);
    Send(kModelsPane);
    if (display_.playing == 0) {
        const int plate = PlateIndexInRange(scene_);
        for (int i = 0; i <= plate; ++i)
            CopyControllerToRecord(scene_.controllers[i], scene_.objects[i]);
    }
    FormatCameraText(scene_, text_);
    Send(kCameraPane);
}

void FrameRenderer::Send(int pane) {
    if (statusText) statusText(pane, text_);
}
