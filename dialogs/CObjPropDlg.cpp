#include "dialogs/CObjPropDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "dialogs/CNewName.h"
#include "dialogs/CVoxSize.h"
#include "dialogs/DialogControls.h"
#include "dialogs/RecordNames.h"
#include "geometry/ApplySurface.h"
#include "geometry/CutByPlate.h"
#include "geometry/RestoreObject.h"
#include "persistence/MaterialFile.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramSettings.h"
#include "platform/SettingsStore.h"
#include "render/StatusTexts.h"
#include "render/WaitCursor.h"
#include "resources/DialogIds.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"
#include "scene/SurfaceModes.h"

namespace {

// Slider slots, in the order of the controls.
enum Slot { kRed, kGreen, kBlue, kEmission, kDiffuse, kReflection, kOpacity, kSlotCount };

struct MaterialRow {
    int slider;
    int percentage;
    const char* label;
    int MaterialSliders::*position;
};

constexpr MaterialRow kRows[kSlotCount] = {
    {kIdRedSlider, kIdRedText, "Red", &MaterialSliders::red},
    {kIdGreenSlider, kIdGreenText, "Green", &MaterialSliders::green},
    {kIdBlueSlider, kIdBlueText, "Blue", &MaterialSliders::blue},
    {kIdEmissionSlider, kIdEmissionText, "Emission", &MaterialSliders::emission},
    {kIdDiffuseSlider, kIdDiffuseText, "Diffuse", &MaterialSliders::diffuse},
    {kIdReflectionSlider, kIdReflectionText, "Reflection", &MaterialSliders::reflection},
    {kIdOpacitySlider, kIdOpacityText, "Opacity", &MaterialSliders::opacity},
};

constexpr int kTickMin = 1;
constexpr int kTickMax = 10;

const QString kEditCaption = QStringLiteral("Edit");
const QString kApplyCaption = QStringLiteral("Apply");

FileDialogRequest MaterialFileRequest(const char* title, const ProgramSettings& settings) {
    FileDialogRequest request;
    request.title = title;
    request.startDirectory = settings.dataDirectory;
    request.filters = {{kMaterialFileFilter, {kMaterialFilePattern}}};
    request.defaultExtension = kMaterialFileExtension;
    return request;
}

// A digits-only edit's number; 0 when it is empty or too large, which the plate size refuses.
unsigned SizeOf(const QLineEdit& edit) {
    bool ok = false;
    const unsigned value = edit.text().toUInt(&ok);
    return ok ? value : 0;
}

}  // namespace

