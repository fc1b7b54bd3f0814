#include "dialogs/CVoxSize.h"

#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "dialogs/NumberEntry.h"
#include "platform/MessageBoxes.h"
#include "resources/VoxSizeIds.h"

CVoxSize::CVoxSize(double value, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint), value_(value), messages_(messages) {
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

void CVoxSize::accept() {
    const auto typed = ReadWholeNumber(edit_->text().toStdString());
    if (!typed) {
        // The message box needs the mouse; the capture returns when it is answered.
        CaptureMouse(false);
        messages_.Warn(kEnterNumberMessage);
        if (isVisible()) CaptureMouse(true);
        edit_->setFocus();
        edit_->selectAll();
        return;
    }
    value_ = *typed;
    QDialog::accept();
}

void CVoxSize::done(int result) {
    CaptureMouse(false);
    QDialog::done(result);
}

void CVoxSize::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit_->setFocus();
    edit_->selectAll();
    // The window system grants the capture only to a window on screen: take it once exposed.
    windowHandle()->installEventFilter(this);
    CaptureMouse(true);
}

bool CVoxSize::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && !captured_ && isVisible())
        CaptureMouse(true);
    return QDialog::eventFilter(watched, event);
}

void CVoxSize::keyPressEvent(QKeyEvent* event) {
    // OK and Cancel have no visible buttons: Enter stands for OK (Escape reaches the dialog's Cancel).
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CVoxSize::mousePressEvent(QMouseEvent* event) {
    // With the mouse captured, a press anywhere else on the screen arrives here, outside the window.
    if (!rect().contains(event->position().toPoint())) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CVoxSize::CaptureMouse(bool capture) {
    QWindow* window = windowHandle();
    if (!window || capture == captured_) return;
    if (capture && !window->isExposed()) return;
    const bool granted = window->setMouseGrabEnabled(capture);
    captured_ = capture && granted;
}
