#include "dialogs/CRecutDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/CColorList.h"
#include "dialogs/DialogControls.h"
#include "navigation/MovementSteps.h"
#include "platform/MessageBoxes.h"
#include "resources/RecutIds.h"

CRecutDlg::CRecutDlg(const RecutValues& values, bool whiteFirst, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), values_(values), messages_(messages) {
    setObjectName(QString::number(kIdRecutDialog));
    setWindowTitle(QStringLiteral(" Dataset resampling"));
    auto* grid = new QGridLayout(this);

    operation_ = Named(new QComboBox(this), kIdRecutOperation);
    operation_->addItems({QStringLiteral("Resampling"), QStringLiteral("MIP")});
    grid->addWidget(new QLabel(QStringLiteral("Operation :"), this), 0, 0);
    grid->addWidget(operation_, 0, 1);

    prefixLabel_ = Named(new QLabel(this), kIdRecutPrefixLabel);
    prefix_ = Named(new QLineEdit(QString::fromStdString(values.prefix), this), kIdRecutPrefix);
    prefix_->setMinimumWidth(prefix_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    grid->addWidget(prefixLabel_, 1, 0, 1, 2);
    grid->addWidget(prefix_, 2, 0, 1, 2);

    fileType_ = Named(new QComboBox(this), kIdRecutFileType);
    fileType_->addItems({QStringLiteral("bmp"), QStringLiteral("jpg")});
    fileType_->setCurrentIndex(values.fileType);
    grid->addWidget(new QLabel(QStringLiteral("Type of file :"), this), 3, 0);
    grid->addWidget(fileType_, 3, 1);

    background_ = Named(new CColorList(this), kIdRecutBackground);
    background_->AddColour(whiteFirst ? 0xFFFFFFu : 0x000000u);
    background_->AddColour(whiteFirst ? 0x000000u : 0xFFFFFFu);
    background_->setCurrentIndex(values.backgroundIndex);
    grid->addWidget(new QLabel(QStringLiteral("Background color :"), this), 4, 0);
    grid->addWidget(background_, 4, 1);

    countLabel_ = Named(new QLabel(this), kIdRecutCountLabel);
    count_ = Named(new QLineEdit(QString::number(values.sliceCount), this), kIdRecutCount);
    grid->addWidget(countLabel_, 5, 0);
    grid->addWidget(count_, 5, 1);
    spacingLabel_ = Named(new QLabel(QStringLiteral("Space between slices :"), this), kIdRecutSpacingLabel);
    spacing_ = Named(new QLineEdit(QString::number(values.spacing), this), kIdRecutSpacing);
    grid->addWidget(spacingLabel_, 6, 0);
    grid->addWidget(spacing_, 6, 1);

    auto* buttons = new QDialogButtonBox(this);
    Named(buttons->addButton(QDialogButtonBox::Ok), kIdRecutOk);
    Named(buttons->addButton(QDialogButtonBox::Cancel), kIdRecutCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRecutDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRecutDlg::reject);
    grid->addWidget(buttons, 7, 0, 1, 2);

    operation_->setCurrentIndex(values.operation);
    ShowOperation(values.operation);
    connect(operation_, &QComboBox::currentIndexChanged, this, &CRecutDlg::ShowOperation);
}

void CRecutDlg::ShowOperation(int operation) {
    const bool resampling = operation == 0;
    prefixLabel_->setText(resampling ? QStringLiteral("Filename prefix for new dataset :")
                                     : QStringLiteral("Filename prefix for MIP image :"));
    countLabel_->setText(resampling ? QStringLiteral("Number of slices :") : QStringLiteral("Depth :"));
    spacingLabel_->setVisible(resampling);
    spacing_->setVisible(resampling);
}

void CRecutDlg::accept() {
    int count = 0, spacing = 0;
    for (auto [edit, value] : {std::pair{count_, &count}, std::pair{spacing_, &spacing}}) {
        if (!ReadWholeInteger(edit->text().toStdString(), *value)) {
            messages_.Warn(kEnterIntegerMessage);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    values_.backgroundIndex = background_->currentIndex();
    values_.operation = operation_->currentIndex();
    values_.prefix = prefix_->text().toStdString();
    values_.fileType = fileType_->currentIndex();
    values_.sliceCount = count;
    values_.spacing = spacing;
    QDialog::accept();
}
