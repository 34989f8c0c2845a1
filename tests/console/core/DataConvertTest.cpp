// Addresses, hex dumps and typed hex data.
#include <gtest/gtest.h>

#include "DataConvert.h"

using Bytes = std::vector<std::uint8_t>;

TEST(DataConvert, AddressesAreDottedWithTheMostSignificantOctetFirst) {
    EXPECT_EQ(IpToText(0xC0A80001), "192.168.0.1");
    EXPECT_EQ(IpToText(0x0A000001), "10.0.0.1");
    EXPECT_EQ(IpToText(0xFFFFFFFF), "255.255.255.255");
    EXPECT_EQ(IpToText(0), "0.0.0.0");
}

TEST(DataConvert, HexDumpsGiveTwoUpperCaseDigitsAndABlankPerByte) {
    const std::uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(BytesToHexText(abc, 3), "61 62 63 ");
    const std::uint8_t edges[] = {0x00, 0x0F, 0xA0, 0xFF};
    EXPECT_EQ(BytesToHexText(edges, 4), "00 0F A0 FF ");
    EXPECT_EQ(BytesToHexText(edges, 0), "");
}

TEST(DataConvert, TypedHexTakesPairsOfEitherCaseAndDropsAnOddLastDigit) {
    EXPECT_EQ(HexTextToBytes("0a1B"), (Bytes{0x0A, 0x1B}));
    EXPECT_EQ(HexTextToBytes("0a1"), (Bytes{0x0A}));
    EXPECT_EQ(HexTextToBytes("fF00"), (Bytes{0xFF, 0x00}));
    EXPECT_TRUE(HexTextToBytes("7").empty());
    EXPECT_TRUE(HexTextToBytes("").empty());
}

TEST(DataConvert, TheFirstCharacterThatIsNoHexDigitIsFoundByItsPosition) {
    EXPECT_EQ(FirstNonHexPosition("0g"), 2);
    EXPECT_EQ(FirstNonHexPosition("0123456789abcdefABCDEF"), 0);
    EXPECT_EQ(FirstNonHexPosition("0a 1b"), 3) << "blanks are not allowed";
    EXPECT_EQ(FirstNonHexPosition("G"), 1);
    EXPECT_EQ(FirstNonHexPosition("\xB0\xA1"), 1) << "a Chinese character";
    EXPECT_EQ(HexDigitValue('/'), -1);
    EXPECT_EQ(HexDigitValue(':'), -1);
    EXPECT_EQ(HexDigitValue('@'), -1);
    EXPECT_EQ(HexDigitValue('g'), -1);
}

TEST(DataConvert, FieldsEndAtTheirFirstNulOrFillTheirSize) {
    const char shortId[12] = {'1', '3', '8', 0, 'x'};
    EXPECT_EQ(FieldText(shortId, 12), "138") << "nothing after the NUL";
    const char fullId[12] = {'1', '3', '8', '0', '0', '1', '3', '8', '0', '0', '0', '1'};
    EXPECT_EQ(FieldText(fullId, 12), "138001380001") << "twelve characters fill the field without a NUL";
    const char empty[4] = {0};
    EXPECT_EQ(FieldText(empty, 4), "");
}
