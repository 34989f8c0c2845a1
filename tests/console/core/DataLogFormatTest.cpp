// Data log file names and the exact bytes of a record.
#include <gtest/gtest.h>

#include <cstring>

#include "DataLogFormat.h"

TEST(DataLogFormat, TheNameKeepsTheDigitsOfTheDateAndTime) {
    EXPECT_EQ(DataLogFileName("2009-1-6 10:20:30"), "2009_1_6_10_20_30.log");
    EXPECT_EQ(DataLogFileName("2009/01/06 9:05:07"), "2009_01_06_9_05_07.log");
    // "下午" (two GBK characters) before the time: one '_' for each character.
    EXPECT_EQ(DataLogFileName("2009-1-6 \xCF\xC2\xCE\xE7 3:05:07"), "2009_1_6____3_05_07.log");
}

TEST(DataLogFormat, TakenNamesGiveWayToNumberedNamesBesideThem) {
    EXPECT_EQ(DataLogAlternativeName("2009_1_6_10_20_30.log", 0), "2009_1_6_10_20_30.log");
    EXPECT_EQ(DataLogAlternativeName("2009_1_6_10_20_30.log", 1), "2009_1_6_10_20_30_2.log");
    EXPECT_EQ(DataLogAlternativeName("2009_1_6_10_20_30.log", 9), "2009_1_6_10_20_30_10.log");
}

TEST(DataLogFormat, ARecordIsTwoGbkLinesWithTheRawFieldsKept) {
    char id[12] = {0};
    std::memcpy(id, "1380013", 7);
    char time[20] = {0};
    std::memcpy(time, "2009-01-06 10:20:30", 19);
    const std::uint8_t data[] = {0x41, 0x00, 0xFF};
    const std::string record = DataLogRecord(id, time, data, 3);

    // The GBK full-width colon is A3 BA.
    std::string expected = "USERID\xA3\xBA" + std::string("1380013\0\0\0\0\0", 12) + "    RECV_TIME\xA3\xBA" +
                           std::string("2009-01-06 10:20:30\0", 20) + "    DATA_LENGTH\xA3\xBA" "3\r\n" +
                           "DATA\xA3\xBA" "41 00 FF \r\n";
    EXPECT_EQ(record, expected);
    EXPECT_EQ(record.size(), 8u + 12 + 15 + 20 + 17 + 1 + 2 + 6 + 9 + 2);
}

TEST(DataLogFormat, ATwelveCharacterIdIsWrittenWithoutANul) {
    char id[12];
    std::memcpy(id, "138001380001", 12);
    char time[20] = {0};
    const std::uint8_t data[1] = {0x7E};
    const std::string record = DataLogRecord(id, time, data, 1);
    EXPECT_EQ(record.substr(8, 12), "138001380001");
    EXPECT_EQ(record.substr(20, 4), "    ");
}
