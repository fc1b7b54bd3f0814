#pragma once
// Finds a control of a window by its identifier, which every control carries as its object name.

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

template <class Widget>
Widget* FindControl(const QWidget* window, int id) {
    Widget* control = window ? window->findChild<Widget*>(QString::number(id)) : nullptr;
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}
