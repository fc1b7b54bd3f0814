#include "dialogs/DialogControls.h"

#include <QLineEdit>
#include <QPushButton>

QPushButton* Button(const QString& text, int id, QWidget* parent) {
    auto* button = Named(new QPushButton(text, parent), id);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* ReadOnlyEdit(int id, const QString& widest, QWidget* parent) {
    auto* edit = Named(new QLineEdit(parent), id);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 16);
    return edit;
}