CObjPropDlg::CObjPropDlg(ObjectsDialogHost host, QWidget* parent)
    : QDialog(parent, Qt::Tool), host_(std::move(host)) {
    setObjectName(QString::number(kIdObjectsDialog));
    setWindowTitle(QStringLiteral(" Objects"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    ConnectControls();

    // The last model's row, or the plate's when there is no model.
    FillList(host_.scene.PlateIndex() - 2);
    ShowPlateSize();
    SelectionChanged(list_->currentRow());
    RestorePlacement(*this, host_.services.settings);
}

CObjPropDlg::~CObjPropDlg() {
    SavePlacement(*this, host_.services.settings);
}

void CObjPropDlg::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Object list with the pixel-size icon and the per-object buttons beside it.
    auto* top = new QGridLayout;
    pixelIcon_ = Named(new QToolButton(this), kIdPixelSizeIcon);
    pixelIcon_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    pixelIcon_->setAutoRaise(true);
    pixelIcon_->setToolTip(QStringLiteral("Voxel size"));
    list_ = Named(new QListWidget(this), kIdObjectList);
    list_->setFixedHeight(list_->fontMetrics().height() * 6 + 8);
    rename_ = Button(QStringLiteral("Rename"), kIdRenameButton, this);
    delete_ = Button(QStringLiteral("Delete"), kIdDeleteButton, this);
    visible_ = Named(new QCheckBox(QStringLiteral("visible"), this), kIdVisibleCheck);
    movable_ = Named(new QCheckBox(QStringLiteral("movable"), this), kIdMovableCheck);
    recut_ = Button(QStringLiteral("%"), kIdRecutCheck, this);
    recut_->setCheckable(true);
    top->addWidget(pixelIcon_, 0, 0, Qt::AlignTop);
    top->addWidget(list_, 0, 1, 5, 1);
    top->addWidget(rename_, 0, 2);
    top->addWidget(delete_, 1, 2);
    top->addWidget(visible_, 2, 2);
    top->addWidget(movable_, 3, 2);
    top->addWidget(recut_, 4, 2);
    layout->addLayout(top);

    // Material.
    auto* material = new QGroupBox(this);
    auto* grid = new QGridLayout(material);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        sliders_[slot] = Named(new QSlider(Qt::Horizontal, material), kRows[slot].slider);
        sliders_[slot]->setRange(0, kSliderMax);
        sliders_[slot]->setMinimumWidth(160);
        percentages_[slot] = ReadOnlyEdit(kRows[slot].percentage, QStringLiteral("000000"), material);
        grid->addWidget(new QLabel(QString::fromLatin1(kRows[slot].label), material), slot, 0);
        grid->addWidget(sliders_[slot], slot, 1, 1, 3);
        grid->addWidget(percentages_[slot], slot, 4);
    }
    resetAll_ = Button(QStringLiteral("Reset all"), kIdResetAllButton, material);
    colours_ = Button(QStringLiteral("Colors >>"), kIdColoursButton, material);
    loadMaterial_ = Button(QStringLiteral("Load"), kIdLoadMaterialButton, material);
    saveMaterial_ = Button(QStringLiteral("Save"), kIdSaveMaterialButton, material);
    materialApply_ = Button(kApplyCaption, kIdMaterialApplyButton, material);
    grid->addWidget(resetAll_, kSlotCount, 0);
    grid->addWidget(colours_, kSlotCount, 1);
    grid->addWidget(loadMaterial_, kSlotCount, 2);
    grid->addWidget(saveMaterial_, kSlotCount, 3);
    grid->addWidget(materialApply_, kSlotCount, 4);
    layout->addWidget(material);

    // Counts and source.
    auto* info = new QGridLayout;
    facets_ = ReadOnlyEdit(kIdFacetsText, QStringLiteral("000000000000"), this);
    vertexes_ = ReadOnlyEdit(kIdVertexesText, QStringLiteral("000000000000"), this);
    location_ = Named(new QLineEdit(this), kIdLocationText);
    location_->setReadOnly(true);
    info->addWidget(new QLabel(QStringLiteral("Facets : "), this), 0, 0);
    info->addWidget(facets_, 0, 1);
    info->addWidget(new QLabel(QStringLiteral("Vertexes : "), this), 0, 2);
    info->addWidget(vertexes_, 0, 3);
    info->addWidget(new QLabel(QStringLiteral("Location : "), this), 1, 0);
    info->addWidget(location_, 1, 1, 1, 3);
    layout->addLayout(info);

    // Surface.
    auto* surface = new QGroupBox(this);
    auto* surfaceGrid = new QGridLayout(surface);
    surfaceCombo_ = Named(new QComboBox(surface), kIdSurfaceCombo);
    centered_ = Named(new QCheckBox(QStringLiteral("centered"), surface), kIdCenteredCheck);
    optimized_ = Named(new QCheckBox(QStringLiteral("optimized"), surface), kIdOptimizedCheck);
    axes_ = Named(new QCheckBox(QStringLiteral("XYZ - axis"), surface), kIdAxesCheck);
    box_ = Named(new QCheckBox(QStringLiteral("bounding box"), surface), kIdBoxCheck);
    tickSlider_ = Named(new QSlider(Qt::Horizontal, surface), kIdTickSlider);
    tickSlider_->setRange(kTickMin, kTickMax);
    tickLabel_ = Named(new QLabel(QStringLiteral(">\t<"), surface), kIdTickLabel);
    surfaceApply_ = Button(kApplyCaption, kIdSurfaceApplyButton, surface);
    surfaceHint_ =
        Named(new QLabel(QStringLiteral("surface updating\nmay take some time"), surface), kIdSurfaceHint);
    surfaceGrid->addWidget(surfaceCombo_, 0, 0, 1, 2);
    surfaceGrid->addWidget(surfaceApply_, 0, 2);
    surfaceGrid->addWidget(centered_, 1, 0);
    surfaceGrid->addWidget(optimized_, 1, 1);
    surfaceGrid->addWidget(surfaceHint_, 1, 2, 2, 1);
    surfaceGrid->addWidget(axes_, 2, 0);
    surfaceGrid->addWidget(box_, 2, 1);
    surfaceGrid->addWidget(tickLabel_, 3, 0, Qt::AlignRight);
    surfaceGrid->addWidget(tickSlider_, 3, 1);
    layout->addWidget(surface);

    // Model group: the cut and the material for all models.
    auto* cutRow = new QGridLayout;
    cut_ = Button(QStringLiteral("Cut by plate"), kIdCutButton, this);
    cutIcon_ = Named(new QLabel(this), kIdCutIcon);
    cutIcon_->setPixmap(style()->standardIcon(QStyle::SP_ArrowDown).pixmap(16, 16));
    textureCombo_ = Named(new QComboBox(this), kIdTextureCombo);
    topCut_ = Named(new QCheckBox(QStringLiteral("top-cut"), this), kIdTopCutCheck);
    restore_ = Button(QStringLiteral("Restore"), kIdRestoreButton, this);
    applyToAll_ = Button(QStringLiteral("Apply to all"), kIdApplyToAllButton, this);
    cutRow->addWidget(cutIcon_, 0, 0);
    cutRow->addWidget(cut_, 0, 1);
    cutRow->addWidget(textureCombo_, 0, 2);
    cutRow->addWidget(topCut_, 1, 0, 1, 2);
    cutRow->addWidget(restore_, 1, 2);
    cutRow->addWidget(applyToAll_, 2, 2);

    // Plate group: the plate's size.
    plateSizeLabel_ = Named(new QLabel(QStringLiteral("Size"), this), kIdPlateSizeLabel);
    const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    plateSizeX_ = Named(new QLineEdit(this), kIdPlateSizeXEdit);
    plateSizeY_ = Named(new QLineEdit(this), kIdPlateSizeYEdit);
    for (QLineEdit* edit : {plateSizeX_, plateSizeY_}) {
        edit->setValidator(digits);
        edit->setEnabled(false);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 12);
    }
    plateEdit_ = Button(kEditCaption, kIdPlateEditButton, this);
    plateDefault_ = Button(QStringLiteral("Default"), kIdPlateDefaultButton, this);
    cutRow->addWidget(plateSizeLabel_, 3, 0);
    cutRow->addWidget(plateSizeX_, 3, 1);
    cutRow->addWidget(plateSizeY_, 3, 2);
    cutRow->addWidget(plateEdit_, 4, 1);
    cutRow->addWidget(plateDefault_, 4, 2);
    layout->addLayout(cutRow);
}

