// The date-time text that names things after the moment they were made.
#include <gtest/gtest.h>

#include <string>

#include "components/DateTimeText.h"

TEST(DateTimeText, HoldsTheDateThenTheTimeWithItsSeconds) {
    SYSTEMTIME t{};
    t.wYear = 2009;
    t.wMonth = 1;
    t.wDay = 6;
    t.wHour = 10;
    t.wMinute = 20;
    t.wSecond = 30;
    const std::string text = DateTimeToStr(t);
    std::string digits;
    for (char c : text) digits += (c >= '0' && c <= '9') ? c : ' ';
    // However the locale spells it, the numbers come in this order.
    EXPECT_NE(digits.find("2009"), std::string::npos) << text;
    EXPECT_LT(digits.find("2009"), digits.find("10 20 30")) << text;
    EXPECT_NE(text.find(' '), std::string::npos) << "date and time apart";
}
