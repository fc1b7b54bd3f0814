#pragma once
// The flight recorder (" Flight recorder", dialog 144): a modeless tool window in which keyframes of
// the scene are stored one at a time and played back, as a slide show of the keyframes forwards or
// backwards, or as a flight with the states between them, once, repeatedly or written to files with
// fades. Its choices live in the main frame's FlightRecorderState, so they survive closing and
// reopening the window. While the window is open the screen saver and power saving are held off.
// Placement section "Flight recorder".

#include <QDialog>
#include <functional>

#include "platform/PlatformServices.h"
#include "platform/qt/CPersistWnd.h"

class CColorStatic;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
struct DisplayState;
struct FlightRecorderState;
struct ProgramSettings;

// What the window works on and calls back; all of it belongs to the main frame and outlives the window.
struct FlightRecorderHost {
    FlightRecorderState& state;
    ProgramSettings& settings;  // "Interpolation" and "Duration"
    DisplayState& display;      // saveFlightFiles
    PlatformServices services;  // placement store, colour chooser, message boxes, screen saver
    std::function<int()> keyframeCount;
    std::function<void()> storeKeyframe;
    std::function<void()> deleteAllKeyframes;
    std::function<void(bool forward)> showKeyframes;  // the slide show; returns when it ends or stops
    std::function<void()> playFlight;                 // the flight; returns when it ends or stops
    // The Objects dialog's "%" button shows while `on` and a model is selected there.
    std::function<void(bool on)> showRecutControl;
};

class CFRDlg : public QDialog, private CPersistWnd<szFRDlgName, false> {
public:
    // The opening steps: holds off the screen saver, takes the frame's choices, shows the "%" button
    // by "Interpolation", restores the position and shows every value. Deletes itself when closed.
    explicit CFRDlg(FlightRecorderHost host, QWidget* parent = nullptr);
    // The closing steps: a playback stops, the position is saved, the screen saver is let go, the
    // choices go back to the frame and the "%" button hides.
    ~CFRDlg() override;

    // Every control from the state ("push the members into the controls").
    void LoadControls();
    // Shows, hides, enables and disables the controls by the state rules.
    void ApplyStates();
    // `totalFrames` from the keyframe count and the choices, then shown.
    void UpdateTotalFrames();

    // The playback's progress bar.
    void StartProgress(int maximum);
    void StepProgress();
    void SetProgress(int value);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Edits hold their number to 0..1000 when they lose the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter only takes the focus off the control: it neither plays nor closes.
    void accept() override;
    void reject() override;

private:
    void RunClosingSteps();
    void BuildControls();
    void ConnectControls();
    // The state from every control; frame counts are held to 0..1000, an edit whose text is no integer
    // keeps its value.
    void ReadControls();
    void Play();
    void ShowKeyframes(bool forward);
    void Stop();
    void Reset();
    void SaveFilesClicked();
    void RepeatClicked();
    void InterpolatedClicked();
    void FrameEditLeft(QLineEdit* edit);
    void ChooseColour(bool fadeIn);

    FlightRecorderHost host_;
    bool closed_ = false;

    QPushButton* store_ = nullptr;
    QPushButton* reset_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* backward_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* stop_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* keyframeText_ = nullptr;
    QWidget* keyframeLabel_ = nullptr;
    QCheckBox* saveFiles_ = nullptr;
    QCheckBox* interpolated_ = nullptr;
    QLineEdit* interpolatedFrames_ = nullptr;
    QCheckBox* repeat_ = nullptr;
    QLineEdit* totalFrames_ = nullptr;
    QCheckBox* fadeIn_ = nullptr;
    QCheckBox* fadeOut_ = nullptr;
    QLineEdit* fadeInFrames_ = nullptr;
    QLineEdit* fadeOutFrames_ = nullptr;
    QCheckBox* fadeInStatic_ = nullptr;
    QCheckBox* fadeOutStatic_ = nullptr;
    QRadioButton* fadeInScene_ = nullptr;
    QRadioButton* fadeInColour_ = nullptr;
    QRadioButton* fadeOutScene_ = nullptr;
    QRadioButton* fadeOutColour_ = nullptr;
    QWidget* fromLabel_ = nullptr;
    QWidget* toLabel_ = nullptr;
    CColorStatic* fadeInSwatch_ = nullptr;
    CColorStatic* fadeOutSwatch_ = nullptr;
};
