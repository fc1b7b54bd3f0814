#include "dialogs/CColorStatic.h"

#include <QPainter>

CColorStatic::CColorStatic(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    setFlat(true);
    setFixedSize(24, 18);
}

void CColorStatic::SetColour(uint32_t colour) {
    colour_ = colour & 0x00FFFFFFu;
    update();
}

void CColorStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor colour(int(colour_ & 0xFF), int((colour_ >> 8) & 0xFF), int((colour_ >> 16) & 0xFF));
    const QColor edge = isEnabled() ? palette().color(QPalette::WindowText) : palette().color(QPalette::Mid);
    painter.setPen(edge);
    painter.setBrush(colour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
