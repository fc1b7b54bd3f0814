#include "platform/qt/QtColourChooser.h"

#include <QColorDialog>

#include <gtest/gtest.h>

#include "support/qt/ModalDriver.h"

TEST(QtColourChooser, ColoursConvertFromAndTo0x00BBGGRR) {
    const QColor stage = ColourFromBgr(0x400000);
    EXPECT_EQ(stage, QColor(0, 0, 64));
    EXPECT_EQ(ColourFromBgr(0x8C9632), QColor(50, 150, 140));
    EXPECT_EQ(ColourFromBgr(0xFF0000FF), QColor(255, 0, 0));  // high byte ignored
    EXPECT_EQ(BgrFromColour(QColor(50, 150, 140)), 0x8C9632u);
    EXPECT_EQ(BgrFromColour(QColor::fromHsv(0, 255, 255)), 0x0000FFu);
}

TEST(QtColourChooser, OpensOnTheInitialColourAndReturnsTheChoice) {
    QtColourChooser chooser;
    QColor shown;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        if (!dialog) return;
        shown = dialog->currentColor();
        dialog->setCurrentColor(QColor(10, 20, 30));
        dialog->accept();
    });
    EXPECT_EQ(chooser.Choose(0x400000), 0x1E140Au);
    EXPECT_EQ(shown, QColor(0, 0, 64));

    WhenModalAppears([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QColorDialog*>(modal)) dialog->reject();
    });
    EXPECT_EQ(chooser.Choose(0x400000), std::nullopt);
}