void CObjPropDlg::ConnectControls() {
    connect(list_, &QListWidget::currentRowChanged, this, &CObjPropDlg::SelectionChanged);
    for (QSlider* slider : sliders_) {
        connect(slider, &QSlider::valueChanged, this, [this, slider] { SlidersMoved(slider); });
        connect(slider, &QSlider::sliderReleased, this, [this] {
            if (!pending_) host_.repaint();
        });
    }
    connect(tickSlider_, &QSlider::valueChanged, this, [this] { SlidersMoved(tickSlider_); });
    connect(tickSlider_, &QSlider::sliderReleased, this, [this] {
        if (!pending_) host_.repaint();
    });

    connect(resetAll_, &QPushButton::clicked, this, [this] {
        ResetMaterial(Selected());
        RefreshMaterialControls();
        host_.repaint();
    });
    connect(colours_, &QPushButton::clicked, this, &CObjPropDlg::ChooseColour);
    connect(visible_, &QCheckBox::clicked, this, [this](bool on) {
        Selected().visible = on ? 1 : 0;
        host_.repaint();
    });
    connect(movable_, &QCheckBox::clicked, this, [this](bool on) { Selected().movable = on ? 1 : 0; });
    connect(rename_, &QPushButton::clicked, this, &CObjPropDlg::Rename);
    connect(delete_, &QPushButton::clicked, this, &CObjPropDlg::Delete);
    connect(loadMaterial_, &QPushButton::clicked, this, &CObjPropDlg::LoadMaterialFile);
    connect(saveMaterial_, &QPushButton::clicked, this, &CObjPropDlg::SaveMaterialFile);
    connect(applyToAll_, &QPushButton::clicked, this, &CObjPropDlg::ApplyToAll);
    connect(materialApply_, &QPushButton::clicked, this, &CObjPropDlg::ApplyPendingMaterial);

    connect(surfaceCombo_, &QComboBox::activated, this, [this](int index) {
        const SceneObject& object = Selected();
        if (index != object.surfaceMode)
            ShowSurfaceApply(ExceedsApplyLimit(object.facetCount, host_.settings.applyButtonLimit));
    });
    connect(box_, &QCheckBox::clicked, this, [this](bool on) {
        SceneObject& object = Selected();
        object.showBox = on ? 1 : 0;
        ShowTickSlider(on, object);
        host_.repaint();
    });
    connect(axes_, &QCheckBox::clicked, this, [this](bool on) {
        Selected().showAxes = on ? 1 : 0;
        host_.repaint();
    });
    connect(centered_, &QCheckBox::clicked, this, [this](bool on) {
        const SceneObject& object = Selected();
        if (on != (object.centered != 0))
            ShowSurfaceApply(ExceedsApplyLimit(object.facetCount, host_.settings.applyButtonLimit));
    });
    connect(optimized_, &QCheckBox::clicked, this, [this](bool on) {
        const SceneObject& object = Selected();
        if (on != (object.optimized != 0)) ShowSurfaceApply(object.facetCount > kOptimizeHintFacets);
    });
    connect(surfaceApply_, &QPushButton::clicked, this, &CObjPropDlg::ApplySurfaceChoice);
    connect(cut_, &QPushButton::clicked, this, &CObjPropDlg::CutSelected);
    connect(topCut_, &QCheckBox::clicked, this, [this](bool on) { Selected().topCut = on ? 1 : 0; });
    connect(restore_, &QPushButton::clicked, this, &CObjPropDlg::RestoreSelected);
    connect(textureCombo_, &QComboBox::activated, this, [this](int index) {
        Selected().capFill = index;
        host_.repaint();
    });
    connect(recut_, &QPushButton::clicked, this,
            [this](bool on) { Selected().recutOnKeyframe = on ? 1 : 0; });
    connect(pixelIcon_, &QToolButton::clicked, this, &CObjPropDlg::EditPixelSize);
    connect(plateEdit_, &QPushButton::clicked, this, &CObjPropDlg::EditPlateSize);
    connect(plateDefault_, &QPushButton::clicked, this, &CObjPropDlg::DefaultPlateSize);
}

