#include "dialogs/CVoxSize.h"

#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/NumberEntry.h"
#include "platform/MessageBoxes.h"
#include "resources/VoxSizeIds.h"

CVoxSize::CVoxSize(double value, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Popup | Qt::FramelessWindowHint), value_(value), messages_(messages) {
    setObjectName(QString::number(kIdVoxSizeDialog));

    // The thin border of the pop-up: a plain frame filling the window.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    outer->addWidget(frame);

    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(4, 3, 4, 4);
    column->setSpacing(2);
    column->addWidget(new QLabel(QStringLiteral("Voxel size (um)"), frame));
    edit_ = new QLineEdit(QString::number(value, 'g', 15), frame);
    edit_->setObjectName(QString::number(kIdVoxSizeEdit));
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("0.000000000")) + 12);
    column->addWidget(edit_);

    // OK and Cancel exist as in every dialog but are never shown: Enter and Escape stand for them.
    const auto hiddenButton = [this](int id, const QString& text) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        button->hide();
        return button;
    };
    connect(hiddenButton(kIdVoxSizeOk, QStringLiteral("OK")), &QPushButton::clicked, this, &CVoxSize::accept);
    connect(hiddenButton(kIdVoxSizeCancel, QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &CVoxSize::reject);

    // Opened from a click, so it appears where the user is looking; the caller may move it.
    move(QCursor::pos());
}

int CVoxSize::exec() {
    int result = QDialog::exec();
    while (refused_) {
        refused_ = false;
        messages_.Warn(kEnterNumberMessage);
        result = QDialog::exec();
    }
    return result;
}

void CVoxSize::accept() {
    const auto typed = ReadWholeNumber(edit_->text().toStdString());
    if (!typed) {
        refused_ = true;
        QDialog::reject();
        return;
    }
    value_ = *typed;
    QDialog::accept();
}

void CVoxSize::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit_->setFocus();
    edit_->selectAll();
}

void CVoxSize::closeEvent(QCloseEvent* event) {
    if (isVisible()) accept();
    QDialog::closeEvent(event);
}

void CVoxSize::keyPressEvent(QKeyEvent* event) {
    // OK and Cancel have no visible buttons: Enter stands for OK (Escape reaches the dialog's Cancel).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
