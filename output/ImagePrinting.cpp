#include "output/ImagePrinting.h"

#include <QImage>
#include <QPainter>

#include "output/PrintDialogs.h"
#include "output/ScreenPicture.h"

namespace {

// The bottom-up BGR rows as a top-down image; shares no memory with the picture.
QImage ToImage(const BgrImage& picture) {
    const QImage bottomUp(picture.bytes.data(), picture.width, picture.height,
                          static_cast<qsizetype>(BgrStride(picture.width)), QImage::Format_BGR888);
    return bottomUp.mirrored(false, true);
}

}  // namespace

void PaintPicturePage(QPainter& painter, const BgrImage& picture, const PrintLayout& layout, int dpiX,
                      int dpiY) {
    if (picture.width <= 0 || picture.height <= 0) return;
    const PageArea area = PrintedPictureArea(layout, picture.width, picture.height, dpiX, dpiY);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(area.x, area.y, area.width, area.height), ToImage(picture));
}

ImagePrinting::ImagePrinting(CPexoraView& view, PrintDialogs& dialogs)
    : view_(view), dialogs_(dialogs), printer_(QPrinter::HighResolution) {
    // Margins are the layout's, measured from the paper's edges.
    printer_.setFullPage(true);
    printer_.setFromTo(1, 1);
}

void ImagePrinting::Print(const PrintLayout& layout, QWidget* parent) {
    if (dialogs_.ChoosePrinter(printer_, parent)) PrintPage(printer_, layout);
}

void ImagePrinting::Preview(const PrintLayout& layout, QWidget* parent) {
    dialogs_.Preview(
        printer_, [this, layout](QPrinter& printer) { PrintPage(printer, layout); }, parent);
}

void ImagePrinting::SetUp(QWidget* parent) {
    dialogs_.SetUpPage(printer_, parent);
}

void ImagePrinting::PrintPage(QPrinter& printer, const PrintLayout& layout) {
    printer.setFullPage(true);
    const BgrImage picture = CaptureScreenPicture(view_);
    QPainter painter;
    // A printer that cannot start (no such device, a file that cannot be made) prints nothing.
    if (!painter.begin(&printer)) return;
    PaintPicturePage(painter, picture, layout, printer.logicalDpiX(), printer.logicalDpiY());
    painter.end();
}