SceneObject& CObjPropDlg::Selected() {
    return host_.scene.objects[selected_];
}

bool CObjPropDlg::PlateSelected() const {
    return selected_ == host_.scene.PlateIndex();
}

void CObjPropDlg::FillList(int row) {
    const QSignalBlocker quiet(list_);
    list_->clear();
    const int count = host_.scene.PlateIndex();
    for (int index = 1; index <= count; ++index)
        list_->addItem(WindowTextOf(host_.scene.objects[index].name));
    list_->setCurrentRow(std::clamp(row, 0, count - 1));
}

void CObjPropDlg::ShowGroups(bool plate) {
    for (QWidget* widget :
         std::initializer_list<QWidget*>{cut_, textureCombo_, cutIcon_, topCut_, restore_, applyToAll_})
        widget->setVisible(!plate);
    for (QWidget* widget : std::initializer_list<QWidget*>{plateEdit_, plateDefault_, plateSizeLabel_,
                                                           plateSizeX_, plateSizeY_})
        widget->setVisible(plate);
}

void CObjPropDlg::SelectionChanged(int row) {
    if (row < 0) return;
    selected_ = row + 1;
    ShowGroups(PlateSelected());
    // Re-cutting on keyframes is offered while the flight recorder is open and interpolates.
    ShowRecutButton(host_.flightRecorderOpen && host_.flightRecorderOpen() &&
                    host_.settings.interpolation != 0);
    surfaceApply_->hide();
    surfaceHint_->hide();
    // Also drops slider changes still waiting for "Apply": they belong to the object left behind.
    RefreshAllControls();
}

void CObjPropDlg::RefreshObjectList() {
    FillList(list_->currentRow());
    char text[kStatusTextSize];
    FormatModelsText(host_.scene, text);
    host_.showModelsText(text);
    SelectionChanged(list_->currentRow());
}

