#pragma once
// The main window. Owns the scene (header and 128 records), the stage, camera and display settings,
// the command table, toolbar and status bar; its only child is the OpenGL view. The work is split
// by feature: FrameCommands.cpp (command handlers and update rules), FrameLifecycle.cpp (settings
// at construction and destruction, first activation, close), FrameModels.cpp (adding models),
// FrameNavigation.cpp (mouse and key input, Reset Positions, the Movements window), FrameObjects.cpp
// (the Objects dialog and Move to Object), FramePreferences.cpp (the Preferences dialog and the about box),
// FrameStageLight.cpp (the Stage and Light dialogs), FrameImageOutput.cpp (Save Image and printing).

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "flight/FlightRecorderState.h"
#include "flight/KeyframeHost.h"
#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "platform/qt/CPersistWnd.h"
#include "scene/DisplayState.h"

class CPexoraView;
class CommandTable;
class FrameStatusBar;
class GLSceneGraphics;
class ImagePrinting;
class PrintDialogs;
class MovementsWindow;
class CFRDlg;
class CLightDlg;
class CompressionChooser;
class FlightOutput;
class KeyframeRecorder;
struct SceneBlock;
class CObjPropDlg;
class CStageDlg;
class QToolBar;
template <class Dialog>
class ToolWindow;
class SceneGraphics;
class ViewInputFilter;
struct PlatformServices;
enum class StageRounding;

// What the application hands the frame when it creates it.
struct FrameStartup {
    int plateVisible = 0;     // "PlateVisible": the plate is shown from the start
    std::string programPath;  // the executable; the manual sits beside it (or in an installed tree's
                              // documentation folder)
    // Runs once when acceleration was asked for but the context is a software renderer anyway.
    std::function<void()> accelerationRefused;
    // The application's "GLaccelerator", shown and changed by the Preferences dialog; it outlives the
    // frame. nullptr: the dialog shows 0 and a change is not kept.
    int* glAccelerator = nullptr;
    // The print, preview and page set-up dialogs; nullptr: Qt's own. Tests answer them through this.
    PrintDialogs* printDialogs = nullptr;
    // The folder that holds the per-instance keyframe folders; empty: the user's runtime or cache
    // folder (KeyframeFolderBase).
    std::string keyframeFolderBase;
};

class CMainFrame : public QMainWindow, private CPersistWnd<szSettings, true>, private KeyframeHost {
public:
    inline static const QString kTitle = QStringLiteral("Pexora");

    // Reads the settings, sets up the records and builds the window: view, menus, toolbar, status bar,
    // then restores the stored placement. `services` must outlive the frame.
    CMainFrame(PlatformServices& services, FrameStartup startup, QWidget* parent = nullptr);
    // Writes every setting, empties the hand-off and frees the models' data with the view's context.
    ~CMainFrame() override;

    ControlledScene& GetScene() { return *scene_; }
    ProgramSettings& Settings() { return settings_; }
    DisplayState& Display() { return display_; }
    CommandTable& Commands() { return *commands_; }
    FrameStatusBar& StatusPanes() { return *statusBar_; }
    QToolBar& Toolbar() { return *toolbar_; }
    CPexoraView& View() { return *view_; }
    // The GPU side of the scene operations (display lists, textures, progress in pane 3).
    SceneGraphics& Graphics();
    PlatformServices& Services() { return services_; }

    // The HTML manual: beside the executable, or in an installed tree's documentation folder (FindManual).
    std::string ManualPath() const;
    // Repaints the view: at once when the window system allows it, otherwise on the next event pass.
    void RepaintNow() override;
    // Progress in status pane 3: percent 1..100 (clamped) draws a bar with "<text><percent>%", 0 or
    // less clears the pane. Keeps the window painted without taking user input.
    void ShowProgress(int percent, const std::string& text);
    // True while a progress bar is shown (a long operation runs and pumps paint events).
    // Also true while a flight plays.
    bool InProgress() const { return inProgress_ || display_.playing != 0; }

    // Adds a handed-over model in front of the plate: the hand-off values are removed from the store,
    // the record gets the dataset path, voxel size, digit count and unit, the model file is read and its
    // lists built (a file that cannot be read leaves a record without geometry), "AdaptiveCube" grows
    // the stage (multiplied by 4 before truncating), the counts show and the view repaints. A full scene
    // shows kSceneFullMessage and changes nothing. Returns 1 when added, else 0.
    int LoadHandedModel(const std::string& modelPath, const std::string& datasetPath, float pixelSize,
                        int postfixLength, int unit);

    // Shows the selected object's material again in the Objects dialog; nothing while it is closed.
    void RefreshObjectsDialogMaterial();
    // After a keyframe or scene changed the stage values: fog is switched on exactly when the intensity
    // is above 0 (also while the Stage dialog is closed), then the open dialog shows every value again.
    void SyncStageDialog();
    // After a keyframe or scene changed the light: the open Light dialog shows it again.
    void SyncLightDialog();
    // Hands the scene's light to the view and rebuilds the lists that depend on its kind.
    void ApplyLight();

