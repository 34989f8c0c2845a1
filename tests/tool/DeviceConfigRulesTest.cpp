// The values of a device's configuration file: addresses as four keys, the derived management
// device id, and the list item each stored number selects.
#include <gtest/gtest.h>

#include "DeviceConfigRules.h"

#include <climits>
#include <string>

namespace {

using Parts = std::array<std::string, 4>;

TEST(DeviceConfigRulesTest, AnAddressIsCutIntoFourKeysWithEmptyValuesForPartsItLacks)
{
    EXPECT_EQ((Parts{ "10", "1", "2", "3" }), SplitAddress("10.1.2.3"));
    // A host name of three parts leaves no fourth part of an earlier address behind.
    EXPECT_EQ((Parts{ "a", "b", "c", "" }), SplitAddress("a.b.c"));
    EXPECT_EQ((Parts{ "", "", "", "" }), SplitAddress(""));
    // The fourth key takes the rest; a "." that stands first in the rest ends the cutting.
    EXPECT_EQ((Parts{ "1", "2", "3", "4.5" }), SplitAddress("1.2.3.4.5"));
    EXPECT_EQ((Parts{ "a", ".b", "", "" }), SplitAddress("a..b"));
}

TEST(DeviceConfigRulesTest, FourKeysJoinUpToTheirLastValueSoOlderFilesReadAsBefore)
{
    EXPECT_EQ("10.1.2.3", JoinAddress({ "10", "1", "2", "3" }));
    EXPECT_EQ("0.0.0.0", JoinAddress({ "0", "0", "0", "0" }));
    EXPECT_EQ("a..c.d", JoinAddress({ "a", "", "c", "d" }));
    EXPECT_EQ("a.b.c", JoinAddress({ "a", "b", "c", "" }));
    EXPECT_EQ("", JoinAddress({ "", "", "", "" }));
}

// Every text of up to eight characters made of "a" and "." comes back as it was written, dots
// at the ends and side by side included.
TEST(DeviceConfigRulesTest, EveryAddressReadsBackAsItWasWritten)
{
    for (int length = 0; length <= 8; ++length) {
        for (int bits = 0; bits < (1 << length); ++bits) {
            std::string address;
            for (int i = 0; i < length; ++i)
                address += (bits >> i) & 1 ? '.' : 'a';
            EXPECT_EQ(address, JoinAddress(SplitAddress(address))) << '"' << address << '"';
        }
    }
    EXPECT_EQ("dtu.example.com", JoinAddress(SplitAddress("dtu.example.com")));
    EXPECT_EQ("1.2.3.", JoinAddress(SplitAddress("1.2.3.")));
}

TEST(DeviceConfigRulesTest, OnlyASerialOfFifteenCharactersGivesAnId)
{
    EXPECT_EQ("345012345", DeriveDeviceId("123456789012345"));
    EXPECT_EQ("CDEJKLMNO", DeriveDeviceId("ABCDEFGHIJKLMNO"));
    EXPECT_EQ("", DeriveDeviceId("12345678901234"));
    EXPECT_EQ("", DeriveDeviceId("1234567890123456"));
    EXPECT_EQ("", DeriveDeviceId(""));
}

// A stored number outside a list selects the list's default item, never no item at all.
TEST(DeviceConfigRulesTest, StoredNumbersSelectTheirItemOrTheDefault)
{
    EXPECT_EQ(0, NmModeItem(1));
    EXPECT_EQ(1, NmModeItem(2));
    EXPECT_EQ(0, NmModeItem(0));
    EXPECT_EQ(0, NmModeItem(INT_MIN));
    EXPECT_EQ(0, NmModeItem(3));

    EXPECT_EQ(5, BaudItem(0)); // "9600"
    EXPECT_EQ(0, BaudItem(1));
    EXPECT_EQ(11, BaudItem(12));
    EXPECT_EQ(5, BaudItem(13));
    EXPECT_EQ(5, BaudItem(-1));
    EXPECT_EQ(5, BaudItem(INT_MIN));

    EXPECT_EQ(3, DataBitsItem(0)); // "8位"
    EXPECT_EQ(0, DataBitsItem(5));
    EXPECT_EQ(2, DataBitsItem(7));
    EXPECT_EQ(3, DataBitsItem(9));
    EXPECT_EQ(3, DataBitsItem(INT_MAX));

    EXPECT_EQ(2, ListItemOrDefault(2, 3, 0));
    EXPECT_EQ(1, ListItemOrDefault(3, 3, 1));
    EXPECT_EQ(1, ListItemOrDefault(-1, 3, 1));
}

} // namespace
