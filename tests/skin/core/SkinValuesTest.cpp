// The integer rule of the description beyond the ini reader's own cases: limits, bit patterns,
// signs and prefixes that do not combine.
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