    // The keyframes of this instance.
    KeyframeRecorder& Keyframes();
    // What the flight recorder shows and plays, kept while its window is closed.
    FlightRecorderState& FlightRecorder() { return flightState_; }
    // Where a flight with "save files" is written; none: such a flight is played without writing.
    void SetFlightOutput(std::unique_ptr<FlightOutput> output);
    // Whether the flight recorder window is open.
    bool FlightRecorderOpen() const;
    // Loading a model, copying or deleting an object while the flight recorder is open first deletes
    // every keyframe and closes the recorder; while it is closed the keyframes stay.
    void ForgetKeyframesOfChangingObjects();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // KeyframeHost: what applying keyframes shows.
    void LoadController(int index) override;
    void ShowAppliedKeyframe() override;
    void ShowInterpolatedFrame() override;
    void SetKeyframeDisplay(int count) override;

    // How a pass of a flight ended: all keyframes shown, left at a stop check, stopped right after its
    // first keyframe (the whole playback ends), or the output failed.
    enum class PassEnd { Completed, Left, Stopped, Failed };
    void CreateKeyframes();
    void AttachFlight();
    // The slide show of the keyframes, half a second each, forwards or backwards.
    void ShowKeyframes(bool forward);
    // The flight: keyframe 0, then per following keyframe the states between and the keyframe, once or
    // repeatedly; written to the flight output while "save files" is ticked.
    void PlayFlight();
    PassEnd PlayPass(SceneBlock& a, SceneBlock& b, int n, int between, FlightOutput* output);
    // The stop check: true when the playback is to leave; otherwise steps the progress and handles the
    // waiting events first.
    bool FlightStopped();
    void PumpMessages();
    void ShowFlightKeyframe(int number);
    void SetPlaying(bool on);
    // The Objects dialog's "%" button shows while `on` and a model is selected there.
    void ShowRecutControl(bool on);

    void AttachCommands();
    void AttachNavigation();
    void AttachModelCommands();
    void AttachObjects();
    void AttachPreferenceCommands();
    void AttachStageLight();
    void AttachDatasetCommands();
    // Resample Dataset: the dialog for the selected object's dataset, then the files.
    void ResampleSelectedDataset();
    void AttachImageOutput();
    void EditPrintLayout();
    void AttachScene();
    // The open Stage dialog shows every value again (after the Stereo command).
    void RefreshStageDialog();
    void EditPreferences();
    void RefreshObjectsDialogList();
    // The object the open Objects dialog edits (1..count); 0 while it is closed.
    int SelectedObject() const;
    // Copy object: a copy of the Objects dialog's model, with its own mesh, normals and caps, in front
    // of the plate. Nothing for the plate, without a selection or with a full record table.
    void DuplicateSelectedObject();
    void LoadObject();
    void LoadGeometry(int index, const std::string& path, StageRounding rounding);
    // Save Scene and Load Scene (messages "Write error.", "Read error." and one line per model that
    // cannot be read again).
    void SaveScene();
    void LoadScene();
    void ToggleStereo();
    void OpenManual();
    void ReadSettingsOnConstruction();
    void RestoreFramePlacement();
    void FirstActivation();
    void WriteCloseState();
    void WriteSettingsOnDestroy();
    void ShowStatusTexts();

    PlatformServices& services_;
    FrameStartup startup_;
    ProgramSettings settings_;
    std::unique_ptr<ControlledScene> scene_;
    DisplayState display_;
    CommandTable* commands_ = nullptr;
    FrameStatusBar* statusBar_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    CPexoraView* view_ = nullptr;
    std::unique_ptr<GLSceneGraphics> graphics_;
    ViewInputFilter* input_ = nullptr;                  // owned by the view
    std::unique_ptr<MovementsWindow> movements_;        // goes before the scene and settings it edits
    std::unique_ptr<ToolWindow<CObjPropDlg>> objects_;  // likewise
    std::unique_ptr<ToolWindow<CStageDlg>> stage_;      // likewise
    std::unique_ptr<ToolWindow<CLightDlg>> light_;      // likewise
    FlightRecorderState flightState_;
    std::unique_ptr<KeyframeRecorder> keyframes_;
    std::unique_ptr<CompressionChooser> compressionChooser_;  // goes before the export that asks it
    std::unique_ptr<FlightOutput> flightOutput_;
    std::unique_ptr<ToolWindow<CFRDlg>> recorder_;   // goes before the dialogs and keyframes it uses
    std::unique_ptr<PrintDialogs> ownPrintDialogs_;  // Qt's, unless the startup brought others
    std::unique_ptr<ImagePrinting> printing_;
    bool activated_ = false;
    bool inProgress_ = false;
    int resampleCounter_ = 0;       // dialogs of Resample Dataset shown; numbers the default prefixes
    Qt::WindowStates stableState_;  // window state to return to when a flight is playing
};
