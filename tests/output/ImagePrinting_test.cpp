// Printing for real: the page goes through Qt's PDF printer, poppler renders it back to pixels, and
// the picture must sit at the layout's margins with the layout's width in the view's proportions.
#include "output/ImagePrinting.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QProcess>

#include <string>

#include "import/ModelFileBytes.h"
#include "tests/output/ScriptedPrintDialogs.h"
#include "tests/render/ViewHarness.h"

namespace {

constexpr int kRenderDpi = 100;

// The bounds of the pixels that are not white on the first page of `pdf` rendered at kRenderDpi.
struct InkBounds {
    int left = -1, top = -1, right = -1, bottom = -1;  // inclusive
    QImage page;
};

InkBounds RenderedInk(const std::string& pdf) {
    InkBounds ink;
    const QString prefix = QString::fromStdString(pdf + "-page");
    const int status =
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-r"), QString::number(kRenderDpi), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), QString::fromStdString(pdf), prefix});
    EXPECT_EQ(status, 0) << "pdftoppm";
    ink.page = QImage(prefix + QStringLiteral(".png"));
    for (int y = 0; y < ink.page.height(); ++y) {
        for (int x = 0; x < ink.page.width(); ++x) {
            if (ink.page.pixel(x, y) == qRgb(255, 255, 255)) continue;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            if (x > ink.right) ink.right = x;
            if (ink.top < 0) ink.top = y;
            ink.bottom = y;
        }
    }
    return ink;
}

// Device pixels at kRenderDpi of a length in millimetres. The picture's edges fall inside pixels that
// poppler partly inks, so each edge is checked against its place on the page within a pixel.
double AtRenderDpi(double millimetres) {
    return millimetres / 25.4 * kRenderDpi;
}

struct ImagePrintingTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(h.ready);
        // 403 x 300: the picture is the leftmost 400 columns, so 150 mm wide and 112 mm high.
        h.window.resize(403, 300);
        h.view->setGeometry(0, 0, 403, 300);
        QTest::qWait(50);
        ASSERT_EQ(h.display.viewWidth, 403);
        dialogs.pdfPath = folder.File("page.pdf");
    }

    ViewHarness h;
    ScriptedPrintDialogs dialogs;
    ScratchDirectory folder;
    ImagePrinting printing{*h.view, dialogs};
};

TEST_F(ImagePrintingTest, DefaultLayoutPutsThePictureAtTheMarginsWithItsWidth) {
    printing.Print(PrintLayout{}, nullptr);
    EXPECT_EQ(dialogs.printAsked, 1);
    const InkBounds ink = RenderedInk(dialogs.pdfPath);
    ASSERT_GE(ink.left, 0) << "nothing printed";
    EXPECT_NEAR(ink.left, AtRenderDpi(10), 1.0);
    EXPECT_NEAR(ink.top, AtRenderDpi(10), 1.0);
    EXPECT_NEAR(ink.right + 1, AtRenderDpi(10 + 150), 1.0);
    EXPECT_NEAR(ink.bottom + 1, AtRenderDpi(10 + 112), 1.0);
    // The stage colour (dark blue) fills the picture.
    const QRgb middle = ink.page.pixel((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2);
    EXPECT_LT(qRed(middle), 16);
    EXPECT_NEAR(qBlue(middle), 64, 8);
}

TEST_F(ImagePrintingTest, OtherLayoutMovesAndScalesThePicture) {
    printing.Print(PrintLayout{60, 30, 45}, nullptr);
    const InkBounds ink = RenderedInk(dialogs.pdfPath);
    ASSERT_GE(ink.left, 0) << "nothing printed";
    EXPECT_NEAR(ink.left, AtRenderDpi(30), 1.0);
    EXPECT_NEAR(ink.top, AtRenderDpi(45), 1.0);
    EXPECT_NEAR(ink.right + 1, AtRenderDpi(30 + 60), 1.0);
    EXPECT_NEAR(ink.bottom + 1, AtRenderDpi(45 + 45), 1.0);  // 60 x 300 / 400 = 45 mm high
}

TEST_F(ImagePrintingTest, CancelledPrintDialogPrintsNothingAndPreviewPaintsThePage) {
    dialogs.pdfPath.clear();
    printing.Print(PrintLayout{}, nullptr);
    EXPECT_EQ(dialogs.printAsked, 1);
    EXPECT_TRUE(folder.Names().empty());

    dialogs.pdfPath = folder.File("preview.pdf");
    printing.Preview(PrintLayout{}, nullptr);
    EXPECT_EQ(dialogs.previewShown, 1);
    const InkBounds ink = RenderedInk(dialogs.pdfPath);
    EXPECT_NEAR(ink.left, AtRenderDpi(10), 1.0);
    EXPECT_NEAR(ink.right + 1, AtRenderDpi(10 + 150), 1.0);

    printing.SetUp(nullptr);
    EXPECT_EQ(dialogs.setUpAsked, 1);
}

}  // namespace
