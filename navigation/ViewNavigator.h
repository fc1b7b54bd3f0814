#pragma once
// The view's input handling: what a mouse drag, a double-click, a wheel turn or a key press does to
// the camera and the movable objects, in Move Camera (moveObjects 0) or Move Object(s) mode.
// Changes go into the controllers, the records' position and scale and cameraDistance; each handler
// returns whether to repaint, what to do with the mouse capture and which tone to play.

#include <cstdint>

#include "navigation/NavigationInput.h"

class ControlledScene;
struct DisplayState;
struct ProgramSettings;

class ViewNavigator {
public:
    // All three belong to the main frame and must outlive the navigator.
    ViewNavigator(ControlledScene& scene, const ProgramSettings& settings, DisplayState& display);

    // Client positions in widget pixels, y growing downwards.
    // Left: starts translating (Move Object(s)) or scaling (Move Camera) from (x, y). Right: starts
    // turning the movable objects' controllers or the camera's. Takes the capture.
    NavigationResponse ButtonDown(MouseButton button, int x, int y);
    // Ends that drag, clears `moving`, releases the capture and repaints.
    NavigationResponse ButtonUp(MouseButton button);
    // One drag step for whichever buttons are held: turning first, then translating or scaling.
    NavigationResponse MouseMove(int x, int y);
    // Left or right double-click: switches the mode, with its tone when "Sound" is on.
    NavigationResponse DoubleClick();
    // Wheel delta in 120ths of a notch, positive away from the user: moves the eye along the axis.
    NavigationResponse Wheel(int16_t delta);
    // Key down (auto-repeat included) with a Windows virtual-key code: arrows, Home, Page Up and their
    // keypad twins turn the movable objects, 'U' 'D' 'L' 'R' 'F' 'B' move them; every key repaints.
    NavigationResponse KeyDown(int virtualKeyCode);

    int rotating = 0;     // right button held
    int translating = 0;  // left button held
    int moving = 0;       // set by every drag step, cleared on button up; the renderer reads it
    int lastLeftPoint[2] = {0, 0};

private:
    bool MoveObjects() const;
    void TranslateStep(int x, int y);

    ControlledScene& scene_;
    const ProgramSettings& settings_;
    DisplayState& display_;
};
