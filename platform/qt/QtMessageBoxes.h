#pragma once
// Message boxes as QMessageBox, modal over the given parent window.

#include <QPointer>
#include <QWidget>

#include "platform/MessageBoxes.h"

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    // The window the boxes are centred on and modal to (the main frame once it exists).
    void SetParent(QWidget* parent) { parent_ = parent; }

    MessageAnswer ShowCaptioned(const std::string& caption, const std::string& text, MessageButtons buttons,
                                MessageIcon icon) override;

private:
    QPointer<QWidget> parent_;
};
