#include "dialogs/CNewName.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "resources/DialogIds.h"

CNewName::CNewName(const QString& currentName, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(kIdNewNameDialog));
    setWindowTitle(QStringLiteral(" New object name"));

    auto* form = new QFormLayout(this);
    form->setSizeConstraint(QLayout::SetFixedSize);
    auto* current = new QLineEdit(currentName, this);
    current->setObjectName(QString::number(kIdCurrentNameEdit));
    current->setReadOnly(true);
    current->setMinimumWidth(current->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 32);
    newName_ = new QLineEdit(this);
    newName_->setObjectName(QString::number(kIdNewNameEdit));
    form->addRow(QStringLiteral("Curent name : "), current);
    form->addRow(QStringLiteral("New name : "), newName_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    newName_->setFocus();
}

QString CNewName::NewName() const {
    return newName_->text();
}
