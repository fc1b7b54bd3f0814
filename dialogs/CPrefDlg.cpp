#include "dialogs/CPrefDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "dialogs/NumberEntry.h"
#include "navigation/MovementSteps.h"
#include "platform/MessageBoxes.h"
#include "resources/PreferencesIds.h"

namespace {

QCheckBox* Box(int id, const char* text, int value, QWidget* parent) {
    auto* box = Named(new QCheckBox(QString::fromLatin1(text), parent), id);
    box->setChecked(value != 0);
    return box;
}

int Checked(const QCheckBox& box) {
    return box.isChecked() ? 1 : 0;
}

// A spin box that lets its owner reach its number edit, which QSpinBox keeps protected.
class UpDownControl : public QSpinBox {
public:
    using QSpinBox::lineEdit;
    using QSpinBox::QSpinBox;
};

// A number set only by its arrows: the spin box is the up-down control, its edit the number beside it.
QSpinBox* UpDown(int upDownId, int editId, int minimum, int maximum, int value, QWidget* parent) {
    auto* upDown = Named(new UpDownControl(parent), upDownId);
    upDown->setRange(minimum, maximum);
    upDown->setValue(value);
    QLineEdit* edit = Named(upDown->lineEdit(), editId);
    edit->setReadOnly(true);
    return upDown;
}

QLineEdit* NumberEdit(int id, const QString& text, QWidget* parent) {
    auto* edit = Named(new QLineEdit(text, parent), id);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 12);
    return edit;
}

}  // namespace

CPrefDlg::CPrefDlg(const PreferenceValues& values, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), values_(values), messages_(messages) {
    setObjectName(QString::number(kIdPreferencesDialog));
    setWindowTitle(QStringLiteral(" Preferences"));
    BuildControls();
}

void CPrefDlg::BuildControls() {
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);

    accelerator_ = Box(kIdPrefAccelerator, "Use hardware accelerator", values_.glAccelerator, this);
    column->addWidget(accelerator_);
    column->addWidget(new QLabel(QStringLiteral("(changing this option require\nrestarting program)"), this));
    sound_ = Box(kIdPrefSound, "Sound notifications", values_.sound, this);
    column->addWidget(sound_);
    plateAtStart_ = Box(kIdPrefPlateAtStart, "Show plate in the start", values_.plateVisible, this);
    column->addWidget(plateAtStart_);
    logOpacity_ = Box(kIdPrefLogOpacity, "Logarithmic scale of the opacity", values_.logOpacity, this);
    column->addWidget(logOpacity_);
    lookAt_ = Box(kIdPrefLookAt, "View from rising ground", values_.lookAt, this);
    column->addWidget(lookAt_);

    auto* grid = new QGridLayout;
    int row = 0;
    applyButtonLimit_ = NumberEdit(kIdPrefApplyButtonLimit, QString::number(values_.applyButtonLimit), this);
    grid->addWidget(new QLabel(QStringLiteral("If model bigger than"), this), row, 0);
    grid->addWidget(applyButtonLimit_, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("M facets"), this), row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("show APPLY button in the\nOBJECTS dialog box"), this), row++,
                    0, 1, 3);
    column->addLayout(grid);
    connect(applyButtonLimit_, &QLineEdit::textChanged, this, &CPrefDlg::ClampApplyButtonLimit);

    boxesWhenMoving_ = Box(kIdPrefBoxesWhenMoving, "Draw the models bounding boxes when moving",
                           values_.drawBoxesWhenMoving, this);
    column->addWidget(boxesWhenMoving_);

    auto* numbers = new QGridLayout;
    row = 0;
    arrowLength_ = NumberEdit(kIdPrefArrowLength, QString::number(values_.arrowLength, 'g', 6), this);
    numbers->addWidget(new QLabel(QStringLiteral("Arrows length (units)"), this), row, 0);
    numbers->addWidget(arrowLength_, row++, 1);
    jpegQuality_ = UpDown(kIdPrefJpegQualityUpDown, kIdPrefJpegQualityEdit, kJpegQualityMin, kJpegQualityMax,
                          values_.jpegQuality, this);
    numbers->addWidget(new QLabel(QStringLiteral("Jpeg quality factor"), this), row, 0);
    numbers->addWidget(jpegQuality_, row, 1);
    numbers->addWidget(new QLabel(QStringLiteral("%"), this), row++, 2);
    aviFramerate_ = UpDown(kIdPrefFramerateUpDown, kIdPrefFramerateEdit, kAviFramerateMin, kAviFramerateMax,
                           values_.aviFramerate, this);
    numbers->addWidget(new QLabel(QStringLiteral("Video frame rate"), this), row, 0);
    numbers->addWidget(aviFramerate_, row, 1);
    numbers->addWidget(new QLabel(QStringLiteral("fps"), this), row++, 2);
    column->addLayout(numbers);

    auto* wheel = new QGroupBox(QStringLiteral("Reaction for the mouse wheel:"), this);
    auto* wheelColumn = new QVBoxLayout(wheel);
    mouseWheel_ = new QButtonGroup(this);
    const auto addWheelChoice = [&](int id, const char* text, int value) {
        auto* choice = Named(new QRadioButton(QString::fromLatin1(text), wheel), id);
        choice->setChecked(values_.mouseWheel == value);
        mouseWheel_->addButton(choice, value);
        wheelColumn->addWidget(choice);
    };
    addWheelChoice(kIdPrefWheelFar, "move far on turn forward", 0);
    addWheelChoice(kIdPrefWheelClose, "move close on turn forward", 1);
    column->addWidget(wheel);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QDialogButtonBox::Ok), kIdPrefOk);
    Named(buttons->addButton(QDialogButtonBox::Cancel), kIdPrefCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrefDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrefDlg::reject);
    column->addWidget(buttons);
}

void CPrefDlg::ClampApplyButtonLimit() {
    const auto shown = ClampedApplyButtonLimit(applyButtonLimit_->text().toStdString());
    if (!shown) return;
    const QString text = QString::number(*shown);
    // Rewriting the text changes it once more; the second pass finds it in range and stops.
    if (applyButtonLimit_->text() != text) applyButtonLimit_->setText(text);
}

void CPrefDlg::accept() {
    const auto applyButtonLimit = ClampedApplyButtonLimit(applyButtonLimit_->text().toStdString());
    if (!applyButtonLimit) {
        Refuse(kEnterIntegerMessage, *applyButtonLimit_);
        return;
    }
    const auto arrowLength = ReadWholeFloat(arrowLength_->text().toStdString());
    if (!arrowLength) {
        Refuse(kEnterNumberMessage, *arrowLength_);
        return;
    }
    values_.glAccelerator = Checked(*accelerator_);
    values_.sound = Checked(*sound_);
    values_.plateVisible = Checked(*plateAtStart_);
    values_.logOpacity = Checked(*logOpacity_);
    values_.lookAt = Checked(*lookAt_);
    values_.applyButtonLimit = *applyButtonLimit;
    values_.drawBoxesWhenMoving = Checked(*boxesWhenMoving_);
    values_.arrowLength = *arrowLength;
    values_.jpegQuality = jpegQuality_->value();
    values_.aviFramerate = aviFramerate_->value();
    values_.mouseWheel = mouseWheel_->checkedId() == 1 ? 1 : 0;
    QDialog::accept();
}

void CPrefDlg::Refuse(const char* message, QLineEdit& edit) {
    messages_.Warn(message);
    edit.setFocus();
    edit.selectAll();
}