void CObjPropDlg::RefreshAllControls() {
    const SceneObject& object = Selected();
    ShowCounts(object);
    location_->setText(QString::fromStdString(RecordLocation(object)));
    centered_->setChecked(object.centered != 0);
    topCut_->setChecked(object.topCut != 0);

    textureCombo_->clear();
    const int fills = OfferedCapFills(object.datasetPath);
    for (int fill = 0; fill < fills; ++fill)
        textureCombo_->addItem(QString::fromLatin1(kCapFillNames[fill]));
    textureCombo_->setCurrentIndex(ComboRow(object.capFill, fills));

    // The plate has no shared vertices to offer and no box of its own.
    const bool plate = PlateSelected();
    for (QWidget* widget : std::initializer_list<QWidget*>{delete_, rename_, centered_, box_})
        widget->setVisible(!plate);
    const bool optimizedState = plate || object.optimized != 0;
    const bool boxState = !plate && object.showBox != 0;
    optimized_->setChecked(optimizedState);
    box_->setChecked(boxState);
    {
        const QSignalBlocker quiet(tickSlider_);
        tickSlider_->setValue(object.tickFactor);
    }
    optimized_->setVisible(!optimizedState);
    FillSurfaceCombo(object);
    axes_->setChecked(object.showAxes != 0);
    ShowTickSlider(boxState, object);
    RefreshMaterialControls();
}

void CObjPropDlg::RefreshMaterialControls() {
    // The sliders show the object again ("Reset all", a chosen colour, another opacity scale, a
    // keyframe): a change still waiting for "Apply" would put back values they no longer show.
    pending_ = false;
    materialApply_->hide();
    const bool logarithmic = host_.settings.logOpacity != 0;
    const SceneObject& object = Selected();
    const MaterialSliders sliders = SlidersFromMaterial(object, logarithmic);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const QSignalBlocker quiet(sliders_[slot]);
        sliders_[slot]->setValue(sliders.*kRows[slot].position);
    }
    ShowPercentages(sliders, object.colour[3]);
    visible_->setChecked(object.visible != 0);
    movable_->setChecked(object.movable != 0);
    recut_->setChecked(object.recutOnKeyframe != 0);
}

void CObjPropDlg::FillSurfaceCombo(const SceneObject& object) {
    const SurfaceOffer offer = OfferedSurfaceModes(object);
    surfaceCombo_->clear();
    for (int mode = 0; mode < offer.itemCount; ++mode)
        surfaceCombo_->addItem(QString::fromLatin1(kSurfaceModeNames[mode]));
    surfaceCombo_->setCurrentIndex(offer.selected);
}

void CObjPropDlg::ShowCounts(const SceneObject& object) {
    facets_->setText(QString::number(object.facetCount));
    vertexes_->setText(QString::number(object.vertexCount));
}

void CObjPropDlg::ShowTickSlider(bool boxOn, const SceneObject& object) {
    // Tick marks need a length unit: without a pixel size the box has none.
    const bool shown = boxOn && object.pixelSize != 0.0f;
    tickSlider_->setVisible(shown);
    tickLabel_->setVisible(shown);
}

void CObjPropDlg::ShowPlateSize() {
    unsigned sizeX = 0;
    unsigned sizeY = 0;
    PlateSizeOf(host_.scene.objects[host_.scene.PlateIndex()], sizeX, sizeY);
    plateSizeX_->setText(QString::number(sizeX));
    plateSizeY_->setText(QString::number(sizeY));
}

void CObjPropDlg::ShowSurfaceApply(bool hint) {
    surfaceApply_->show();
    if (hint) surfaceHint_->show();
}

MaterialSliders CObjPropDlg::ReadSliders() const {
    MaterialSliders sliders;
    for (int slot = 0; slot < kSlotCount; ++slot)
        sliders.*kRows[slot].position = sliders_[slot]->value();
    return sliders;
}

void CObjPropDlg::ShowPercentages(const MaterialSliders& sliders, uint8_t opacity) {
    for (int slot = 0; slot < kOpacity; ++slot)
        percentages_[slot]->setText(QString::fromStdString(PercentText(sliders.*kRows[slot].position)));
    percentages_[kOpacity]->setText(QString::fromStdString(
        host_.settings.logOpacity != 0 ? OpacityText(opacity, true) : PercentText(sliders.opacity)));
}

void CObjPropDlg::SlidersMoved(QSlider* moved) {
    const MaterialSliders sliders = ReadSliders();
    pendingMaterial_ = MaterialFromSliders(sliders, host_.settings.logOpacity != 0);
    ShowPercentages(sliders, pendingMaterial_.colour[3]);

    if (ExceedsApplyLimit(FacetSum(host_.scene), host_.settings.applyButtonLimit)) {
        materialApply_->show();
        pending_ = true;
    } else {
        materialApply_->hide();
        SceneObject& object = Selected();
        CommitMaterial(object, pendingMaterial_);
        pending_ = false;
        object.tickFactor = tickSlider_->value();
    }
    // A key or a click beside the handle moves the slider without a drag: that is its release too.
    if (!moved->isSliderDown() && !pending_) host_.repaint();
}

