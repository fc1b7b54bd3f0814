#include "scene/MaterialSliders.h"

#include <gtest/gtest.h>

#include "scene/SceneObject.h"

namespace {

TEST(MaterialSliders, LogarithmicOpacityGoesBothWays) {
    // Slider to opacity byte and its text.
    EXPECT_EQ(OpacityFromSlider(0, true), 0);
    EXPECT_EQ(OpacityText(OpacityFromSlider(0, true), true), "0.0%");
    EXPECT_EQ(OpacityFromSlider(50, true), 38);
    EXPECT_EQ(OpacityText(38, true), "14.9%");
    EXPECT_EQ(OpacityFromSlider(90, true), 128);
    EXPECT_EQ(OpacityText(128, true), "50%");
    EXPECT_EQ(OpacityFromSlider(99, true), 255);
    EXPECT_EQ(OpacityFromSlider(100, true), 255);
    EXPECT_EQ(OpacityText(255, true), "100%");

    // Stored byte to text: one decimal up to 75, whole percents above.
    EXPECT_EQ(OpacityText(75, true), "29.4%");
    EXPECT_EQ(OpacityText(76, true), "30%");
    // Stored byte to slider: 100 - 10^(2 (1 - o/255)), truncated; 255 alone reaches the end.
    EXPECT_EQ(OpacitySlider(255, true), 100);
    EXPECT_EQ(OpacitySlider(254, true), 98);
    EXPECT_EQ(OpacitySlider(128, true), 90);
    EXPECT_EQ(OpacitySlider(75, true), 74);
    EXPECT_EQ(OpacitySlider(0, true), 0);
}

TEST(MaterialSliders, LinearScalesStepByTwoPointFiftyFive) {
    EXPECT_EQ(ColourSlider(128), 50);
    EXPECT_EQ(ColourSlider(255), 100);
    EXPECT_EQ(ColourSlider(1), 0);
    EXPECT_EQ(ColourSlider(2), 1);
    // 50 x 2.55 is a hair below 127.5 in binary floating point.
    EXPECT_EQ(ColourFromSlider(50), 127);
    EXPECT_EQ(ColourFromSlider(1), 3);
    EXPECT_EQ(ColourFromSlider(100), 255);
    EXPECT_EQ(ColourFromSlider(120), 255) << "beyond the slider";
    EXPECT_EQ(OpacityFromSlider(50, false), 127);
    EXPECT_EQ(OpacitySlider(76, false), 30);
    EXPECT_EQ(OpacityText(76, false), "30%");
    EXPECT_EQ(OpacityText(38, false), "15%");
    for (int slider = 0; slider <= kSliderMax; ++slider)
        EXPECT_EQ(ColourSlider(ColourFromSlider(slider)), slider) << slider;
}

TEST(MaterialSliders, CoefficientsAreHundredths) {
    EXPECT_EQ(CoefficientSlider(0.8f), 80);
    EXPECT_EQ(CoefficientSlider(0.1f), 10);
    EXPECT_EQ(CoefficientSlider(0.805f), 81) << "80.5 in single precision, plus 0.5";
    EXPECT_EQ(CoefficientSlider(1.5f), 100) << "a loaded coefficient beyond 1 pins the slider";
    EXPECT_EQ(CoefficientSlider(-0.2f), 0);
    EXPECT_EQ(CoefficientFromSlider(80), 0.8f);
    EXPECT_EQ(CoefficientFromSlider(0), 0.0f);
    EXPECT_EQ(PercentText(7), "7%");
}

TEST(MaterialSliders, TheDefaultMaterialThroughTheSliders) {
    SceneObject object;
    const MaterialSliders sliders = SlidersFromMaterial(object, false);
    EXPECT_EQ(sliders.red, 50);
    EXPECT_EQ(sliders.diffuse, 80);
    EXPECT_EQ(sliders.emission, 10);
    EXPECT_EQ(sliders.reflection, 10);
    EXPECT_EQ(sliders.opacity, 100);

    SceneObject copy;
    copy.colour[0] = 1;
    CommitMaterial(copy, MaterialFromSliders(sliders, false));
    EXPECT_EQ(copy.colour[0], 127) << "grey 128 shows as 50, which stands for 127";
    EXPECT_EQ(copy.colour[3], 255);
    EXPECT_EQ(copy.diffuse, 0.8f);
    EXPECT_EQ(copy.emission, 0.1f);
    EXPECT_EQ(copy.reflection, 0.1f);
}

TEST(MaterialSliders, EachSliderFeedsItsOwnField) {
    MaterialSliders sliders{10, 20, 30, 40, 50, 60, 70};
    const PendingMaterial material = MaterialFromSliders(sliders, false);
    EXPECT_EQ(material.colour[0], 26);
    EXPECT_EQ(material.colour[1], 51);
    EXPECT_EQ(material.colour[2], 77);
    EXPECT_EQ(material.colour[3], 179);
    EXPECT_FLOAT_EQ(material.emission, 0.4f);
    EXPECT_FLOAT_EQ(material.diffuse, 0.5f);
    EXPECT_FLOAT_EQ(material.reflection, 0.6f);
}

TEST(MaterialSliders, TheLimitItselfStillAppliesAtOnce) {
    EXPECT_FALSE(ExceedsApplyLimit(3000000, 3));
    EXPECT_TRUE(ExceedsApplyLimit(3000001, 3));
    EXPECT_TRUE(ExceedsApplyLimit(int64_t{5000000000}, 9)) << "64-bit totals";
    EXPECT_FALSE(ExceedsApplyLimit(0, 1));
}

TEST(MaterialSliders, CopyAndResetTouchOnlyTheMaterial) {
    SceneObject from;
    from.colour[0] = 1;
    from.colour[1] = 2;
    from.colour[2] = 3;
    from.colour[3] = 4;
    from.diffuse = 0.5f;
    from.reflection = 0.6f;
    from.emission = 0.7f;
    SceneObject to;
    to.visible = 0;
    to.tickFactor = 4;
    CopyMaterial(from, to);
    EXPECT_EQ(to.colour[3], 4);
    EXPECT_EQ(to.colour[1], 2);
    EXPECT_EQ(to.reflection, 0.6f);
    EXPECT_EQ(to.emission, 0.7f);
    EXPECT_EQ(to.visible, 0);
    EXPECT_EQ(to.tickFactor, 4);

    from.visible = 0;
    from.movable = 0;
    ResetMaterial(from);
    EXPECT_EQ(from.colour[0], 128);
    EXPECT_EQ(from.colour[3], 255);
    EXPECT_EQ(from.diffuse, 0.8f);
    EXPECT_EQ(from.reflection, 0.1f);
    EXPECT_EQ(from.emission, 0.1f);
    EXPECT_EQ(from.visible, 1);
    EXPECT_EQ(from.movable, 1);
}

}  // namespace
