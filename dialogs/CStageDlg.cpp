#include "dialogs/CStageDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "navigation/MovementSteps.h"
#include "platform/ColourChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramSettings.h"
#include "resources/DialogIds.h"
#include "scene/DisplayState.h"
#include "scene/MaterialSliders.h"
#include "scene/SceneObject.h"
#include "scene/StageSliders.h"

namespace {

// Background modes, which are also the ids of the radio buttons in the group.
enum BackgroundMode { kFillMode = 0, kColourCubeMode = 1, kImageCubeMode = 2 };

constexpr uint32_t kColourBits = 0x00FFFFFF;  // red, green and blue bytes; the fourth stays 0

QSlider* Slider(int id, QWidget* parent) {
    auto* slider = Named(new QSlider(Qt::Horizontal, parent), id);
    slider->setRange(0, kSliderMax);
    slider->setMinimumWidth(150);
    return slider;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CStageDlg::CStageDlg(StageDialogHost host, QWidget* parent)
    : QDialog(parent, Qt::Tool), host_(std::move(host)) {
    setObjectName(QString::number(kIdStageDialog));
    setWindowTitle(QStringLiteral(" Stage"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    ConnectControls();
    LoadControls();
    RestorePlacement(*this, host_.services.settings);
}

CStageDlg::~CStageDlg() {
    // The focus leaves the cube-size edit while the children go; nothing is to be checked then.
    cubeSize_->removeEventFilter(this);
    SavePlacement(*this, host_.services.settings);
}

void CStageDlg::BuildControls() {
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto* view = new QGroupBox(QStringLiteral("Viewing angle"), this);
    auto* viewRow = new QGridLayout(view);
    viewAngle_ = Slider(kIdViewAngleSlider, view);
    viewAngleText_ = ReadOnlyEdit(kIdViewAngleText, QStringLiteral("170 deg"), view);
    viewRow->addWidget(new QLabel(QStringLiteral("10"), view), 0, 0);
    viewRow->addWidget(viewAngle_, 0, 1);
    viewRow->addWidget(new QLabel(QStringLiteral("170"), view), 0, 2);
    viewRow->addWidget(viewAngleText_, 0, 3);
    column->addWidget(view);

    auto* stage = new QGroupBox(QStringLiteral("Background"), this);
    auto* grid = new QGridLayout(stage);
    background_ = new QButtonGroup(this);
    const auto addMode = [&](int id, const char* text, int mode) {
        auto* radio = Named(new QRadioButton(QString::fromLatin1(text), stage), id);
        background_->addButton(radio, mode);
        grid->addWidget(radio, mode, 0);
    };
    addMode(kIdFillRadio, "fill by color   >>", kFillMode);
    addMode(kIdColourCubeRadio, "color cube   >>", kColourCubeMode);
    addMode(kIdImageCubeRadio, "image cube >>", kImageCubeMode);
    stageColour_ = Button(QStringLiteral("Set color ..."), kIdStageColourButton, stage);
    cubeColour_ = Button(QStringLiteral("Set color ..."), kIdCubeColourButton, stage);
    grid->addWidget(stageColour_, kFillMode, 1);
    grid->addWidget(cubeColour_, kColourCubeMode, 1);
    texture_ = Named(new QLineEdit(stage), kIdTextureEdit);
    texture_->setMinimumWidth(texture_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    grid->addWidget(texture_, kImageCubeMode, 1, 1, 2);
    reloadImage_ = Button(QStringLiteral("Reload image"), kIdReloadImageButton, stage);
    grid->addWidget(reloadImage_, kImageCubeMode, 3);
    cubeSize_ = Named(new QLineEdit(stage), kIdCubeSizeEdit);
    cubeSize_->setFixedWidth(cubeSize_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    adaptive_ = Named(new QCheckBox(QStringLiteral("adaptive"), stage), kIdAdaptiveCheck);
    grid->addWidget(new QLabel(QStringLiteral("cube size    >>"), stage), 3, 0);
    grid->addWidget(cubeSize_, 3, 1);
    applyCubeSize_ = Button(QStringLiteral("Apply"), kIdCubeSizeApplyButton, stage);
    grid->addWidget(applyCubeSize_, 3, 2);
    grid->addWidget(adaptive_, 3, 3);
    column->addWidget(stage);

    whiteBoxes_ = Named(new QCheckBox(QStringLiteral("White bounding boxes"), this), kIdWhiteBoxesCheck);
    column->addWidget(whiteBoxes_);

    auto* effects = new QGridLayout;
    stereo_ = Named(new QCheckBox(QStringLiteral("Stereo mode"), this), kIdStereoCheck);
    stereoLabel_ = KeepsRoom(Named(new QLabel(QStringLiteral("angle :"), this), kIdStereoAngleLabel));
    stereoAngle_ = KeepsRoom(Slider(kIdStereoAngleSlider, this));
    stereoAngleText_ = KeepsRoom(ReadOnlyEdit(kIdStereoAngleText, QStringLiteral("-10deg"), this));
    stereoNote_ = KeepsRoom(
        Named(new QLabel(QStringLiteral("( - for left red, + for right red)"), this), kIdStereoNote));
    effects->addWidget(stereo_, 0, 0, 1, 3);
    effects->addWidget(stereoLabel_, 1, 0);
    effects->addWidget(stereoAngle_, 1, 1);
    effects->addWidget(stereoAngleText_, 1, 2);
    effects->addWidget(stereoNote_, 2, 1, 1, 2);
    fog_ = Named(new QCheckBox(QStringLiteral("Add fog :"), this), kIdFogCheck);
    fogSlider_ = KeepsRoom(Slider(kIdFogSlider, this));
    fogText_ = KeepsRoom(ReadOnlyEdit(kIdFogText, QStringLiteral("100%"), this));
    effects->setRowMinimumHeight(3, 8);
    effects->addWidget(fog_, 4, 0);
    effects->addWidget(fogSlider_, 4, 1);
    effects->addWidget(fogText_, 4, 2);
    column->addLayout(effects);
}

void CStageDlg::ConnectControls() {
    for (QSlider* slider : {viewAngle_, stereoAngle_, fogSlider_}) {
        connect(slider, &QSlider::valueChanged, this, [this, slider] {
            SlidersMoved();
            // A step by the keyboard or a click on the groove has no drag to end: it counts at once.
            if (!slider->isSliderDown()) host_.repaint();
        });
        connect(slider, &QSlider::sliderReleased, this, [this] { host_.repaint(); });
    }
    connect(background_, &QButtonGroup::idClicked, this, &CStageDlg::BackgroundChosen);
    connect(stageColour_, &QPushButton::clicked, this, &CStageDlg::ChooseStageColour);
    connect(cubeColour_, &QPushButton::clicked, this, &CStageDlg::ChooseCubeColour);
    connect(reloadImage_, &QPushButton::clicked, this, &CStageDlg::ReloadImage);
    connect(applyCubeSize_, &QPushButton::clicked, this, &CStageDlg::ApplyCubeSize);
    cubeSize_->installEventFilter(this);

    connect(adaptive_, &QCheckBox::clicked, this,
            [this](bool on) { host_.settings.adaptiveCube = on ? 1 : 0; });
    connect(whiteBoxes_, &QCheckBox::clicked, this, [this](bool on) {
        host_.settings.bbMode = on ? 1 : 0;
        host_.repaint();
    });
    connect(stereo_, &QCheckBox::clicked, this, [this](bool on) {
        host_.display.stereo = on ? 1 : 0;
        host_.repaint();
        ApplyVisibility();
        host_.stereoChanged();
    });
    connect(fog_, &QCheckBox::clicked, this, [this](bool on) {
        host_.display.fogOn = on ? 1 : 0;
        host_.repaint();
        ApplyVisibility();
    });
}

void CStageDlg::LoadControls() {
    {
        const QSignalBlocker quietView(viewAngle_);
        const QSignalBlocker quietStereo(stereoAngle_);
        const QSignalBlocker quietFog(fogSlider_);
        viewAngle_->setValue(ViewAngleSlider(host_.state.fieldOfView));
        stereoAngle_->setValue(StereoAngleSlider(host_.settings.stereoAngle));
        fogSlider_->setValue(FogSlider(host_.state.fogIntensity));
    }
    ShowSliderTexts();
    ShowBackground();
    texture_->setText(Text(host_.settings.texture));
    ShowCubeSize();
    adaptive_->setChecked(host_.settings.adaptiveCube != 0);
    whiteBoxes_->setChecked(host_.settings.bbMode != 0);
    stereo_->setChecked(host_.display.stereo != 0);
    fog_->setChecked(host_.display.fogOn != 0);
    ApplyVisibility();
}

void CStageDlg::ApplyVisibility() {
    const bool stereo = host_.display.stereo != 0;
    for (QWidget* control :
         std::initializer_list<QWidget*>{stereoLabel_, stereoAngle_, stereoAngleText_, stereoNote_})
        control->setVisible(stereo);
    const bool fog = host_.display.fogOn != 0;
    fogSlider_->setVisible(fog);
    fogText_->setVisible(fog);
}

void CStageDlg::ShowSliderTexts() {
    viewAngleText_->setText(Text(ViewAngleText(host_.state.fieldOfView)));
    stereoAngleText_->setText(Text(StereoAngleText(host_.settings.stereoAngle)));
    fogText_->setText(Text(FogText(host_.state.fogIntensity)));
}

void CStageDlg::ShowBackground() {
    if (QAbstractButton* chosen = background_->button(host_.settings.bgMode)) {
        chosen->setChecked(true);
        return;
    }
    // A stored mode the dialog does not know: no radio button is chosen.
    background_->setExclusive(false);
    for (QAbstractButton* radio : background_->buttons())
        radio->setChecked(false);
    background_->setExclusive(true);
}

void CStageDlg::ShowCubeSize() {
    cubeSize_->setText(QString::number(host_.settings.stageSize));
}

void CStageDlg::SlidersMoved() {
    host_.settings.stereoAngle = StereoAngleFromSlider(stereoAngle_->value());
    host_.state.fogIntensity = fogSlider_->value();
    host_.state.fieldOfView = ViewAngleFromSlider(viewAngle_->value());
    ShowSliderTexts();
}

void CStageDlg::BackgroundChosen(int mode) {
    host_.settings.bgMode = static_cast<uint16_t>(mode);
    RebuildCube();
    host_.repaint();
}

void CStageDlg::ChooseStageColour() {
    const std::optional<uint32_t> chosen = host_.services.colours.Choose(host_.settings.stageColor);
    if (!chosen) return;
    host_.settings.stageColor = *chosen & kColourBits;
    host_.settings.bgMode = kFillMode;
    ShowBackground();
    host_.repaint();
}

void CStageDlg::ChooseCubeColour() {
    const std::optional<uint32_t> chosen = host_.services.colours.Choose(host_.settings.cubeColor);
    if (!chosen) return;
    host_.settings.cubeColor = *chosen & kColourBits;
    host_.settings.bgMode = kColourCubeMode;
    RebuildCube();
    host_.repaint();
}

void CStageDlg::ReloadImage() {
    host_.settings.texture = texture_->text().toStdString();
    host_.settings.bgMode = kImageCubeMode;
    RebuildCube();
    host_.repaint();
}

bool CStageDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cubeSize_ && event->type() == QEvent::FocusOut) {
        int size = 0;
        // Text that is no integer stays as typed: "Apply" refuses it.
        if (ReadWholeInteger(cubeSize_->text().toStdString(), size))
            cubeSize_->setText(QString::number(ClampCubeSize(size)));
    }
    return QDialog::eventFilter(watched, event);
}

void CStageDlg::ApplyCubeSize() {
    int size = 0;
    if (!ReadWholeInteger(cubeSize_->text().toStdString(), size)) {
        host_.services.messages.Warn(kEnterIntegerMessage);
        cubeSize_->setFocus();
        cubeSize_->selectAll();
        return;
    }
    host_.settings.stageSize = ClampCubeSize(size);
    RebuildCube();
    host_.repaint();
}

void CStageDlg::RebuildCube() {
    if (host_.settings.bgMode == kColourCubeMode)
        host_.buildColourCube();
    else if (host_.settings.bgMode == kImageCubeMode)
        host_.loadImageCube();
    // The builders may grow the stage, and a picture that cannot be loaded falls back to the fill.
    ShowBackground();
    ShowCubeSize();
}
