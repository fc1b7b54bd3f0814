#pragma once
// The OpenGL view: the single child of the main frame in which the scene is drawn. It owns the
// context, keeps viewport, aspect and controller view sizes in step with its size, and draws the
// whole scene on every paint (FrameRenderer). Mouse and key handling are attached elsewhere.

#include <QOpenGLWidget>

#include <functional>
#include <string>

#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "render/FrameRenderer.h"
#include "render/ImageCube.h"
#include "render/ReadPixels.h"
#include "scene/DisplayState.h"

class CPexoraView : public QOpenGLWidget {
    Q_OBJECT

public:
    // The scene, settings and display state belong to the main frame and must outlive the view; the
    // stage builders change the settings' stageSize and bgMode.
    // rotationIncrement ("RotationIncrement") goes to controllers 1..127 as |value| mod 360;
    // drawBoundingBoxes is "DrawBoundingBoxes". The plate record is the owner's to set up
    // (InitPlateRecord); the view only builds its list.
    CPexoraView(ControlledScene& scene, ProgramSettings& settings, DisplayState& display,
                int rotationIncrement, int drawBoundingBoxes, QWidget* parent = nullptr);
    ~CPexoraView() override;

    // Call once before the QApplication exists (before the first context): 0 forces Mesa's software
    // rasteriser for the process, 1 uses the system's driver. Also sets the default surface format.
    static void ConfigureGLAccelerator(int glAccelerator);

    // Called once, after creation, when acceleration was asked for but the context is a software
    // renderer anyway; the caller shows "Device not supports hardware acceleration" and sets
    // glAccelerator to 0. Delivered through the event loop, never from inside GL initialisation.
    void SetSoftwareRendererNotice(std::function<void()> notice);
    // Receives the three status texts after every eye drawn (panes 1, 2, 3).
    void SetStatusTextSink(StatusTextSink sink);

    // Settings written back by the frame: "RotationIncrement" (controller 1) and "DrawBoundingBoxes".
    int RotationIncrement() const;
    int DrawBoundingBoxes() const;
    void SetDrawBoundingBoxes(int drawBoundingBoxes);
    // 1 while a mouse drag moves the camera or objects (set by the input handling).
    int Moving() const;
    void SetMoving(int moving);

    // Where a relative "Texture" setting is looked up (ProgramDataDirectory of the executable).
    void SetProgramDirectory(const std::string& directory);

    // Constant GL state of the run, the background cube of bgMode (the colour cube for 1, the image
    // cube otherwise), the plate list, the axes list and the glyph lists of the tick labels. Runs on
    // context creation; no-op without a context.
    void InitGLState();
    // Grows the stage and rebuilds the colour cube list. No-op without a context.
    void BuildColourCube();
    // Grows the stage, loads the six pictures (the "Texture" prefix under the program directory,
    // or the built-in faces when it is empty) and rebuilds the image cube list; when a picture is
    // missing the background falls back to fill by colour (bgMode 0), without a message. No-op
    // without a context.
    void LoadImageCube();
    // Hands the scene header's light to GL under the last frame's camera transform; the caller
    // repaints. No-op without a context.
    void ApplyLight();
    // Rebuilds the plate's display list (first call: also sets the plate record up). Returns 0
    // without a context or list name.
    int BuildPlateList();
    // Size change in widget pixels: view size and screenImage (framebuffer pixels), aspect (a zero
    // height gives the width), viewport, and the view size of all 128 controllers.
    void Resize(int width, int height);
    // Draws a frame now and reads it back (framebuffer pixels, bottom-up BGR rows padded to 4).
    // Empty before the view has a context.
    BgrImage ReadPixels();
    // Reads the frame the last paint left in the view's framebuffer, without drawing: for a flight
    // export, which has just drawn the frame it writes. Empty before the view has a context.
    BgrImage ReadShownPixels();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    void InitGLStateCurrent();
    void BuildColourCubeCurrent();
    void LoadImageCubeCurrent();
    BgrImage ReadFramebuffer(bool drawFirst);

    ControlledScene& scene_;
    ProgramSettings& settings_;
    DisplayState& display_;
    FrameRenderer renderer_;
    ImageCube imageCube_;
    std::string programDirectory_;
    std::function<void()> softwareRendererNotice_;
    bool softwareRendererNoticed_ = false;
};
