// The values of a device's configuration file: addresses as four keys, the derived management
// device id, and the list item each stored number selects.
#include <gtest/gtest.h>

#include "DeviceConfigRules.h"

#include <climits>
#include <string>
#include <utility>

namespace {

using Parts = std::array<std::string, 4>;

// The keys every reader of a configuration file sees, address by address.
TEST(DeviceConfigRulesTest, AnAddressIsCutIntoFourKeysWithEmptyValuesForPartsItLacks)
{
    const std::pair<const char*, Parts> table[] = {
        { "10.1.2.3", { "10", "1", "2", "3" } },
        { "a.b.c", { "a", "b", "c", "" } }, // no fourth part of an earlier address stays behind
        { "a", { "a", "", "", "" } },
        { "", { "", "", "", "" } },
        // A part ends at its "." whatever follows, the fourth too.
        { "1.2.3.", { "1", "2", "3", "" } },
        { "a.", { "a", "", "", "" } },
        { "1.2.3.4.5", { "1", "2", "3", "4" } },
        { "a.b.c.d.", { "a", "b", "c", "d" } },
        // A "." that stands first in the rest ends the cutting: the part takes the rest.
        { "a..b", { "a", ".b", "", "" } },
        { "a.b..c", { "a", "b", ".c", "" } },
        { ".a", { ".a", "", "", "" } },
        { "..", { "..", "", "", "" } },
        { "a.b.c..", { "a", "b", "c", "." } },
    };
    for (const auto& row : table)
        EXPECT_EQ(row.second, SplitAddress(row.first)) << '"' << row.first << '"';
}

// Four values read back as they join, unless they are what a shorter address was written as.
TEST(DeviceConfigRulesTest, FourKeysReadBackAsTheAddressTheyWereWrittenFor)
{
    EXPECT_EQ("10.1.2.3", JoinAddress({ "10", "1", "2", "3" }));
    EXPECT_EQ("0.0.0.0", JoinAddress({ "0", "0", "0", "0" }));
    EXPECT_EQ("a.b.c", JoinAddress({ "a", "b", "c", "" }));
    EXPECT_EQ("a..b", JoinAddress({ "a", ".b", "", "" }));
    EXPECT_EQ("", JoinAddress({ "", "", "", "" }));
    // Values no address is written as (a file edited by hand) join all four.
    EXPECT_EQ("a..c.d", JoinAddress({ "a", "", "c", "d" }));
    EXPECT_EQ("a..b.", JoinAddress({ "a", "", "b", "" }));
    EXPECT_EQ("....", JoinAddress({ "", "", "", "." }));
}

// Saving a page unchanged leaves its file unchanged: an address read back is written with the
// keys it was read from. Checked on every text of up to eight characters of "a" and ".".
TEST(DeviceConfigRulesTest, AnAddressReadBackIsWrittenWithTheSameKeys)
{
    int nReadBackOther = 0;
    for (int length = 0; length <= 8; ++length) {
        for (int bits = 0; bits < (1 << length); ++bits) {
            std::string address;
            for (int i = 0; i < length; ++i)
                address += (bits >> i) & 1 ? '.' : 'a';
            Parts keys = SplitAddress(address);
            std::string back = JoinAddress(keys);
            EXPECT_EQ(keys, SplitAddress(back)) << '"' << address << '"';
            if (back != address) {
                ++nReadBackOther;
                EXPECT_EQ(address, back + ".") << '"' << address << '"'; // only a last "." is lost
            }
        }
    }
    EXPECT_EQ(33, nReadBackOther);
    EXPECT_EQ("dtu.example.com", JoinAddress(SplitAddress("dtu.example.com")));
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
