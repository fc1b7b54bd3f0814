#pragma once
// The frame pass of the view: opacity order, one eye or a red/cyan pair, each eye with projection,
// camera, fog, background and objects, then the status texts and the orientation copies.
// Issues only state changes and list calls and allocates nothing; needs the context current and
// the target framebuffer bound.

#include <cstdint>
#include <functional>

#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "render/ObjectPass.h"
#include "render/StatusTexts.h"
#include "scene/DisplayState.h"

// Receives a status-bar text for pane 1, 2 or 3; the text is valid only during the call.
using StatusTextSink = std::function<void(int pane, const char* text)>;

class FrameRenderer {
public:
    FrameRenderer(ControlledScene& scene, const ProgramSettings& settings, DisplayState& display);

    // Draws the whole scene and keeps the model-view matrix it leaves behind.
    void DrawScene();
    // Camera transform of the last frame (identity before the first): what ApplyLight gives the light under.
    const double (&LastModelView() const)[16] { return lastModelView_; }

    int moving = 0;               // 1 while a drag moves the camera or objects
    int drawBoxesWhenMoving = 0;  // "DrawBoundingBoxes": only boxes while dragging transparent scenes
    StatusTextSink statusText;    // may be empty

private:
    void RenderEye(double eye);  // stereo separation in degrees; 0 without stereo
    void CaptureBackground(double eye);
    void WriteStatus();
    void Send(int pane);

    ControlledScene& scene_;
    const ProgramSettings& settings_;
    DisplayState& display_;
    ObjectPass objects_;
    uint8_t drawOrder_[kRecordCount] = {};
    double lastModelView_[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    char text_[kStatusTextSize] = {};
};
