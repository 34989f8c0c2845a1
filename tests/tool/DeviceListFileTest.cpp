// The device list file's rules: reading what a person or an older tool wrote, and writing what
// reads back.
#include <gtest/gtest.h>

#include "DeviceListFile.h"

#include <string>
#include <vector>

namespace {

std::string Header()
{
    return kDeviceListHeader;
}

DeviceRecord Record(const char* name, const char* serial, const char* phone, const char* model, const char* version,
                    const char* signal)
{
    return DeviceRecord{ name, serial, phone, model, version, signal };
}

void ExpectRecord(const DeviceRecord& expected, const DeviceRecord& actual)
{
    EXPECT_EQ(expected.name, actual.name);
    EXPECT_EQ(expected.serial, actual.serial);
    EXPECT_EQ(expected.phone, actual.phone);
    EXPECT_EQ(expected.model, actual.model);
    EXPECT_EQ(expected.version, actual.version);
    EXPECT_EQ(expected.signal, actual.signal);
}

TEST(DeviceListFileTest, ALineIsCutAtCommasAndMissingFieldsStayEmpty)
{
    ExpectRecord(Record("A", "S1", "139", "M", "V1", "20"), ParseDeviceLine("A,S1,139,M,V1,20"));
    // No comma: the whole line is the name.
    ExpectRecord(Record("just a name", "", "", "", "", ""), ParseDeviceLine("just a name"));
    ExpectRecord(Record("", "", "", "", "", ""), ParseDeviceLine(""));
    // A missing separator: the field takes the rest, the later ones stay empty.
    ExpectRecord(Record("A", "S1", "139", "", "", ""), ParseDeviceLine("A,S1,139"));
    // Fields past the sixth are dropped; the signal also ends at a carriage return.
    ExpectRecord(Record("A", "", "", "", "", "20"), ParseDeviceLine("A,,,,,20,extra"));
    ExpectRecord(Record("A", "", "", "", "", "20"), ParseDeviceLine("A,,,,,20\rrest"));
}

// A file saved with Windows line ends must not leave a carriage return on the name (the device
// would lose its configuration file), nor on any other last field.
TEST(DeviceListFileTest, ACarriageReturnBeforeTheLineFeedIsDropped)
{
    std::vector<DeviceRecord> records =
        ReadDeviceList(Header() + "A\r\nB,S2\r\nC,S3,139,M,V,20\r\n", {});
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ("A", records[0].name);
    ExpectRecord(Record("B", "S2", "", "", "", ""), records[1]);
    ExpectRecord(Record("C", "S3", "139", "M", "V", "20"), records[2]);
}

TEST(DeviceListFileTest, TheFirstLineIsSkippedAndARepeatedNameKeepsItsFirstLine)
{
    std::vector<DeviceRecord> records =
        ReadDeviceList("anything at all\nA,S1,139,M1,V1,10\nB\nA,S2,138,M2,V2,20\n\n", {});
    ASSERT_EQ(3u, records.size());
    ExpectRecord(Record("A", "S1", "139", "M1", "V1", "10"), records[0]);
    EXPECT_EQ("B", records[1].name);
    // An empty line is a device with an empty name.
    ExpectRecord(Record("", "", "", "", "", ""), records[2]);

    // Names the list holds already are not taken again; the comparison is exact.
    records = ReadDeviceList(Header() + "A,new\na,lower\nB,other\n", { "A", "B" });
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("a", records[0].name);
}

// The program holds a name as a C string: a name with a NUL byte is the name before it, and a
// second line of that name is dropped like any repeated name.
TEST(DeviceListFileTest, AFieldEndsAtANulByte)
{
    std::string text = Header() + "A,S1\n" + std::string("A\0x,S2\n", 7) + std::string("B\0,S\0\x01,139\n", 11);
    std::vector<DeviceRecord> records = ReadDeviceList(text, {});
    ASSERT_EQ(2u, records.size());
    ExpectRecord(Record("A", "S1", "", "", "", ""), records[0]);
    ExpectRecord(Record("B", "S", "139", "", "", ""), records[1]);
}

TEST(DeviceListFileTest, OnlyWholeLinesAfterTheHeaderAreDevices)
{
    EXPECT_TRUE(ReadDeviceList("", {}).empty());
    EXPECT_TRUE(ReadDeviceList("header without line feed", {}).empty());
    EXPECT_TRUE(ReadDeviceList(Header(), {}).empty());
    // A last line without its line feed counts.
    std::vector<DeviceRecord> records = ReadDeviceList(Header() + "A,1\nB,2", {});
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("2", records[1].serial);
}

TEST(DeviceListFileTest, AWrittenListReadsBackFieldForField)
{
    std::vector<DeviceRecord> list = {
        Record("A", "123456789012345", "13800000001", "M1", "V1.2", "31"),
        Record("\xC9\xE8\xB1\xB8", "", "13800000002", "", "", ""), // GBK bytes, trail bytes above 0x40
        Record("C", "", "", "", "", "5"),
    };
    std::string text = FormatDeviceList(list);
    EXPECT_EQ(Header() + "A,123456789012345,13800000001,M1,V1.2,31\n" +
                  "\xC9\xE8\xB1\xB8,,13800000002,,,\n" + "C,,,,,5\n",
              text);
    std::vector<DeviceRecord> back = ReadDeviceList(text, {});
    ASSERT_EQ(list.size(), back.size());
    for (size_t i = 0; i < list.size(); ++i)
        ExpectRecord(list[i], back[i]);
}

} // namespace
