#include "dialogs/CLightDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "dialogs/DialogControls.h"
#include "resources/DialogIds.h"
#include "scene/MaterialSliders.h"

namespace {

struct LightRow {
    int slider;
    int text;
    const char* label;
};

// In slider order: colour red, green, blue, then direction x, y, z.
constexpr LightRow kRows[kLightSliderCount] = {
    {kIdLightRedSlider, kIdLightRedText, "Red :"},    {kIdLightGreenSlider, kIdLightGreenText, "Green :"},
    {kIdLightBlueSlider, kIdLightBlueText, "Blue :"}, {kIdLightXSlider, kIdLightXText, "X  :"},
    {kIdLightYSlider, kIdLightYText, "Y  :"},         {kIdLightZSlider, kIdLightZText, "Z  :"},
};

}  // namespace

CLightDlg::CLightDlg(LightDialogHost host, QWidget* parent)
    : QDialog(parent, Qt::Tool), host_(std::move(host)) {
    setObjectName(QString::number(kIdLightDialog));
    setWindowTitle(QStringLiteral(" Light"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    LoadControls();
    RestorePlacement(*this, host_.store);
}

CLightDlg::~CLightDlg() {
    SavePlacement(*this, host_.store);
}

void CLightDlg::BuildControls() {
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (int slot = 0; slot < kLightSliderCount; ++slot) {
        auto* slider = Named(new QSlider(Qt::Horizontal, this), kRows[slot].slider);
        slider->setRange(0, kSliderMax);
        slider->setMinimumWidth(160);
        QLineEdit* text = ReadOnlyEdit(kRows[slot].text, QStringLiteral("-100%"), this);
        // A gap between the colour rows and the direction rows.
        const int row = slot < 3 ? slot : slot + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(kRows[slot].label), this), row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(text, row, 2);
        sliders_[slot] = slider;
        texts_[slot] = text;

        connect(slider, &QSlider::valueChanged, this, [this, slider] {
            SlidersMoved();
            // A step by the keyboard or a click on the groove has no drag to end: it counts at once.
            if (!slider->isSliderDown()) ApplyAndRepaint();
        });
        connect(slider, &QSlider::sliderReleased, this, &CLightDlg::ApplyAndRepaint);
    }
    grid->setRowMinimumHeight(3, 8);
}

void CLightDlg::LoadControls() {
    const LightSliderPositions positions = LightSliders(host_.state);
    for (int slot = 0; slot < kLightSliderCount; ++slot) {
        const QSignalBlocker quiet(sliders_[slot]);
        sliders_[slot]->setValue(positions[slot]);
    }
    ShowTexts(positions);
}

void CLightDlg::SlidersMoved() {
    LightSliderPositions positions{};
    for (int slot = 0; slot < kLightSliderCount; ++slot)
        positions[slot] = sliders_[slot]->value();
    StoreLightSliders(positions, host_.state);
    ShowTexts(positions);
}

void CLightDlg::ShowTexts(const LightSliderPositions& positions) {
    for (int slot = 0; slot < kLightSliderCount; ++slot)
        texts_[slot]->setText(QString::fromStdString(LightSliderText(slot, positions[slot])));
}

void CLightDlg::ApplyAndRepaint() {
    host_.applyLight();
    host_.repaint();
}
