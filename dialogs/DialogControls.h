#pragma once
// Controls of the property dialogs: each carries its identifier as its object name, so that tests
// and What's This help find it.

#include <QSizePolicy>
#include <QString>

class QLineEdit;
class QPushButton;
class QWidget;

// `widget` named by its identifier.
template <class Widget>
Widget* Named(Widget* widget, int id) {
    widget->setObjectName(QString::number(id));
    return widget;
}

// `widget`, which keeps its room in the layout while hidden, so that a window whose rules hide
// controls keeps its size.
template <class Widget>
Widget* KeepsRoom(Widget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

// A push button that Return in an edit never presses.
QPushButton* Button(const QString& text, int id, QWidget* parent);

// A read-only text outside the focus chain, just wide enough for `widest`.
QLineEdit* ReadOnlyEdit(int id, const QString& widest, QWidget* parent);
