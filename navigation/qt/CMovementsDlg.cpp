#include "navigation/qt/CMovementsDlg.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "navigation/CBallController.h"
#include "navigation/ControlledScene.h"
#include "navigation/MovementSteps.h"
#include "navigation/NavigationInput.h"
#include "navigation/qt/MovementPictures.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramSettings.h"
#include "platform/Tones.h"
#include "resources/MovementsIds.h"

namespace {

struct KeyButton {
    int id;
    int virtualKey;
};

constexpr KeyButton kRotationButtons[] = {
    {kIdTurnRightButton, kKeyRight}, {kIdTurnLeftButton, kKeyLeft}, {kIdTurnDownButton, kKeyDown},
    {kIdTurnUpButton, kKeyUp},       {kIdTurnHomeButton, kKeyHome}, {kIdTurnPageUpButton, kKeyPageUp},
};

constexpr KeyButton kTranslationButtons[] = {
    {kIdMoveUpButton, kKeyU},    {kIdMoveDownButton, kKeyD},    {kIdMoveLeftButton, kKeyL},
    {kIdMoveRightButton, kKeyR}, {kIdMoveForwardButton, kKeyF}, {kIdMoveBackButton, kKeyB},
};

constexpr int kButtonsPerRow = 6;

QLineEdit* NumberEdit(int id, int value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setObjectName(QString::number(id));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    return edit;
}

}  // namespace

CMovementsDlg::CMovementsDlg(ControlledScene& scene, ProgramSettings& settings,
                             const PlatformServices& services, KeySink sendKey, QWidget* parent)
    : QDialog(parent, Qt::Tool),
      scene_(scene),
      settings_(settings),
      services_(services),
      sendKey_(std::move(sendKey)),
      rotationStep_(scene.controllers[1].keyStepDeg),
      translationStep_(settings.movementIncrement) {
    setObjectName(QString::number(kIdMovementsDialog));
    setWindowTitle(QStringLiteral(" Movements"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    RestorePlacement(*this, services_.settings);
}

CMovementsDlg::~CMovementsDlg() {
    // The focus leaves the edits while the children go; the steps were committed on close already.
    rotationEdit_->removeEventFilter(this);
    translationEdit_->removeEventFilter(this);
    SavePlacement(*this, services_.settings);
}

void CMovementsDlg::BuildControls() {
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setHorizontalSpacing(2);

    int row = 0;
    const auto addRow = [&](const QString& label, QLineEdit* edit,
                            const KeyButton(&buttons)[kButtonsPerRow]) {
        grid->addWidget(new QLabel(label, this), row, 0, 1, 4);
        grid->addWidget(edit, row, 4, 1, 2, Qt::AlignRight);
        ++row;
        for (int i = 0; i < kButtonsPerRow; ++i) {
            auto* button = new QPushButton(this);
            button->setObjectName(QString::number(buttons[i].id));
            button->setIcon(QIcon(MovementPicture(buttons[i].id)));
            button->setIconSize(QSize(kMovementPictureSize, kMovementPictureSize));
            button->setFixedSize(kMovementPictureSize + 10, kMovementPictureSize + 10);
            // Return in an edit must not press a button.
            button->setAutoDefault(false);
            const int key = buttons[i].virtualKey;
            connect(button, &QPushButton::clicked, this, [this, key] { sendKey_(key); });
            grid->addWidget(button, row, i);
        }
        ++row;
    };

    rotationEdit_ = NumberEdit(kIdRotationStepEdit, rotationStep_, this);
    translationEdit_ = NumberEdit(kIdTranslationStepEdit, translationStep_, this);
    addRow(QStringLiteral("Rotations:    step(deg):"), rotationEdit_, kRotationButtons);
    grid->setRowMinimumHeight(row++, 6);
    addRow(QStringLiteral("Translations:    step(pix):"), translationEdit_, kTranslationButtons);

    connect(rotationEdit_, &QLineEdit::textEdited, this,
            [this] { CheckStep(*rotationEdit_, rotationStep_, kRotationStepMax); });
    connect(translationEdit_, &QLineEdit::textEdited, this,
            [this] { CheckStep(*translationEdit_, translationStep_, kTranslationStepMax); });
    rotationEdit_->installEventFilter(this);
    translationEdit_->installEventFilter(this);
}

void CMovementsDlg::CheckStep(QLineEdit& edit, int& value, int maximum) {
    const StepEntry entry = EnterStep(edit.text().toStdString(), value, maximum);
    if (entry.notInteger) services_.messages.Warn(kEnterIntegerMessage);
    value = entry.value;
    if (!entry.corrected) return;
    edit.setText(QString::number(value));
    services_.tones.Beep(kStepCorrectionToneHz, kStepCorrectionToneMs);
}

void CMovementsDlg::Commit(const QLineEdit& edit) {
    if (&edit == rotationEdit_)
        SetObjectKeySteps(scene_, rotationStep_);
    else
        settings_.movementIncrement = translationStep_;
}

bool CMovementsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == rotationEdit_ || watched == translationEdit_))
        Commit(*static_cast<QLineEdit*>(watched));
    return QDialog::eventFilter(watched, event);
}

void CMovementsDlg::hideEvent(QHideEvent* event) {
    // Closing (close box, Escape or the command) takes the focus from the edit being typed in: its
    // value counts.
    if (focusWidget() == rotationEdit_ || focusWidget() == translationEdit_)
        Commit(*static_cast<QLineEdit*>(focusWidget()));
    QDialog::hideEvent(event);
}
