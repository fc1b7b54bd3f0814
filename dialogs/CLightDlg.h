#pragma once
// The Light dialog (" Light"): six sliders for the colour and the direction of the scene's single
// light, with read-only percentages beside them. Every slider movement writes the scene header at
// once; the light reaches the picture when the slider is let go (or after a keyboard step).

#include <QDialog>
#include <array>
#include <functional>

#include "platform/qt/CPersistWnd.h"
#include "scene/LightSliders.h"

class QLineEdit;
class QSlider;
class SettingsStore;
struct SceneState;

// What the dialog works on; everything must outlive the window.
struct LightDialogHost {
    SceneState& state;                 // the scene header holding the light
    SettingsStore& store;              // placement section "LightDialog"
    std::function<void()> applyLight;  // hands the header's light to the view
    std::function<void()> repaint;     // repaints the main window at once
};

class CLightDlg : public QDialog, private CPersistWnd<szLightPropDlgName, false> {
public:
    // Shows the header's light and restores the stored position. The window deletes itself when closed.
    explicit CLightDlg(LightDialogHost host, QWidget* parent = nullptr);
    // Saves the position.
    ~CLightDlg() override;

    // Sets the sliders and edits from the header again (after a keyframe or scene changed it).
    void LoadControls();

private:
    void BuildControls();
    // Any slider moved: all six values from all six sliders into the header; the edits follow.
    void SlidersMoved();
    void ShowTexts(const LightSliderPositions& positions);
    void ApplyAndRepaint();

    LightDialogHost host_;
    std::array<QSlider*, kLightSliderCount> sliders_{};
    std::array<QLineEdit*, kLightSliderCount> texts_{};
};
