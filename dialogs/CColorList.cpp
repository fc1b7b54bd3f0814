#include "dialogs/CColorList.h"

#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

void PaintSwatch(QPainter& painter, const QRect& item, const QColor& colour) {
    painter.fillRect(item.adjusted(1, 1, -1, -1), colour);
}

// Draws the open list's items as swatches.
class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (option.state & QStyle::State_Selected) painter->fillRect(option.rect, option.palette.highlight());
        PaintSwatch(*painter, option.rect, index.data(Qt::UserRole).value<QColor>());
    }
};

}  // namespace

CColorList::CColorList(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new SwatchDelegate(this));
}

void CColorList::AddColour(unsigned colour) {
    addItem(QString::number(count()), QColor::fromRgb(colour & 0xFFFFFFu));
}

QColor CColorList::Colour(int index) const {
    return index >= 0 && index < count() ? itemData(index).value<QColor>() : QColor(Qt::black);
}

void CColorList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    PaintSwatch(painter, field, Colour(currentIndex()));
}
