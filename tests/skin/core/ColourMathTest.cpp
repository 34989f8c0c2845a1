// Mixing colours, gradient ramps and their cache, saturation.
#include <gtest/gtest.h>

#include "ColourMath.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return r | g << 8 | b << 16; }

TEST(MixColours, WeighsPercentagesAndThousandths) {
    EXPECT_EQ(MixColours(Rgb(10, 0, 255), Rgb(21, 255, 0), 50), Rgb(16, 128, 128)) << "the average, halves rounded up";
    EXPECT_EQ(MixColours(Rgb(200, 100, 0), Rgb(0, 0, 0), 100), Rgb(20, 10, 0)) << "100 is 10 % of colour 1";
    EXPECT_EQ(MixColours(Rgb(200, 100, 0), Rgb(0, 0, 0), 99), Rgb(198, 99, 0));
    EXPECT_EQ(MixColours(Rgb(1, 2, 3), Rgb(40, 50, 60), 0), Rgb(40, 50, 60));
    EXPECT_EQ(MixColours(Rgb(1, 2, 3), Rgb(40, 50, 60), 1000), Rgb(1, 2, 3));
    EXPECT_EQ(MixColours(clWhite, clWhite, 150), clWhite);
}

TEST(MixColours, WeightsOutsideTheScaleStayWithinTheChannels) {
    EXPECT_EQ(MixColours(clWhite, clBlack, 5000), clWhite);
    EXPECT_EQ(MixColours(clBlack, clWhite, 5000), clBlack);
    EXPECT_EQ(MixColours(clWhite, clBlack, -50), clBlack);
    EXPECT_EQ(MixColours(clBlack, clWhite, -50), clWhite);
}

TEST(Saturation, CountsOnlyForBrightColours) {
    EXPECT_EQ(PlainSaturationLevel(Rgb(255, 0, 0)), 255);
    EXPECT_EQ(PlainSaturationLevel(Rgb(200, 200, 200)), 0);
    EXPECT_EQ(PlainSaturationLevel(Rgb(200, 100, 100)), 128) << "127.5 rounds up";
    EXPECT_EQ(PlainSaturationLevel(Rgb(120, 160, 120)), 64);
    EXPECT_EQ(PlainSaturationLevel(Rgb(159, 0, 0)), 200) << "no channel reaches 160";
    EXPECT_EQ(PlainSaturationLevel(clBlack), 200);
}

TEST(GradientRamps, StepFromTheFirstColourTowardTheSecond) {
    const auto up = BuildGradientRamp(4, Rgb(0, 0, 0), Rgb(30, 255, 3));
    ASSERT_EQ(up.size(), 4u);
    EXPECT_EQ(up[0], Rgb(0, 0, 0));
    EXPECT_EQ(up[1], Rgb(10, 85, 1));
    EXPECT_EQ(up[2], Rgb(20, 170, 2));
    EXPECT_EQ(up[3], Rgb(30, 255, 3));
    // A falling channel: half a step is added before a division that cuts toward zero.
    const auto down = BuildGradientRamp(4, Rgb(30, 0, 0), Rgb(20, 0, 0));
    EXPECT_EQ(down[1], Rgb(27, 0, 0));
    EXPECT_EQ(down[3], Rgb(21, 0, 0));
    EXPECT_EQ(BuildGradientRamp(1, Rgb(10, 100, 255), Rgb(21, 0, 0)), std::vector<TColor>{Rgb(15, 50, 128)}) << "the mid colour";
    EXPECT_TRUE(BuildGradientRamp(0, clBlack, clWhite).empty());
    EXPECT_TRUE(BuildGradientRamp(-3, clBlack, clWhite).empty());
}

TEST(GradientRamps, AreCachedInSixteenSlotsRoundRobin) {
    TGradientRampCache cache;
    const int first = cache.Ramp(10, clBlack, clWhite);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(cache.Ramp(10, clBlack, clWhite), first) << "found again";
    EXPECT_EQ(cache.Colours(first), BuildGradientRamp(10, clBlack, clWhite));
    // The one-colour ramp holds neither end colour, and is found all the same.
    const int mid = cache.Ramp(1, clBlack, clWhite);
    EXPECT_EQ(cache.Ramp(1, clBlack, clWhite), mid);
    for (int length = 100; length < 114; ++length) cache.Ramp(length, clBlack, clWhite);
    EXPECT_EQ(cache.Ramp(10, clBlack, clWhite), first) << "sixteen ramps fit";
    EXPECT_EQ(cache.Ramp(200, clBlack, clWhite), 0) << "the seventeenth takes the first slot";
    EXPECT_EQ(cache.Ramp(10, clBlack, clWhite), 1) << "so the first ramp is built again, in the next slot";
    EXPECT_EQ(cache.Ramp(1, clBlack, clWhite), 2);
}

}  // namespace
