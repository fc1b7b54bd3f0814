#pragma once
// The colour chooser as Qt's own QColorDialog.

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "platform/ColourChooser.h"

class QtColourChooser : public ColourChooser {
public:
    explicit QtColourChooser(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<uint32_t> Choose(uint32_t initial) override;

private:
    QPointer<QWidget> parent_;
};

// Conversions between 0x00BBGGRR and QColor (the high byte is ignored; alpha is dropped).
QColor ColourFromBgr(uint32_t bgr);
uint32_t BgrFromColour(const QColor& colour);
