#pragma once
// The object part of one eye: bounding boxes, the records in transparency order, and the axes on
// top. Issues only state changes and list calls; needs the view's context current.

#include <cstdint>

#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "scene/DisplayState.h"

class ObjectPass {
public:
    ObjectPass(const ControlledScene& scene, const ProgramSettings& settings, const DisplayState& display);

    // Draws with transparency mode -1 (all opaque), 0 (blended twice: first without depth writes,
    // then with them) or 1 (blended once while moving). With drawBoxesWhenMoving set and mode 1,
    // only the boxes of every visible record are drawn.
    void Draw(const uint8_t (&drawOrder)[kRecordCount], int mode, int drawBoxesWhenMoving) const;

private:
    void DrawInOrder(const uint8_t (&drawOrder)[kRecordCount]) const;
    void DrawObject(int index) const;
    void DrawBoxesAndAxes(bool onlyFlagged) const;
    void DrawAxesOnTop() const;
    void ApplyTransform(int index) const;
    void CallAxesList() const;

    const ControlledScene& scene_;
    const ProgramSettings& settings_;
    const DisplayState& display_;
};
