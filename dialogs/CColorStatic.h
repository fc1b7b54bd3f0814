#pragma once
// A colour swatch that can be clicked: a flat button filled with its colour.

#include <QPushButton>
#include <cstdint>

class CColorStatic : public QPushButton {
public:
    explicit CColorStatic(QWidget* parent = nullptr);
    // The colour shown, 0x00BBGGRR as the records and settings keep colours.
    void SetColour(uint32_t colour);
    uint32_t Colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t colour_ = 0;
};
