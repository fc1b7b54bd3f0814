#pragma once
// Printing the view: one page carrying the picture the view shows (width cut to a multiple of 4,
// drawn afresh) at the layout's size and margins, for the printer and the print preview alike. The
// printer keeps the choices of Print Setup and of the last print dialog for the rest of the run.

#include <QPrinter>

#include "output/PageLayout.h"
#include "render/ReadPixels.h"

class CPexoraView;
class PrintDialogs;
class QPainter;
class QWidget;

// Draws `picture` stretched (smoothly) onto PrintedPictureArea of `layout` on a device of dpiX x dpiY
// pixels per inch whose origin is the page's top left corner. Nothing for a picture without pixels.
void PaintPicturePage(QPainter& painter, const BgrImage& picture, const PrintLayout& layout, int dpiX,
                      int dpiY);

class ImagePrinting {
public:
    // `view` and `dialogs` must outlive this object.
    ImagePrinting(CPexoraView& view, PrintDialogs& dialogs);

    // The print dialog, then the page on the chosen printer (a PDF file included).
    void Print(const PrintLayout& layout, QWidget* parent);
    // The page in the preview window.
    void Preview(const PrintLayout& layout, QWidget* parent);
    // The page set-up dialog; its choices stay for the following prints.
    void SetUp(QWidget* parent);

    // Prints the page on `printer` as it is set up now (what Print does after its dialog).
    void PrintPage(QPrinter& printer, const PrintLayout& layout);

private:
    CPexoraView& view_;
    PrintDialogs& dialogs_;
    QPrinter printer_;
};
