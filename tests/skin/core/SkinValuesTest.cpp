// The value rules of the description: integers beyond the ini reader's own cases (limits, bit
// patterns, signs and prefixes that do not combine), colour texts and image file names.
#include <gtest/gtest.h>

#include <climits>

#include "SkinValues.h"

TEST(IniTextToInt, ReadsDecimalAndHexadecimal) {
    const struct {
        const char* Text;
        int Value;
    } reads[] = {
        {"0", 0},         {"+5", 5},        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"$1f", 31},      {"-$1F", -31},    {"0X1f", 31},
        // Hexadecimal spells a bit pattern, as colour values are written.
        {"$FFFFFFFF", -1}, {"0xFF00FF", 0xFF00FF}, {"0x80000000", INT_MIN},
    };
    for (const auto& r : reads) EXPECT_EQ(IniTextToInt(r.Text, 99), r.Value) << r.Text;
}

TEST(IniTextToInt, AnythingElseGivesTheDefault) {
    const char* const others[] = {"", "-", "+", "$", "0x-1", "0x$1", "-0x1F", "1 2", " 1",
                                  "2147483648", "-2147483649", "$100000000", "0x100000000", "1e3", "\xA3\xB1"};
    for (const char* text : others) EXPECT_EQ(IniTextToInt(text, 99), 99) << text;
}

TEST(ColourText, ReadsRedGreenBlueSeparatedByAnyNonDigit) {
    const struct {
        const char* Text;
        TColor Colour;
    } reads[] = {
        {"213 209 201", 0xC9D1D5},  {"1,2,3", 0x030201},    {"  7 ;8\t9  ", 0x090807},
        {"300 256 511", 0xFF002C},  // each modulo 256: 300 gives 44
        {"5", 0x000005},            {"5 6", 0x000605},      {"1 2 3 4", 0x030201},
        {"-1 -2 -3", 0x030201},     // a sign is only a separator
        {"4294967297 2 3", 0x030201},  // no length of digits overflows
    };
    for (const auto& r : reads) EXPECT_EQ(ColourTextToColor(r.Text, clRed), r.Colour) << r.Text;
    EXPECT_EQ(ColourTextToColor("", clBtnFace), clBtnFace);
    EXPECT_EQ(ColourTextToColor("none", clBtnFace), clBtnFace);
}

TEST(ColourText, TriplesNeedAllThreeChannels) {
    TColor colour = clNone;
    EXPECT_TRUE(ColourFromChannels(250, 250, 246, colour));
    EXPECT_EQ(colour, 0xF6FAFA);
    EXPECT_TRUE(ColourFromChannels(256, 0, 511, colour));
    EXPECT_EQ(colour, 0xFF0000);
    colour = clNone;
    EXPECT_FALSE(ColourFromChannels(1, -1, 1, colour));
    EXPECT_EQ(colour, clNone);
}

TEST(ImageEntryName, TakesTheBareFileNameOfALowerCaseBmp) {
    EXPECT_EQ(ImageEntryName("buttons.bmp"), "buttons.bmp");
    EXPECT_EQ(ImageEntryName("Buttons.bmp"), "Buttons.bmp");
    EXPECT_EQ(ImageEntryName("c:\\skins\\blue\\buttons.bmp"), "buttons.bmp");
    EXPECT_EQ(ImageEntryName("d:buttons.bmp"), "buttons.bmp");
    EXPECT_EQ(ImageEntryName("skins/buttons.bmp"), "skins/buttons.bmp") << "a slash is part of the name";
    EXPECT_EQ(ImageEntryName("my.skin.bmp"), "my.skin.bmp");
    for (const char* other : {"buttons.BMP", "buttons.bmp.png", "buttons", "buttons.bm", "c:\\bmp\\buttons", ""})
        EXPECT_EQ(ImageEntryName(other), "") << other;
}
