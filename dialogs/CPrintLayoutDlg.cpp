#include "dialogs/CPrintLayoutDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DialogControls.h"
#include "navigation/MovementSteps.h"
#include "output/PageLayout.h"
#include "platform/MessageBoxes.h"
#include "resources/PrintLayoutIds.h"

namespace {

constexpr int kEditIds[] = {kIdPrintLayoutSizeEdit, kIdPrintLayoutLeftMarginEdit,
                            kIdPrintLayoutTopMarginEdit};
constexpr const char* kLabels[] = {"Image size (mm) :", "Left margin (mm) :", "Top margin (mm) :"};

}  // namespace

CPrintLayoutDlg::CPrintLayoutDlg(int printSize, int leftMargin, int topMargin, MessageBoxes& messages,
                                 QWidget* parent)
    : QDialog(parent), values_{printSize, leftMargin, topMargin}, messages_(messages) {
    setObjectName(QString::number(kIdPrintLayoutDialog));
    setWindowTitle(QStringLiteral(" Print Layout"));

    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);
    for (int i = 0; i < kEdits; ++i) {
        edits_[i] = Named(new QLineEdit(QString::number(values_[i]), this), kEditIds[i]);
        form->addRow(new QLabel(QString::fromLatin1(kLabels[i]), this), edits_[i]);
    }

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QDialogButtonBox::Ok), kIdPrintLayoutOk)->setDefault(true);
    Named(buttons->addButton(QDialogButtonBox::Cancel), kIdPrintLayoutCancel);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPrintLayoutDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPrintLayoutDlg::reject);
    setFixedSize(sizeHint());
}

void CPrintLayoutDlg::accept() {
    int entered[kEdits];
    for (int i = 0; i < kEdits; ++i) {
        const bool isInteger = ReadWholeInteger(edits_[i]->text().toStdString(), entered[i]);
        if (!isInteger || entered[i] < kLayoutMinimum || entered[i] > kLayoutMaximum) {
            messages_.Warn(isInteger ? "Enter an integer between " + std::to_string(kLayoutMinimum) +
                                           " and " + std::to_string(kLayoutMaximum) + "."
                                     : kEnterIntegerMessage);
            edits_[i]->setFocus();
            edits_[i]->selectAll();
            return;
        }
    }
    std::copy(std::begin(entered), std::end(entered), std::begin(values_));
    QDialog::accept();
}
