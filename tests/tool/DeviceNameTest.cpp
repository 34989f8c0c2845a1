// What a device name may hold: it becomes a file name beside the program and a field of the
// device list file.
#include <gtest/gtest.h>

#include "DeviceName.h"

#include <string>

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

} // namespace
