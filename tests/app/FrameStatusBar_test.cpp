#include "app/FrameStatusBar.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QLabel>

namespace {

const QColor kFill(100, 220, 180);

QImage GrabPane(FrameStatusBar& bar, int pane) {
    return bar.Pane(pane)->grab().toImage();
}

TEST(FrameStatusBar, FourPanesWithIdlePromptAndFixedWidths) {
    FrameStatusBar bar;
    bar.resize(900, 24);
    bar.show();
    EXPECT_EQ(bar.PaneText(0), QStringLiteral("For Help, press F1"));
    for (int pane = 1; pane < kStatusPaneCount; ++pane)
        EXPECT_EQ(bar.Pane(pane)->width(), StatusPaneWidth(bar.Pane(pane)->fontMetrics())) << pane;
    EXPECT_GE(StatusPaneWidth(bar.fontMetrics()), 180);
    EXPECT_GT(bar.Pane(0)->width(), 180) << "pane 0 takes the remaining width";
    EXPECT_EQ(bar.Pane(4), nullptr);
    EXPECT_EQ(bar.Pane(-1), nullptr);

    bar.SetPaneText(1, QStringLiteral("PositionX:0000,Y:0000,Z:0000"));
    bar.SetPaneText(3, QStringLiteral("0 models, 0 facets"));
    bar.SetPaneText(7, QStringLiteral("ignored"));
    EXPECT_EQ(bar.PaneText(1), QStringLiteral("PositionX:0000,Y:0000,Z:0000"));
    EXPECT_EQ(bar.PaneText(3), QStringLiteral("0 models, 0 facets"));
    EXPECT_EQ(bar.PaneText(7), QString());

    // A command prompt replaces pane 0 while shown; the idle text returns afterwards.
    bar.showMessage(QStringLiteral("Select camera movement"));
    EXPECT_EQ(bar.currentMessage(), QStringLiteral("Select camera movement"));
    bar.clearMessage();
    EXPECT_TRUE(bar.Pane(0)->isVisible());
}

TEST(FrameStatusBar, LongPositionsWidenTheirPaneAndAreNotCut) {
    FrameStatusBar bar;
    bar.resize(1200, 24);
    bar.show();
    auto* pane = static_cast<QLabel*>(bar.Pane(1));
    const int usual = pane->width();
    const QString far = QStringLiteral("PositionX:-12345,Y:123456,Z:-1234567");
    bar.SetPaneText(1, far);
    QApplication::processEvents();
    EXPECT_GE(pane->contentsRect().width(), pane->fontMetrics().horizontalAdvance(far));
    const int widened = pane->width();
    EXPECT_GT(widened, usual);

    // Back to short positions: the pane keeps its width instead of jumping.
    bar.SetPaneText(1, QStringLiteral("PositionX:0000,Y:0000,Z:0000"));
    QApplication::processEvents();
    EXPECT_EQ(pane->width(), widened);

    const QString many = QStringLiteral("126 models, 2147483647 facets and a little more text");
    bar.SetPaneText(3, many);
    QApplication::processEvents();
    EXPECT_GE(bar.Pane(3)->width(), bar.Pane(3)->fontMetrics().horizontalAdvance(many));
}

TEST(FrameStatusBar, ProgressFillsItsShareAndZeroClears) {
    FrameStatusBar bar;
    bar.resize(900, 24);
    bar.show();
    QWidget* pane = bar.Pane(3);
    const int middle = pane->height() / 2;

    bar.ShowProgress(50, QStringLiteral("Loading"));
    QImage image = GrabPane(bar, 3);
    // The bar starts 2 pixels in and covers half of the width shrunk by 2 pixels on each side.
    const int half = (pane->width() - 4) / 2;
    EXPECT_EQ(image.pixelColor(3, middle), kFill);
    EXPECT_EQ(image.pixelColor(2 + half - 4, 3), kFill);
    EXPECT_NE(image.pixelColor(2 + half + 2, 3), kFill);
    EXPECT_NE(image.pixelColor(pane->width() - 4, middle), kFill);
    EXPECT_EQ(bar.PaneText(3), QString()) << "progress replaces the models text";

    bar.ShowProgress(250, QStringLiteral("Optimizing"));
    image = GrabPane(bar, 3);
    EXPECT_EQ(image.pixelColor(pane->width() - 4, 3), kFill) << "clamped to 100 percent";

    bar.ShowProgress(0, QStringLiteral("Loading"));
    image = GrabPane(bar, 3);
    EXPECT_NE(image.pixelColor(3, middle), kFill);
    EXPECT_EQ(image.pixelColor(3, middle), pane->palette().color(QPalette::Button));

    bar.SetPaneText(3, QStringLiteral("1 models, 2 facets"));
    EXPECT_EQ(bar.PaneText(3), QStringLiteral("1 models, 2 facets"));
}

TEST(FrameStatusBar, ProgressLabelIsDrawnOverTheBar) {
    FrameStatusBar bar;
    bar.resize(900, 24);
    bar.show();
    bar.ShowProgress(100, QString());
    const QImage plain = GrabPane(bar, 3);
    bar.ShowProgress(100, QStringLiteral("Loading"));
    const QImage labelled = GrabPane(bar, 3);
    int differing = 0;
    for (int x = 0; x < plain.width(); ++x)
        for (int y = 0; y < plain.height(); ++y)
            differing += plain.pixel(x, y) != labelled.pixel(x, y);
    EXPECT_GT(differing, 20) << "the label's glyphs show";
}

}  // namespace
