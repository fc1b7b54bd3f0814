#pragma once
// Arcball: turns mouse drags and key presses into one orientation quaternion.
// Mouse positions are lifted onto a sphere near the window centre that continues as a hyperbolic
// sheet further out; each drag step composes the rotation between two lifted points.

#include <cstdint>

#include "navigation/Matrix4.h"
#include "navigation/Quaternion.h"

struct SceneObject;

// Windows virtual-key codes accepted by RotateByKey (the Qt adapter translates to these).
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyNumpad2 = 0x62;
inline constexpr int kKeyNumpad4 = 0x64;
inline constexpr int kKeyNumpad6 = 0x66;
inline constexpr int kKeyNumpad7 = 0x67;
inline constexpr int kKeyNumpad8 = 0x68;
inline constexpr int kKeyNumpad9 = 0x69;

class CBallController {
public:
    CBallController();
    CBallController(const CBallController&) = default;
    CBallController& operator=(const CBallController&) = default;
    virtual ~CBallController();

    // Every field back to its initial value (identity orientation, key step 5, view size 0).
    void Reset();
    // Client size in pixels; both must be non-zero before the first drag.
    void SetViewSize(int width, int height);
    // Starts a drag at client position (x, y), y growing downwards; ignored while the view size is 0.
    void BeginDrag(int x, int y);
    // One drag step in the controller's own frame (the camera); nothing unless dragging.
    void DragTo(int x, int y);
    // One drag step for an object seen through the camera whose controller matrix is `cameraMatrix`.
    void DragToInFrame(int x, int y, const Matrix4& cameraMatrix);
    // Ends the drag and refreshes `matrix` from `orientation`.
    void EndDrag();
    // Turns by `keyStepDeg` about X, Y or Z for the arrow, Page Up, Home and keypad codes; other
    // codes do nothing. Always ends like EndDrag.
    void RotateByKey(int virtualKeyCode);
    // R(orientation) computed now (not the stored `matrix`); render multiplies it into GL.
    Matrix4 CurrentMatrix() const;

    int32_t keyStepDeg = 5;
    float radius = 0.6f;  // sensitivity: smaller turns faster
    float viewWidth = 0.0f;
    float viewHeight = 0.0f;
    float lastPoint[2] = {0.0f, 0.0f};  // normalised previous mouse position of the running drag
    int32_t dragging = 0;
    Quaternion orientation;
    Matrix4 matrix;

private:
    bool HasViewSize() const;
    void DragStep(int x, int y, const Matrix4* frame);
};

// Copies the controller's orientation into the record: `quaternion` and `rotation` (the transpose
// of the upper-left 3x3 of `matrix`, i.e. the rotation GL applies).
void CopyControllerToRecord(const CBallController& controller, SceneObject& record);
// The reverse: `matrix` upper-left 3x3 = transpose of `rotation` (other elements untouched),
// `orientation` = `quaternion`.
void LoadControllerFromRecord(const SceneObject& record, CBallController& controller);
