#include "render/CPexoraView.h"

#include <QMetaObject>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "render/AxesList.h"
#include "render/ColourCube.h"
#include "render/GLContextConfig.h"
#include "render/GLContextScope.h"
#include "render/GLState.h"
#include "render/GlyphLists.h"
#include "render/PlateList.h"
#include "scene/StageGrowth.h"

namespace {

// What ConfigureGLAccelerator was told: the software-renderer notice is for a refused acceleration only.
int requestedAccelerator = 0;

// |value| mod 360 without overflowing on the most negative int.
int32_t RotationStep(int value) {
    return static_cast<int32_t>(std::llabs(static_cast<long long>(value)) % 360);
}

float ViewAspect(int width, int height) {
    if (height == 0) return static_cast<float>(width);
    return static_cast<float>(static_cast<double>(width) / static_cast<double>(height));
}

}  // namespace

CPexoraView::CPexoraView(ControlledScene& scene, ProgramSettings& settings, DisplayState& display,
                         int rotationIncrement, int drawBoundingBoxes, QWidget* parent)
    : QOpenGLWidget(parent),
      scene_(scene),
      settings_(settings),
      display_(display),
      renderer_(scene, settings, display) {
    setFormat(PexoraGLFormat());
    for (int i = 1; i < kRecordCount; ++i)
        scene_.controllers[i].keyStepDeg = RotationStep(rotationIncrement);
    renderer_.drawBoxesWhenMoving = drawBoundingBoxes;
    renderer_.moving = 0;
}

CPexoraView::~CPexoraView() = default;

void CPexoraView::ConfigureGLAccelerator(int glAccelerator) {
    requestedAccelerator = glAccelerator;
    if (glAccelerator == 0) setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    QSurfaceFormat::setDefaultFormat(PexoraGLFormat());
}

void CPexoraView::SetSoftwareRendererNotice(std::function<void()> notice) {
    softwareRendererNotice_ = std::move(notice);
}

void CPexoraView::SetStatusTextSink(StatusTextSink sink) {
    renderer_.statusText = std::move(sink);
}

int CPexoraView::RotationIncrement() const {
    return scene_.controllers[1].keyStepDeg;
}

int CPexoraView::DrawBoundingBoxes() const {
    return renderer_.drawBoxesWhenMoving;
}

void CPexoraView::SetDrawBoundingBoxes(int drawBoundingBoxes) {
    renderer_.drawBoxesWhenMoving = drawBoundingBoxes;
}

int CPexoraView::Moving() const {
    return renderer_.moving;
}

void CPexoraView::SetMoving(int moving) {
    renderer_.moving = moving;
}

void CPexoraView::SetProgramDirectory(const std::string& directory) {
    programDirectory_ = directory;
}

void CPexoraView::InitGLState() {
    GLContextScope scope(*this);
    if (scope) InitGLStateCurrent();
}

void CPexoraView::InitGLStateCurrent() {
    ApplyConstantGLState();
    if (settings_.bgMode == 1) {
        BuildColourCubeCurrent();
    } else {
        // Also in fill mode, so that switching to the image cube later finds it ready.
        LoadImageCubeCurrent();
    }
    BuildPlateDisplayList(scene_);
    // A changed arrow length takes effect at the next start, as the list is built here only.
    display_.axesList = BuildAxesList(display_.axesList, settings_.arrowLength);
    BuildGlyphLists(font());
}

void CPexoraView::BuildColourCube() {
    GLContextScope scope(*this);
    if (scope) BuildColourCubeCurrent();
}

void CPexoraView::BuildColourCubeCurrent() {
    GrowStage(scene_, settings_.stageSize);
    display_.backgroundList =
        BuildColourCubeList(display_.backgroundList, settings_.stageSize, settings_.cubeColor);
}

void CPexoraView::LoadImageCube() {
    GLContextScope scope(*this);
    if (scope) LoadImageCubeCurrent();
}

void CPexoraView::LoadImageCubeCurrent() {
    GrowStage(scene_, settings_.stageSize);
    const std::optional<CubeFacePictures> pictures =
        LoadCubeFacePictures(programDirectory_, settings_.texture);
    if (!pictures) {
        // Missing pictures are no error worth a message: the stage is simply filled by colour.
        settings_.bgMode = 0;
        return;
    }
    imageCube_.SetPictures(*pictures);
    display_.backgroundList = imageCube_.BuildList(display_.backgroundList, settings_.stageSize);
}

void CPexoraView::ApplyLight() {
    GLContextScope scope(*this);
    if (scope) ApplyLightUnder(scene_.state, renderer_.LastModelView());
}

int CPexoraView::BuildPlateList() {
    GLContextScope scope(*this);
    if (!scope) return 0;
    return BuildPlateDisplayList(scene_);
}

void CPexoraView::Resize(int width, int height) {
    // Widget pixels for the mouse-driven controllers, framebuffer pixels for everything GL sees.
    const qreal ratio = devicePixelRatioF();
    const int pixelWidth = std::max(0, qRound(width * ratio));
    const int pixelHeight = std::max(0, qRound(height * ratio));
    display_.viewWidth = pixelWidth;
    display_.viewHeight = pixelHeight;
    display_.screenImage.assign(BgrStride(pixelWidth) * static_cast<size_t>(pixelHeight), 0);
    scene_.state.aspect = ViewAspect(pixelWidth, pixelHeight);
    {
        GLContextScope scope(*this);
        if (scope) glViewport(0, 0, pixelWidth, pixelHeight);
    }
    for (CBallController& controller : scene_.controllers)
        controller.SetViewSize(width, height);
}

BgrImage CPexoraView::ReadPixels() {
    return ReadFramebuffer(true);
}

BgrImage CPexoraView::ReadShownPixels() {
    return ReadFramebuffer(false);
}

BgrImage CPexoraView::ReadFramebuffer(bool drawFirst) {
    BgrImage image;
    GLContextScope scope(*this);
    if (!scope) return image;
    makeCurrent();  // binds the widget's framebuffer even when the context was current already
    if (drawFirst) {
        glViewport(0, 0, display_.viewWidth, display_.viewHeight);
        renderer_.DrawScene();
    }
    image.bytes.assign(BgrStride(display_.viewWidth) * static_cast<size_t>(std::max(0, display_.viewHeight)),
                       0);
    if (ReadFramebufferBgr(display_.viewWidth, display_.viewHeight, image.bytes.data(), image.bytes.size())) {
        image.width = display_.viewWidth;
        image.height = display_.viewHeight;
    } else {
        image.bytes.clear();
    }
    return image;
}

void CPexoraView::initializeGL() {
    InitGLStateCurrent();
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (requestedAccelerator != 0 && IsSoftwareRenderer(renderer) && !softwareRendererNoticed_) {
        softwareRendererNoticed_ = true;
        // A message box must not open while GL is being initialised: deliver it from the event loop.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (softwareRendererNotice_) softwareRendererNotice_();
            },
            Qt::QueuedConnection);
    }
}

void CPexoraView::resizeGL(int width, int height) {
    Resize(width, height);
}

void CPexoraView::paintGL() {
    renderer_.DrawScene();
}
