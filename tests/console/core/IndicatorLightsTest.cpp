// The light pattern of a packet's first four characters and the running light.
#include <gtest/gtest.h>

#include "IndicatorLights.h"

namespace {

// One letter per light: 1 on, 0 off, e error.
std::string Picture(const TLightPattern& lights) {
    std::string text;
    for (TLightState s : lights) text += s == TLightState::On ? '1' : s == TLightState::Off ? '0' : 'e';
    return text;
}

}  // namespace

TEST(IndicatorLights, EachHexCharacterLightsFourLightsMostSignificantBitFirst) {
    TLightPattern lights;
    ASSERT_TRUE(LightPatternOf("0F0f", lights));
    EXPECT_EQ(Picture(lights), "0000111100001111");
    ASSERT_TRUE(LightPatternOf("9a5C", lights));
    EXPECT_EQ(Picture(lights), "1001101001011100");
    ASSERT_TRUE(LightPatternOf("0F0fXYZ", lights)) << "only the first four count";
    EXPECT_EQ(Picture(lights), "0000111100001111");
}

TEST(IndicatorLights, CharactersThatAreNoHexDigitsLeaveTheirLightsInError) {
    TLightPattern lights;
    ASSERT_TRUE(LightPatternOf("gggg", lights));
    EXPECT_EQ(Picture(lights), "eeeeeeeeeeeeeeee");
    ASSERT_TRUE(LightPatternOf("1 \x01" "8", lights));
    EXPECT_EQ(Picture(lights), "0001eeeeeeee1000");
}

TEST(IndicatorLights, FewerThanFourCharactersChangeNothing) {
    TLightPattern lights;
    lights.fill(TLightState::On);
    EXPECT_FALSE(LightPatternOf("12", lights));
    EXPECT_FALSE(LightPatternOf("", lights));
    EXPECT_EQ(Picture(lights), "1111111111111111");
}

TEST(IndicatorLights, TheRunningLightWrapsFromSixteenToOne) {
    EXPECT_EQ(NextRunningLightPosition(1), 2);
    EXPECT_EQ(NextRunningLightPosition(15), 16);
    EXPECT_EQ(NextRunningLightPosition(16), 1);
}
