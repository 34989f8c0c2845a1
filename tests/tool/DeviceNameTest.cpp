// What a device name may hold: it becomes a file name beside the program and a field of the
// device list file.
#include <gtest/gtest.h>

#include "DeviceName.h"

#include <string>
#include <utility>

namespace {

TEST(DeviceNameTest, NamesThatWouldLeaveTheDevicesFolderOrNameADeviceAreRefused)
{
    EXPECT_EQ(DeviceNameFault::PathCharacter, CheckDeviceName("..\\x"));
    EXPECT_EQ(DeviceNameFault::PathCharacter, CheckDeviceName("a:b"));
    const char* pathCharacters[] = { "a/b", "a*", "a?", "\"a\"", "<a", "a>", "a|b" };
    for (const char* name : pathCharacters)
        EXPECT_EQ(DeviceNameFault::PathCharacter, CheckDeviceName(name)) << name;
    EXPECT_EQ(DeviceNameFault::DotName, CheckDeviceName("."));
    EXPECT_EQ(DeviceNameFault::DotName, CheckDeviceName(".."));
    const char* reserved[] = { "con", "CON", "Nul", "aux.txt", "prn .x", "COM1", "lpt9", "conin$", "CONOUT$" };
    for (const char* name : reserved)
        EXPECT_EQ(DeviceNameFault::ReservedName, CheckDeviceName(name)) << name;
    EXPECT_EQ(DeviceNameFault::ControlCharacter, CheckDeviceName(std::string("a\x01") + "b"));
    EXPECT_EQ(DeviceNameFault::ControlCharacter, CheckDeviceName("a\tb"));
    EXPECT_EQ(DeviceNameFault::ControlCharacter, CheckDeviceName("a\x7F"));
}

TEST(DeviceNameTest, CommasAndLineBreaksAreRefusedForTheListFileButOnlyLineBreaksForAFileName)
{
    EXPECT_EQ(DeviceNameFault::ListSeparator, CheckDeviceName("a,b"));
    EXPECT_EQ(DeviceNameFault::ListSeparator, CheckDeviceName("a\nb"));
    EXPECT_EQ(DeviceNameFault::ListSeparator, CheckDeviceName("a\rb"));
    EXPECT_TRUE(IsSafeFileName("a,b"));
    EXPECT_FALSE(IsSafeFileName("a\nb"));
    EXPECT_FALSE(IsSafeFileName("a,..\\b"));
    EXPECT_TRUE(HoldsListSeparator("12,34"));
    EXPECT_TRUE(HoldsListSeparator("1234\r\n"));
    EXPECT_FALSE(HoldsListSeparator("123456789012345"));
}

TEST(DeviceNameTest, OrdinaryNamesPass)
{
    const char* names[] = { "新建设备1", "Station A", "com0", "com10", "console", "a.b", "...", "a." };
    for (const char* name : names) {
        EXPECT_EQ(DeviceNameFault::None, CheckDeviceName(name)) << name;
        EXPECT_TRUE(IsSafeFileName(name)) << name;
    }
}

// The second byte of a GBK character may be "\" or "|": that is a letter, not a separator. A
// first byte without a second byte of the character set stands alone.
TEST(DeviceNameTest, TheSecondByteOfAChineseCharacterIsNotASeparator)
{
    EXPECT_EQ(DeviceNameFault::None, CheckDeviceName("\x81\x5C"));
    EXPECT_EQ(DeviceNameFault::None, CheckDeviceName("\xD5\x7C" "A"));
    EXPECT_EQ(DeviceNameFault::PathCharacter, CheckDeviceName("\x81/"));
    EXPECT_EQ(DeviceNameFault::ControlCharacter, CheckDeviceName("\x81\x7F"));
    EXPECT_EQ(DeviceNameFault::None, CheckDeviceName("\x81"));
}

// Two devices whose names the system takes for one file name would share one configuration file.
TEST(DeviceNameTest, NamesThatDifferOnlyInTheCaseOfTheirLettersNameOneFile)
{
    const std::pair<const char*, const char*> same[] = {
        { "Station a", "STATION A" },
        { "\xA3\xE1\xA3\xFA", "\xA3\xC1\xA3\xDA" }, // full-width a, z and A, Z
        { "\xA6\xC1\xA6\xD8", "\xA6\xA1\xA6\xB8" }, // Greek alpha, omega
        { "\xA7\xD1\xA7\xD7\xA7\xF1", "\xA7\xA1\xA7\xA7\xA7\xC1" }, // Cyrillic a, io, ya
        { "\xA2\xA1\xA2\xAA", "\xA2\xF1\xA2\xFA" }, // Roman numerals one and ten
        { "\xD5\xBE" "a1", "\xD5\xBE" "A1" },
    };
    for (const auto& pair : same) {
        EXPECT_TRUE(SameFileName(pair.first, pair.second)) << pair.first;
        EXPECT_TRUE(SameFileName(pair.second, pair.first)) << pair.first;
    }
    const std::pair<const char*, const char*> different[] = {
        { "a", "b" },
        { "a", "a " },
        { "\xA3\xC1", "A" },         // a full-width letter is not its ASCII twin
        { "\x81\x61", "\x81\x41" }, // second bytes that look like "a" and "A"
        { "\xA3\xE0", "\xA3\xC0" }, // the bytes beside the letters
        { "\xA3\xFB", "\xA3\xDB" },
        { "\xA8\xA2", "A" },         // a Latin letter with a tone mark has no capital in the set
        { "\xA2\xAB", "\xA2\xFB" },
        { "\xA6\xD9", "\xA6\xB9" },
        { "\xA7\xF2", "\xA7\xC2" },
    };
    for (const auto& pair : different)
        EXPECT_FALSE(SameFileName(pair.first, pair.second)) << pair.first;
}

} // namespace
