#include "dialogs/RecordNames.h"

#include <gtest/gtest.h>

#include "scene/SceneObject.h"

namespace {

TEST(RecordNames, NamesRoundTripThroughTheRecordText) {
    const QString name = QStringLiteral("Femur, left (µCT)");
    const std::string stored = RecordTextOf(name);
    EXPECT_EQ(WindowTextOf(stored.c_str()), name);
    EXPECT_EQ(RecordTextOf(QString()), "");
}

TEST(RecordNames, ALongNameIsCutAfterTheLastWholeCharacterThatFits) {
    EXPECT_EQ(RecordTextOf(QString(300, QLatin1Char('a'))), std::string(kTextSize - 1, 'a'));

    // Two bytes each: 129 of them fill 258 bytes, a 130th would not fit.
    const std::string accented = RecordTextOf(QString(200, QChar(0x00E9)));
    EXPECT_EQ(accented.size(), 258u);
    EXPECT_EQ(WindowTextOf(accented.c_str()), QString(129, QChar(0x00E9)));

    // Four bytes and two UTF-16 units each: never split into a lone surrogate.
    QString wide;
    for (int i = 0; i < 130; ++i)
        wide += QString::fromUcs4(U"\U0001F9B4");
    const std::string bones = RecordTextOf(wide);
    EXPECT_EQ(bones.size(), 256u);
    EXPECT_EQ(WindowTextOf(bones.c_str()), wide.left(128));

    // An odd cut of the UTF-16 text would end on a high surrogate.
    const QString shifted = QLatin1Char('x') + wide;
    const std::string cut = RecordTextOf(shifted);
    EXPECT_EQ(cut.size(), 257u);
    EXPECT_EQ(WindowTextOf(cut.c_str()), shifted.left(129));

    SceneObject record;
    SetRecordText(record.name, bones.c_str());
    EXPECT_EQ(WindowTextOf(record.name), wide.left(128));
}

}  // namespace
