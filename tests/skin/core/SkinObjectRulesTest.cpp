// How the loaders count frames, pick title buttons and colour the tool bar background.
#include <gtest/gtest.h>

#include "ColourMath.h"
#include "SkinObjectRules.h"

TEST(SkinObjectRules, FrameCountsBelowOneCountAsOne) {
    EXPECT_EQ(KeptFrameCount(0), 1);
    EXPECT_EQ(KeptFrameCount(-3), 1);
    EXPECT_EQ(KeptFrameCount(1), 1);
    EXPECT_EQ(KeptFrameCount(23), 23);
}

TEST(SkinObjectRules, TitleButtonSectionsBeginWithButton) {
    for (const char* name : {"Button1", "BUTTON15", "button.close", "Buttonx"}) EXPECT_TRUE(IsTitleButtonSection(name)) << name;
    for (const char* name : {"Button", "buttons", "Button.Radio", "BUTTON.CHECKBOX", "Btn1", "MyButton1", "Butto"})
        EXPECT_FALSE(IsTitleButtonSection(name)) << name;
    // A decoration (action -1) is kept only with a visibility of 0.
    EXPECT_TRUE(KeepsTitleButton(0, -1));
    EXPECT_TRUE(KeepsTitleButton(-1, 0));
    EXPECT_FALSE(KeepsTitleButton(-1, -1));
    EXPECT_FALSE(KeepsTitleButton(-1, 3));
    EXPECT_TRUE(KeepsTitleButton(-2, 3));
}

TEST(SkinObjectRules, TitleButtonFramesComeFromTheStripWhenNotGiven) {
    EXPECT_EQ(TitleButtonFrameCount(4, 64, 16, 0), 4);
    EXPECT_EQ(TitleButtonFrameCount(-1, 64, 16, 0), 1);
    EXPECT_EQ(TitleButtonFrameCount(0, 48, 16, 0), 3);
    EXPECT_EQ(TitleButtonFrameCount(0, 38, 10, 0), 3) << "exactly 3.8 times as wide";
    EXPECT_EQ(TitleButtonFrameCount(0, 39, 10, 0), 6);
    EXPECT_EQ(TitleButtonFrameCount(0, 96, 16, 0), 6);
    EXPECT_EQ(TitleButtonFrameCount(0, 0, 0, 0), 6) << "no strip";
    EXPECT_EQ(TitleButtonFrameCount(0, 48, 16, -1), 6) << "a negative action";
    EXPECT_TRUE(TitleButtonLosesImage(0, 3));
    EXPECT_TRUE(TitleButtonLosesImage(0, 11));
    EXPECT_FALSE(TitleButtonLosesImage(1, 3));
    EXPECT_FALSE(TitleButtonLosesImage(0, 12));
}

TEST(SkinObjectRules, MarkFramesComeFromTheStripWidthWhenNotGiven) {
    EXPECT_EQ(MarkFrameCount(12, 52, 13), 12);
    EXPECT_EQ(MarkFrameCount(0, 104, 13), 8);
    EXPECT_EQ(MarkFrameCount(0, 52, 13), 4);
    EXPECT_EQ(MarkFrameCount(0, 128, 16), 8) << "16 high: 16 pixels a frame";
    EXPECT_EQ(MarkFrameCount(0, 26, 13), 4) << "at least 4";
    EXPECT_EQ(MarkFrameCount(0, 0, 0), 4) << "no strip";
    EXPECT_EQ(MarkFrameCount(-2, 52, 13), 1);
}

TEST(SkinObjectRules, ToolbarGradientFollowsTheBackgroundsSaturation) {
    const TColor face = 0xC9D1D5;
    // A light gray background: face lightened at the top, the background darkened below.
    const TColor gray = 0xB4B4B4;
    TToolbarGradient gradient = ToolbarGradientColours(face, gray);
    EXPECT_EQ(gradient.Top, MixColours(face, 0xFFFFFF, 150));
    EXPECT_EQ(gradient.Bottom, MixColours(0x808080, gray, 150));
    // A strong blue: lightened toward white, less the more saturated it is.
    const TColor blue = 0xFF2010;  // saturation (255 - 16) / 255 -> 239
    ASSERT_EQ(PlainSaturationLevel(blue), 239);
    gradient = ToolbarGradientColours(face, blue);
    EXPECT_EQ(gradient.Bottom, MixColours(blue, 0xFFFFFF, (5625 - 25 * 239) / 140 + 50));
    EXPECT_EQ((5625 - 25 * 239) / 140 + 50, 48) << "the division cuts toward zero";
    // A dark background counts as saturated whatever its hue.
    const TColor dark = 0x787878;
    EXPECT_EQ(ToolbarGradientColours(face, dark).Bottom, MixColours(dark, 0xFFFFFF, (5625 - 25 * 200) / 140 + 50));
}