void CObjPropDlg::ApplyPendingMaterial() {
    if (pending_) {
        CommitMaterial(Selected(), pendingMaterial_);
        pending_ = false;
        host_.repaint();
    }
    materialApply_->hide();
}

void CObjPropDlg::ApplyToAll() {
    const WaitCursor wait;
    SceneObject& object = Selected();
    if (pending_) {
        CommitMaterial(object, pendingMaterial_);
        object.tickFactor = tickSlider_->value();
        pending_ = false;
    }
    for (int index = 1; index < host_.scene.PlateIndex(); ++index) {
        if (index != selected_) CopyMaterial(object, host_.scene.objects[index]);
    }
    materialApply_->hide();
    host_.repaint();
}

void CObjPropDlg::ChooseColour() {
    const SceneObject& before = Selected();
    const uint64_t serial = before.serial;
    const uint32_t current = before.colour[0] | static_cast<uint32_t>(before.colour[1]) << 8 |
                             static_cast<uint32_t>(before.colour[2]) << 16;
    const std::optional<uint32_t> chosen = host_.services.colours.Choose(current);
    if (!chosen) return;
    // The chooser is modal but events still run: a hand-off may have moved the record to another slot
    // or a deletion removed it. The colour goes to the record it was chosen for, or nowhere.
    SceneObject* object = RecordWithSerial(serial);
    if (object == nullptr) return;
    object->colour[0] = static_cast<uint8_t>(*chosen & 0xFF);
    object->colour[1] = static_cast<uint8_t>(*chosen >> 8 & 0xFF);
    object->colour[2] = static_cast<uint8_t>(*chosen >> 16 & 0xFF);
    RefreshAllControls();
    host_.repaint();
}

SceneObject* CObjPropDlg::RecordWithSerial(uint64_t serial) {
    for (int index = 1; index <= host_.scene.PlateIndex() && index < kRecordCount; ++index)
        if (host_.scene.objects[index].serial == serial) return &host_.scene.objects[index];
    return nullptr;
}

void CObjPropDlg::LoadMaterialFile() {
    const std::optional<FileDialogResult> chosen =
        host_.services.files.Open(MaterialFileRequest("Load Material", host_.settings));
    if (!chosen) return;
    if (!LoadMaterial(Selected(), chosen->path)) {
        host_.services.messages.Warn("The material could not be read from " + chosen->path + ".");
        return;
    }
    RefreshMaterialControls();
    host_.repaint();
}

void CObjPropDlg::SaveMaterialFile() {
    const std::optional<FileDialogResult> chosen =
        host_.services.files.Save(MaterialFileRequest("Save Material", host_.settings));
    if (!chosen) return;
    if (!SaveMaterial(Selected(), chosen->path))
        host_.services.messages.Warn("The material could not be saved to " + chosen->path + ".");
}

void CObjPropDlg::ApplySurfaceChoice() {
    SceneObject& object = Selected();
    if (object.vertexCount == 0) return;
    SurfaceChoice choice;
    choice.surfaceMode = std::max(surfaceCombo_->currentIndex(), 0);
    choice.showAxes = axes_->isChecked() ? 1 : 0;
    choice.optimize = optimized_->isChecked() ? 1 : 0;
    choice.centered = centered_->isChecked() ? 1 : 0;
    surfaceApply_->hide();
    surfaceHint_->hide();
    if (optimized_->isChecked()) optimized_->hide();

    const WaitCursor wait;
    const SurfaceUpdate update = ApplySurface(host_.scene, selected_, choice, host_.graphics);
    if (update == SurfaceUpdate::kPlate) {
        // With no model in the scene the plate's visibility is the one it starts with next time.
        if (host_.scene.ModelCount() == 0)
            host_.services.settings.WriteInt(kSettingsSection, kPlateVisibleKey,
                                             visible_->isChecked() ? 1 : 0);
        host_.rebuildPlateList();
    } else if (update == SurfaceUpdate::kModelWelded) {
        for (int mode = surfaceCombo_->count(); mode < kSurfaceModeCount; ++mode)
            surfaceCombo_->addItem(QString::fromLatin1(kSurfaceModeNames[mode]));
        ShowCounts(object);
    } else if (update == SurfaceUpdate::kModel && object.optimized == 0) {
        // A weld that was refused leaves the mesh as it was: the choice stays open.
        optimized_->setChecked(false);
        optimized_->show();
    }
    host_.repaint();
}

