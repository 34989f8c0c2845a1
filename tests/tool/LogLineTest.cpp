// The operation log's line rules.
#include <gtest/gtest.h>

#include "LogLine.h"

#include <string>

namespace {

std::tm MakeTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t = {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(LogLineTest, ALineJoinsItsFieldsWithEmptyFieldsForMissingNames)
{
    std::tm t = MakeTime(2010, 3, 5, 14, 2, 7);
    EXPECT_EQ("1|2010年03月05日 14:02:07|||系统启动\n", FormatLogLine(1, t, nullptr, nullptr, "系统启动"));
    EXPECT_EQ("2|2010年03月05日 14:02:07|设备1|13800000000|发送短信失败!\n",
              FormatLogLine(2, t, "设备1", "13800000000", "发送短信失败!"));
    // The message is data: printf directives in it stay as they are.
    EXPECT_EQ("3|2010年03月05日 14:02:07|||%s%n\n", FormatLogLine(3, t, "", "", "%s%n"));
}

// Parsed texts are GBK; the native build's literals are not, so these cases are ASCII.
TEST(LogLineTest, ParsingGivesBackTheFieldsAndCutsTheMessageAtABar)
{
    LogRecord record;
    ASSERT_TRUE(ParseLogLine("3|2010-03-05 14:02:07|dev1|139|error|rest\n", record));
    EXPECT_EQ(3, record.level);
    EXPECT_EQ("2010-03-05 14:02:07", record.time);
    EXPECT_EQ("dev1", record.name);
    EXPECT_EQ("139", record.phone);
    EXPECT_EQ("error", record.message);

    ASSERT_TRUE(ParseLogLine("1|t|||start\n", record));
    EXPECT_EQ("start\n", record.message); // the line end stays with the message
}

TEST(LogLineTest, LinesWithFewerThanFiveFieldsAreNotRecords)
{
    LogRecord record;
    EXPECT_FALSE(ParseLogLine("", record));
    EXPECT_FALSE(ParseLogLine("1|t|n|p\n", record));
    EXPECT_FALSE(ParseLogLine(std::string(3000, 'x'), record)); // the rest of an over-long line
}

TEST(LogLineTest, ABarByteInsideADoubleByteCharacterIsNoSeparator)
{
    // 0x81 0x7C is one GBK character whose second byte equals '|'.
    std::string name = "A\x81\x7c" "B";
    LogRecord record;
    ASSERT_TRUE(ParseLogLine("1|t|" + name + "|p|m", record));
    EXPECT_EQ(name, record.name);
    EXPECT_EQ("p", record.phone);
    EXPECT_EQ("m", record.message);
}

} // namespace
