#include "platform/qt/QtColourChooser.h"

#include <QColorDialog>

QColor ColourFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>(bgr >> 8 & 0xFF),
                  static_cast<int>(bgr >> 16 & 0xFF));
}

uint32_t BgrFromColour(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<uint32_t>(rgb.red()) | static_cast<uint32_t>(rgb.green()) << 8 |
           static_cast<uint32_t>(rgb.blue()) << 16;
}

std::optional<uint32_t> QtColourChooser::Choose(uint32_t initial) {
    const QColor chosen =
        QColorDialog::getColor(ColourFromBgr(initial), parent_, QString(), QColorDialog::DontUseNativeDialog);
    if (!chosen.isValid()) return std::nullopt;
    return BgrFromColour(chosen);
}
