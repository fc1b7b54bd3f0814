#pragma once
// The Stage dialog (" Stage", dialog 136): a modeless tool window for the camera's viewing angle, the
// background (fill colour, colour cube or image cube, with the cube's colour, picture folder and size),
// white bounding boxes, red/cyan stereo with its angle, and fog with its intensity. Every control acts
// on the scene at once; there is no OK button. Slider movements write the values at every step and
// reach the picture when the slider is let go (or after a keyboard step). Placement section
// "StageDialog".

#include <QDialog>
#include <functional>

#include "platform/PlatformServices.h"
#include "platform/qt/CPersistWnd.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
struct DisplayState;
struct ProgramSettings;
struct SceneState;

// What the dialog works on and calls back; all of it belongs to the main frame and outlives the window.
struct StageDialogHost {
    ProgramSettings& settings;      // stage and cube colours, stereo angle, background, cube size, boxes
    SceneState& state;              // the scene header: viewing angle and fog intensity
    DisplayState& display;          // stereo and fog switched on
    PlatformServices services;      // placement store, colour chooser, message boxes
    std::function<void()> repaint;  // repaints the main window at once
    std::function<void()> buildColourCube;  // rebuilds the colour cube (may grow stageSize)
    // Reloads the six pictures from `texture` and rebuilds the image cube (may grow stageSize; a picture
    // that cannot be loaded sets bgMode to 0).
    std::function<void()> loadImageCube;
    std::function<void()> stereoChanged;  // the dialog switched stereo on or off
};

class CStageDlg : public QDialog, private CPersistWnd<szStagePropDlgName, false> {
public:
    // Shows the current values and restores the stored position. The window deletes itself when closed.
    explicit CStageDlg(StageDialogHost host, QWidget* parent = nullptr);
    // Saves the position.
    ~CStageDlg() override;

    // Every control from the values again, with the visibility of the stereo and fog controls (after a
    // keyframe, a scene or the Stereo command changed them).
    void LoadControls();

protected:
    // The cube-size edit shows its number clamped to 0..50000 when it loses the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ConnectControls();
    void ApplyVisibility();
    void ShowSliderTexts();
    void ShowBackground();
    void ShowCubeSize();

    // Any slider moved: all three values from all three sliders; the edits follow.
    void SlidersMoved();
    void BackgroundChosen(int mode);
    void ChooseStageColour();
    void ChooseCubeColour();
    void ReloadImage();
    // "Apply": the cube size in the edit, clamped; text that is no integer is refused.
    void ApplyCubeSize();
    // Rebuilds the cube of the current mode, then shows the mode and the size it left.
    void RebuildCube();

    StageDialogHost host_;

    QSlider* viewAngle_ = nullptr;
    QLineEdit* viewAngleText_ = nullptr;
    QButtonGroup* background_ = nullptr;
    QPushButton* stageColour_ = nullptr;
    QPushButton* cubeColour_ = nullptr;
    QPushButton* reloadImage_ = nullptr;
    QPushButton* applyCubeSize_ = nullptr;
    QLineEdit* texture_ = nullptr;
    QLineEdit* cubeSize_ = nullptr;
    QCheckBox* adaptive_ = nullptr;
    QCheckBox* whiteBoxes_ = nullptr;
    QCheckBox* stereo_ = nullptr;
    QLabel* stereoLabel_ = nullptr;
    QSlider* stereoAngle_ = nullptr;
    QLineEdit* stereoAngleText_ = nullptr;
    QLabel* stereoNote_ = nullptr;
    QCheckBox* fog_ = nullptr;
    QSlider* fogSlider_ = nullptr;
    QLineEdit* fogText_ = nullptr;
};
