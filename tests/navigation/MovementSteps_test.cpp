#include "navigation/MovementSteps.h"

#include <gtest/gtest.h>

#include "navigation/ControlledScene.h"

TEST(MovementSteps, RotationEntriesOutOfRangeAreCorrectedToTheNearestEnd) {
    StepEntry zero = EnterStep("0", 5, kRotationStepMax);
    EXPECT_EQ(zero.value, 1);
    EXPECT_TRUE(zero.corrected);
    EXPECT_FALSE(zero.notInteger);

    StepEntry large = EnterStep("400", 5, kRotationStepMax);
    EXPECT_EQ(large.value, 360);
    EXPECT_TRUE(large.corrected);

    StepEntry negative = EnterStep("-5", 5, kRotationStepMax);
    EXPECT_EQ(negative.value, 1);
    EXPECT_TRUE(negative.corrected);

    for (const char* text : {"1", "360", " 42\t", "+7"}) {
        StepEntry entry = EnterStep(text, 5, kRotationStepMax);
        EXPECT_FALSE(entry.corrected) << text;
        EXPECT_FALSE(entry.notInteger) << text;
    }
    EXPECT_EQ(EnterStep(" 42\t", 5, kRotationStepMax).value, 42);

    // Beyond 32 bits the number saturates and is corrected like any large value.
    EXPECT_EQ(EnterStep("99999999999999999999", 5, kRotationStepMax).value, 360);
    EXPECT_EQ(EnterStep("-99999999999999999999", 5, kRotationStepMax).value, 1);
}

TEST(MovementSteps, TextThatIsNoIntegerAsksForOneAndFallsBackToTheLowerEnd) {
    for (const char* text : {"", "abc", "12abc", "1.5", "-", " ", "1 2"}) {
        StepEntry entry = EnterStep(text, 20, kRotationStepMax);
        EXPECT_TRUE(entry.notInteger) << text;
        EXPECT_TRUE(entry.corrected) << text;
        EXPECT_EQ(entry.value, 1) << text;
    }
    // The fallback starts from the value held before, which the edits keep in range.
    EXPECT_EQ(EnterStep("x", 200000, kTranslationStepMax).value, kTranslationStepMax);
}

TEST(MovementSteps, TranslationStepsRunFromOneToOneHundredThousand) {
    EXPECT_FALSE(EnterStep("100000", 10, kTranslationStepMax).corrected);
    StepEntry above = EnterStep("100001", 10, kTranslationStepMax);
    EXPECT_EQ(above.value, 100000);
    EXPECT_TRUE(above.corrected);
    EXPECT_EQ(EnterStep("0", 10, kTranslationStepMax).value, 1);
}

TEST(MovementSteps, RotationStepGoesToEveryObjectControllerButNotTheCamera) {
    ControlledScene scene;
    scene.controllers[0].keyStepDeg = 7;
    SetObjectKeySteps(scene, -725);
    EXPECT_EQ(scene.controllers[0].keyStepDeg, 7);
    for (int k = 1; k < kRecordCount; ++k)
        EXPECT_EQ(scene.controllers[k].keyStepDeg, 5) << k;
    SetObjectKeySteps(scene, 360);
    EXPECT_EQ(scene.controllers[127].keyStepDeg, 0);
}
