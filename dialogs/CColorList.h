#pragma once
// A drop-down list of colour swatches: each item's text is its position, its data the colour, and
// it is drawn as the colour filling the item less a margin of one pixel.

#include <QColor>
#include <QComboBox>

class CColorList : public QComboBox {
public:
    explicit CColorList(QWidget* parent = nullptr);
    // Appends a swatch of `colour` (0xRRGGBB).
    void AddColour(unsigned colour);
    // The colour of item `index`; black for no item.
    QColor Colour(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
