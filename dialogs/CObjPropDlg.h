#pragma once
// The Objects dialog (" Objects", dialog 130): a modeless tool window that edits one scene object at a
// time: its material on seven sliders, visibility and movability, surface mode, centring, vertex
// optimisation, bounding box and axes, the cut by the plate with its cap fill, its name and its
// deletion; with the plate selected, the plate's size instead. Changes act on the records at once;
// only slider changes wait for "Apply" while the models together have more facets than the
// "ApplyButtonLimit" setting allows. Placement section "ObjectsDialog".

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/PlatformServices.h"
#include "platform/qt/CPersistWnd.h"
#include "scene/MaterialSliders.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QToolButton;
class Scene;
class SceneGraphics;
struct ProgramSettings;
struct SceneObject;

// What the dialog works on and calls back; all of it belongs to the main frame and outlives the window.
struct ObjectsDialogHost {
    Scene& scene;
    ProgramSettings& settings;
    PlatformServices services;
    SceneGraphics& graphics;
    std::function<void()> repaint;                           // repaints the main window at once
    std::function<void()> rebuildPlateList;                  // after the plate's size or surface changed
    std::function<void(const std::string&)> showModelsText;  // status pane 3
    std::function<void(const std::string&)> showMessage;     // status pane 0: why an operation failed
    // Whether the flight recorder window is open (the "%" button needs it); none: never.
    std::function<bool()> flightRecorderOpen;
    // Runs when an object is about to be deleted (keyframes of the old objects go); none: nothing.
    std::function<void()> objectsChanging;
};

class CObjPropDlg : public QDialog, private CPersistWnd<szObjPropDlgName, false> {
public:
    // Lists objects 1..count and opens on the last model (the plate when there is none); restores the
    // stored position. The window deletes itself when closed.
    explicit CObjPropDlg(ObjectsDialogHost host, QWidget* parent = nullptr);
    // Saves the position.
    ~CObjPropDlg() override;

    // The object being edited: 1..count-1 a model, count the plate.
    int SelectedIndex() const { return selected_; }
    // Whether slider changes wait for the material "Apply".
    bool MaterialPending() const { return pending_; }

    // Refills the list (keeping the selected row where it still exists), writes the models and facets
    // into status pane 3 and shows the selected object again; slider changes still waiting are dropped.
    void RefreshObjectList();
    // Sliders, percentages and the visible, movable and "%" checks from the selected object; slider
    // changes still waiting for "Apply" are dropped.
    void RefreshMaterialControls();
    // Every control from the selected object, then the material controls.
    void RefreshAllControls();
    // Shows the "%" button while `on` and a model is selected, otherwise hides it.
    void ShowRecutButton(bool on);

private:
    void BuildControls();
    void ConnectControls();
    SceneObject& Selected();
    bool PlateSelected() const;
    void FillList(int row);
    void ShowGroups(bool plate);
    void SelectionChanged(int row);
    void FillSurfaceCombo(const SceneObject& object);
    void ShowCounts(const SceneObject& object);
    void ShowTickSlider(bool boxOn, const SceneObject& object);
    void ShowPlateSize();
    void ShowSurfaceApply(bool hint);

    MaterialSliders ReadSliders() const;
    // The percentage edits for `sliders`; `opacity` is the byte the logarithmic opacity text shows.
    void ShowPercentages(const MaterialSliders& sliders, uint8_t opacity);
    void SlidersMoved(QSlider* moved);
    void ApplyPendingMaterial();
    void ApplyToAll();
    void ChooseColour();
    // The record carrying `serial` among objects 1..count; nullptr when it is gone.
    SceneObject* RecordWithSerial(uint64_t serial);
    void LoadMaterialFile();
    void SaveMaterialFile();

    void ApplySurfaceChoice();
    void CutSelected();
    void RestoreSelected();
    void Rename();
    void Delete();
    void EditPixelSize();
    void EditPlateSize();
    void DefaultPlateSize();

    ObjectsDialogHost host_;
    int selected_ = 1;
    bool pending_ = false;
    PendingMaterial pendingMaterial_;

    QListWidget* list_ = nullptr;
    QSlider* sliders_[7] = {};  // red, green, blue, emission, diffuse, reflection, opacity
    QLineEdit* percentages_[7] = {};
    QPushButton* resetAll_ = nullptr;
    QPushButton* colours_ = nullptr;
    QLineEdit* facets_ = nullptr;
    QLineEdit* vertexes_ = nullptr;
    QLineEdit* location_ = nullptr;
    QCheckBox* visible_ = nullptr;
    QCheckBox* movable_ = nullptr;
    QPushButton* rename_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* loadMaterial_ = nullptr;
    QPushButton* saveMaterial_ = nullptr;
    QPushButton* applyToAll_ = nullptr;
    QPushButton* materialApply_ = nullptr;
    QComboBox* surfaceCombo_ = nullptr;
    QCheckBox* box_ = nullptr;
    QSlider* tickSlider_ = nullptr;
    QLabel* tickLabel_ = nullptr;
    QCheckBox* axes_ = nullptr;
    QCheckBox* centered_ = nullptr;
    QCheckBox* optimized_ = nullptr;
    QLabel* surfaceHint_ = nullptr;
    QPushButton* surfaceApply_ = nullptr;
    QPushButton* cut_ = nullptr;
    QCheckBox* topCut_ = nullptr;
    QPushButton* restore_ = nullptr;
    QComboBox* textureCombo_ = nullptr;
    QPushButton* recut_ = nullptr;
    QToolButton* pixelIcon_ = nullptr;
    QLabel* cutIcon_ = nullptr;
    QPushButton* plateEdit_ = nullptr;
    QPushButton* plateDefault_ = nullptr;
    QLabel* plateSizeLabel_ = nullptr;
    QLineEdit* plateSizeX_ = nullptr;
    QLineEdit* plateSizeY_ = nullptr;
};
