#pragma once
// Print dialogs answered by the test: the print dialog chooses Qt's PDF printer with a file of the
// test's, the preview paints its pages into that printer too, and page set-up is counted.

#include <QPrinter>

#include <string>

#include "output/PrintDialogs.h"

class ScriptedPrintDialogs : public PrintDialogs {
public:
    bool ChoosePrinter(QPrinter& printer, QWidget*) override {
        ++printAsked;
        if (pdfPath.empty()) return false;  // the user cancels
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        return true;
    }
    void Preview(QPrinter& printer, const PaintPages& paint, QWidget*) override {
        ++previewShown;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdfPath));
        paint(printer);
    }
    bool SetUpPage(QPrinter&, QWidget*) override {
        ++setUpAsked;
        return true;
    }

    std::string pdfPath;  // empty: the print dialog is cancelled
    int printAsked = 0;
    int previewShown = 0;
    int setUpAsked = 0;
};
