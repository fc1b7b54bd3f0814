#include "dialogs/CFRDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialogs/CColorStatic.h"
#include "dialogs/DialogControls.h"
#include "flight/FlightRecorderState.h"
#include "navigation/MovementSteps.h"
#include "platform/ColourChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramSettings.h"
#include "platform/ScreenSaverInhibitor.h"
#include "resources/FlightRecorderIds.h"
#include "scene/DisplayState.h"

namespace {

constexpr const char* kInhibitReason = "A flight is being recorded";

QLineEdit* FrameEdit(int id, QWidget* parent) {
    auto* edit = Named(new QLineEdit(parent), id);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    return edit;
}

// The edit's frame count held to 0..1000, or `previous` when its text is no integer.
int EditNumber(const QLineEdit& edit, int previous) {
    int value = 0;
    return ReadWholeInteger(edit.text().toStdString(), value) ? ClampFlightFrames(value) : previous;
}

int Ticked(const QAbstractButton& button) {
    return button.isChecked() ? 1 : 0;
}

}  // namespace

CFRDlg::CFRDlg(FlightRecorderHost host, QWidget* parent) : QDialog(parent, Qt::Tool), host_(std::move(host)) {
    setObjectName(QString::number(kIdFlightRecorderDialog));
    setWindowTitle(QStringLiteral(" Flight recorder"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    ConnectControls();

    // A recording may run unattended for a long time.
    host_.services.screenSaver.Inhibit(kInhibitReason);
    FlightRecorderState& state = host_.state;
    state.saveFiles = host_.display.saveFlightFiles;
    state.interpolated = host_.settings.interpolation;
    state.interpolatedFrames = host_.settings.duration;
    host_.showRecutControl(host_.settings.interpolation != 0);
    RestorePlacement(*this, host_.services.settings);
    ShowKeyframe(state, state.currentKeyframe, host_.keyframeCount());
    // Keyframes may have gone while the window was closed: the total follows them.
    UpdateTotalFrames();
    ApplyStates();
}

CFRDlg::~CFRDlg() {
    RunClosingSteps();
}

void CFRDlg::RunClosingSteps() {
    // They run when the window closes: a closed window may be deleted only after the frame is gone.
    if (closed_) return;
    closed_ = true;
    for (QLineEdit* edit : {interpolatedFrames_, fadeInFrames_, fadeOutFrames_})
        edit->removeEventFilter(this);
    FlightRecorderState& state = host_.state;
    state.idle = 1;  // a running playback stops at its next check
    SavePlacement(*this, host_.services.settings);
    host_.services.screenSaver.Release();
    host_.display.saveFlightFiles = state.saveFiles;
    host_.settings.interpolation = state.interpolated;
    host_.settings.duration = state.interpolatedFrames;
    host_.showRecutControl(false);
}

void CFRDlg::BuildControls() {
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto* keys = new QGridLayout;
    store_ = Button(QStringLiteral("KeyFrame"), kIdStoreKeyframeButton, this);
    reset_ = Button(QStringLiteral("reset"), kIdResetButton, this);
    keyframeLabel_ = Named(new QLabel(QStringLiteral("keyframe"), this), kIdKeyframeLabel);
    keyframeText_ = ReadOnlyEdit(kIdKeyframeText, QStringLiteral("0000/0000"), this);
    keys->addWidget(store_, 0, 0);
    keys->addWidget(reset_, 0, 1);
    keys->addWidget(keyframeLabel_, 0, 2, Qt::AlignRight);
    keys->addWidget(keyframeText_, 0, 3);
    backward_ = Button(QStringLiteral("<<"), kIdBackwardButton, this);
    play_ = Button(QStringLiteral(">"), kIdPlayButton, this);
    stop_ = Button(QStringLiteral("STOP"), kIdStopButton, this);
    forward_ = Button(QStringLiteral(">>"), kIdForwardButton, this);
    keys->addWidget(backward_, 1, 0);
    keys->addWidget(KeepsRoom(play_), 1, 1, 1, 2);
    keys->addWidget(KeepsRoom(stop_), 1, 1, 1, 2);
    keys->addWidget(forward_, 1, 3);
    progress_ = KeepsRoom(Named(new QProgressBar(this), kIdPlayProgress));
    progress_->setTextVisible(false);
    progress_->setMaximumHeight(12);
    keys->addWidget(progress_, 2, 0, 1, 4);
    column->addLayout(keys);

    auto* flight = new QGridLayout;
    saveFiles_ = Named(new QCheckBox(QStringLiteral("save files"), this), kIdSaveFilesCheck);
    repeat_ = Named(new QCheckBox(QStringLiteral("repeat"), this), kIdRepeatCheck);
    interpolated_ = Named(new QCheckBox(QStringLiteral("interpolated frames"), this), kIdInterpolatedCheck);
    interpolatedFrames_ = FrameEdit(kIdInterpolatedEdit, this);
    totalFrames_ = ReadOnlyEdit(kIdTotalFramesText, QStringLiteral("0000000"), this);
    flight->addWidget(saveFiles_, 0, 0);
    flight->addWidget(repeat_, 0, 1);
    flight->addWidget(interpolated_, 1, 0);
    flight->addWidget(interpolatedFrames_, 1, 1);
    flight->addWidget(new QLabel(QStringLiteral("Total number of frames"), this), 2, 0);
    flight->addWidget(totalFrames_, 2, 1);
    column->addLayout(flight);

    auto* fades = new QGroupBox(QStringLiteral("Fades"), this);
    auto* grid = new QGridLayout(fades);
    const auto fadeRow = [&](int row, int checkId, const char* checkText, int editId, int staticId,
                             int labelId, const char* labelText, int sceneId, int colourId, int swatchId,
                             QCheckBox*& check, QLineEdit*& edit, QCheckBox*& still, QWidget*& label,
                             QRadioButton*& scene, QRadioButton*& colour, CColorStatic*& swatch) {
        check = Named(new QCheckBox(QString::fromLatin1(checkText), fades), checkId);
        edit = FrameEdit(editId, fades);
        still = Named(new QCheckBox(QStringLiteral("static frames"), fades), staticId);
        label = Named(new QLabel(QString::fromLatin1(labelText), fades), labelId);
        scene = Named(new QRadioButton(QStringLiteral("scene"), fades), sceneId);
        colour = Named(new QRadioButton(QStringLiteral("color"), fades), colourId);
        swatch = KeepsRoom(Named(new CColorStatic(fades), swatchId));
        auto* group = new QButtonGroup(this);
        group->addButton(scene);
        group->addButton(colour);
        grid->addWidget(check, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(still, row, 2, 1, 2);
        grid->addWidget(label, row + 1, 0, Qt::AlignRight);
        grid->addWidget(scene, row + 1, 1);
        grid->addWidget(colour, row + 1, 2);
        grid->addWidget(swatch, row + 1, 3);
    };
    fadeRow(0, kIdFadeInCheck, "fade-in frames", kIdFadeInEdit, kIdFadeInStaticCheck, kIdFadeInFromLabel,
            "from", kIdFadeInSceneRadio, kIdFadeInColourRadio, kIdFadeInColourSwatch, fadeIn_, fadeInFrames_,
            fadeInStatic_, fromLabel_, fadeInScene_, fadeInColour_, fadeInSwatch_);
    fadeRow(2, kIdFadeOutCheck, "fade-out frames", kIdFadeOutEdit, kIdFadeOutStaticCheck, kIdFadeOutToLabel,
            "to", kIdFadeOutSceneRadio, kIdFadeOutColourRadio, kIdFadeOutColourSwatch, fadeOut_,
            fadeOutFrames_, fadeOutStatic_, toLabel_, fadeOutScene_, fadeOutColour_, fadeOutSwatch_);
    column->addWidget(fades);
}

void CFRDlg::ConnectControls() {
    connect(store_, &QPushButton::clicked, this, [this] {
        host_.storeKeyframe();
        UpdateTotalFrames();
    });
    connect(reset_, &QPushButton::clicked, this, &CFRDlg::Reset);
    connect(play_, &QPushButton::clicked, this, &CFRDlg::Play);
    connect(forward_, &QPushButton::clicked, this, [this] { ShowKeyframes(true); });
    connect(backward_, &QPushButton::clicked, this, [this] { ShowKeyframes(false); });
    connect(stop_, &QPushButton::clicked, this, &CFRDlg::Stop);
    connect(saveFiles_, &QCheckBox::clicked, this, &CFRDlg::SaveFilesClicked);
    connect(repeat_, &QCheckBox::clicked, this, &CFRDlg::RepeatClicked);
    connect(interpolated_, &QCheckBox::clicked, this, &CFRDlg::InterpolatedClicked);
    for (QCheckBox* check : {fadeIn_, fadeOut_, fadeInStatic_, fadeOutStatic_})
        connect(check, &QCheckBox::clicked, this, [this] {
            ReadControls();
            UpdateTotalFrames();
            ApplyStates();
        });
    for (QRadioButton* radio : {fadeInScene_, fadeInColour_, fadeOutScene_, fadeOutColour_})
        connect(radio, &QRadioButton::clicked, this, [this] {
            ReadControls();
            ApplyStates();
        });
    connect(fadeInSwatch_, &QPushButton::clicked, this, [this] { ChooseColour(true); });
    connect(fadeOutSwatch_, &QPushButton::clicked, this, [this] { ChooseColour(false); });
    for (QLineEdit* edit : {interpolatedFrames_, fadeInFrames_, fadeOutFrames_})
        edit->installEventFilter(this);
}

void CFRDlg::LoadControls() {
    const FlightRecorderState& state = host_.state;
    const FadeSettings& fades = state.fades;
    keyframeText_->setText(QString::fromStdString(state.keyframeText));
    saveFiles_->setChecked(state.saveFiles != 0);
    interpolated_->setChecked(state.interpolated != 0);
    interpolatedFrames_->setText(QString::number(state.interpolatedFrames));
    repeat_->setChecked(state.repeat != 0);
    totalFrames_->setText(QString::number(state.totalFrames));
    fadeIn_->setChecked(fades.fadeIn != 0);
    fadeOut_->setChecked(fades.fadeOut != 0);
    fadeInFrames_->setText(QString::number(fades.fadeInFrames));
    fadeOutFrames_->setText(QString::number(fades.fadeOutFrames));
    fadeInStatic_->setChecked(fades.fadeInStatic != 0);
    fadeOutStatic_->setChecked(fades.fadeOutStatic != 0);
    (fades.fadeInFrom != 0 ? fadeInColour_ : fadeInScene_)->setChecked(true);
    (fades.fadeOutTo != 0 ? fadeOutColour_ : fadeOutScene_)->setChecked(true);
    fadeInSwatch_->SetColour(fades.fadeInColour);
    fadeOutSwatch_->SetColour(fades.fadeOutColour);
}

void CFRDlg::ReadControls() {
    FlightRecorderState& state = host_.state;
    FadeSettings& fades = state.fades;
    state.saveFiles = Ticked(*saveFiles_);
    state.interpolated = Ticked(*interpolated_);
    state.interpolatedFrames = EditNumber(*interpolatedFrames_, state.interpolatedFrames);
    state.repeat = Ticked(*repeat_);
    fades.fadeIn = Ticked(*fadeIn_);
    fades.fadeOut = Ticked(*fadeOut_);
    fades.fadeInFrames = EditNumber(*fadeInFrames_, fades.fadeInFrames);
    fades.fadeOutFrames = EditNumber(*fadeOutFrames_, fades.fadeOutFrames);
    fades.fadeInStatic = Ticked(*fadeInStatic_);
    fades.fadeOutStatic = Ticked(*fadeOutStatic_);
    fades.fadeInFrom = Ticked(*fadeInColour_);
    fades.fadeOutTo = Ticked(*fadeOutColour_);
}

void CFRDlg::ApplyStates() {
    const FlightRecorderState& state = host_.state;
    const bool idle = state.idle != 0;
    progress_->setVisible(!idle);
    stop_->setVisible(!idle);
    play_->setVisible(idle);
    for (QWidget* control : std::initializer_list<QWidget*>{store_, reset_, backward_, forward_, saveFiles_,
                                                            repeat_, interpolated_, keyframeLabel_})
        control->setEnabled(idle);
    const bool interpolating = idle && state.interpolated != 0;
    interpolatedFrames_->setEnabled(interpolating);
    totalFrames_->setEnabled(interpolating);
    const bool saving = idle && state.saveFiles != 0;
    fadeIn_->setEnabled(saving);
    fadeOut_->setEnabled(saving);
    const bool fadingIn = saving && state.fades.fadeIn != 0;
    for (QWidget* control : std::initializer_list<QWidget*>{fadeInFrames_, fadeInStatic_, fromLabel_,
                                                            fadeInScene_, fadeInColour_})
        control->setEnabled(fadingIn);
    const bool fadingOut = saving && state.fades.fadeOut != 0;
    for (QWidget* control : std::initializer_list<QWidget*>{fadeOutFrames_, fadeOutStatic_, toLabel_,
                                                            fadeOutScene_, fadeOutColour_})
        control->setEnabled(fadingOut);
    fadeInSwatch_->setEnabled(fadingIn);
    fadeInSwatch_->setVisible(state.fades.fadeInFrom == 1);
    fadeOutSwatch_->setEnabled(fadingOut);
    fadeOutSwatch_->setVisible(state.fades.fadeOutTo == 1);
}

void CFRDlg::UpdateTotalFrames() {
    ::UpdateTotalFrames(host_.state, host_.keyframeCount());
    LoadControls();
}

void CFRDlg::StartProgress(int maximum) {
    progress_->setRange(0, std::max(maximum, 0));
    progress_->setValue(0);
}

void CFRDlg::StepProgress() {
    // Past the end the bar stays full, as a repeated flight goes on.
    progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

void CFRDlg::SetProgress(int value) {
    progress_->setValue(std::clamp(value, progress_->minimum(), progress_->maximum()));
}

void CFRDlg::Play() {
    ReadControls();
    FlightRecorderState& state = host_.state;
    state.idle = 0;
    ApplyStates();
    host_.settings.interpolation = state.interpolated;
    host_.display.saveFlightFiles = state.saveFiles;
    host_.settings.duration = state.interpolatedFrames;
    if (FitFadesToFlight(state)) {
        LoadControls();
        host_.services.messages.Inform(kFadeAdjustedMessage);
    }
    // The window may be closed while the flight plays; then it is gone when the flight returns.
    const QPointer<CFRDlg> self(this);
    host_.playFlight();
    if (!self) return;
    progress_->setValue(0);
    state.idle = 1;
    ApplyStates();
}

void CFRDlg::ShowKeyframes(bool forward) {
    host_.state.idle = 0;
    ApplyStates();
    const QPointer<CFRDlg> self(this);
    host_.showKeyframes(forward);
    if (!self) return;
    host_.state.idle = 1;
    ApplyStates();
}

void CFRDlg::Stop() {
    host_.state.idle = 1;
    ApplyStates();
}

void CFRDlg::Reset() {
    host_.state.idle = 1;
    ApplyStates();
    host_.deleteAllKeyframes();
    UpdateTotalFrames();
}

void CFRDlg::SaveFilesClicked() {
    ReadControls();
    host_.display.saveFlightFiles = host_.state.saveFiles;
    host_.state.repeat = 0;
    UpdateTotalFrames();
    ApplyStates();
}

void CFRDlg::RepeatClicked() {
    ReadControls();
    host_.display.saveFlightFiles = 0;
    host_.state.saveFiles = 0;
    UpdateTotalFrames();
    ApplyStates();
}

void CFRDlg::InterpolatedClicked() {
    ReadControls();
    host_.settings.interpolation = host_.state.interpolated;
    host_.showRecutControl(host_.state.interpolated != 0);
    ApplyStates();
    UpdateTotalFrames();
}

void CFRDlg::FrameEditLeft(QLineEdit* edit) {
    // Reading the controls holds the counts to 0..1000; showing them again puts the held value in the edit.
    ReadControls();
    UpdateTotalFrames();
    if (edit == interpolatedFrames_) host_.settings.duration = host_.state.interpolatedFrames;
}

void CFRDlg::ChooseColour(bool fadeIn) {
    FadeSettings& fades = host_.state.fades;
    uint32_t& colour = fadeIn ? fades.fadeInColour : fades.fadeOutColour;
    const std::optional<uint32_t> chosen = host_.services.colours.Choose(colour);
    if (!chosen) return;
    colour = *chosen & 0x00FFFFFFu;
    (fadeIn ? fadeInSwatch_ : fadeOutSwatch_)->SetColour(colour);
}

bool CFRDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (QLineEdit* edit : {interpolatedFrames_, fadeInFrames_, fadeOutFrames_})
            if (watched == edit) FrameEditLeft(edit);
    }
    return QDialog::eventFilter(watched, event);
}

void CFRDlg::closeEvent(QCloseEvent* event) {
    RunClosingSteps();
    event->accept();
}

void CFRDlg::reject() {
    // Esc closes the window with the closing steps, as its close box does.
    close();
}

void CFRDlg::accept() {
    if (QWidget* focused = focusWidget()) focused->clearFocus();
}
