#pragma once
// The three printing dialogs (print, print preview, page set-up) behind one interface, so that tests
// answer them and print to a file without a window; QtPrintDialogs shows Qt's own.

#include <functional>

class QPrinter;
class QWidget;

class PrintDialogs {
public:
    using PaintPages = std::function<void(QPrinter&)>;
    virtual ~PrintDialogs() = default;
    // Lets the user choose the printer and its options; true to print.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent) = 0;
    // Shows the pages `paint` draws into the preview's printer until the user closes it (or prints).
    virtual void Preview(QPrinter& printer, const PaintPages& paint, QWidget* parent) = 0;
    // Lets the user change the paper and its orientation; true when accepted.
    virtual bool SetUpPage(QPrinter& printer, QWidget* parent) = 0;
};

class QtPrintDialogs : public PrintDialogs {
public:
    bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
    void Preview(QPrinter& printer, const PaintPages& paint, QWidget* parent) override;
    bool SetUpPage(QPrinter& printer, QWidget* parent) override;
};