void CObjPropDlg::CutSelected() {
    // The picture shows the plate where it cuts before the wait for the cut begins.
    host_.repaint();
    SceneObject& object = Selected();
    object.surfaceMode = static_cast<int16_t>(std::max(surfaceCombo_->currentIndex(), 0));
    const WaitCursor wait;
    CutByPlate(host_.scene, selected_, host_.graphics);
    host_.graphics.BuildSurfaceLists(selected_);
    ShowCounts(object);
    host_.repaint();
}

void CObjPropDlg::RestoreSelected() {
    const SceneObject& object = Selected();
    {
        const WaitCursor wait;
        std::string problem;
        if (RestoreObject(host_.scene, selected_, host_.graphics, host_.services.tones, &problem) != 0)
            host_.graphics.BuildSurfaceLists(selected_);
        else
            host_.showMessage("Cannot restore from " + RecordLocation(object) + ": " + problem);
    }
    host_.repaint();
    optimized_->setChecked(object.optimized != 0);
    ShowCounts(object);
    optimized_->setVisible(object.optimized == 0);
    FillSurfaceCombo(object);
}

void CObjPropDlg::Rename() {
    const int row = list_->currentRow();
    CNewName dialog(WindowTextOf(Selected().name), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name = dialog.NewName();
    if (!name.isEmpty()) SetRecordText(Selected().name, RecordTextOf(name).c_str());
    FillList(row);
}

void CObjPropDlg::Delete() {
    if (PlateSelected()) return;
    const std::string question = "Delete object < " + WindowTextOf(Selected().name).toStdString() + " > now?";
    if (!host_.services.messages.AskOkCancel(question)) return;
    if (host_.objectsChanging) host_.objectsChanging();
    host_.scene.DeleteModel(selected_, host_.graphics);
    RefreshObjectList();
    host_.repaint();
}

void CObjPropDlg::ShowRecutButton(bool on) {
    recut_->setVisible(on && !PlateSelected());
}

void CObjPropDlg::EditPixelSize() {
    SceneObject& object = Selected();
    // A size that came with the model in its own unit is not edited here.
    if (PlateSelected() || object.unit != 0) return;
    CVoxSize dialog(object.pixelSize, host_.services.messages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const double value = dialog.Value();
    const float previous = object.pixelSize;
    // The record keeps single precision: a larger entry is taken as the largest size it holds.
    object.pixelSize =
        value > 0.0 ? static_cast<float>(std::min(value, double{std::numeric_limits<float>::max()})) : 0.0f;
    ShowTickSlider(object.showBox != 0, object);
    if (object.showBox != 0 && object.pixelSize != previous) host_.repaint();
}

void CObjPropDlg::EditPlateSize() {
    if (plateEdit_->text() == kEditCaption) {
        plateEdit_->setText(kApplyCaption);
        plateSizeX_->setEnabled(true);
        plateSizeY_->setEnabled(true);
        return;
    }
    plateEdit_->setText(kEditCaption);
    plateSizeX_->setEnabled(false);
    plateSizeY_->setEnabled(false);
    const unsigned sizeX = SizeOf(*plateSizeX_);
    const unsigned sizeY = SizeOf(*plateSizeY_);
    if (!PlateSizeAccepted(sizeX, sizeY)) {
        ShowPlateSize();
        return;
    }
    SetPlateSize(host_.scene.objects[host_.scene.PlateIndex()], sizeX, sizeY);
    host_.rebuildPlateList();
    host_.repaint();
}

void CObjPropDlg::DefaultPlateSize() {
    plateSizeX_->setEnabled(false);
    plateSizeY_->setEnabled(false);
    const unsigned size =
        SetDefaultPlateSize(host_.scene.objects[host_.scene.PlateIndex()], host_.settings.stageSize);
    plateSizeX_->setText(QString::number(size));
    plateSizeY_->setText(QString::number(size));
    host_.rebuildPlateList();
    host_.repaint();
}
