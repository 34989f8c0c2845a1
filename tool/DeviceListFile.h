// The text rules of the device list file devices.csv, free of any window code: one line per
// device, six fields joined by "," with no quoting, lines ended by a single line feed, and a
// header line that is always written and never read.
#pragma once

#include <set>
#include <string>
#include <vector>

// One device as the list file holds it, in the file's field order.
struct DeviceRecord {
    std::string name;
    std::string serial;
    std::string phone;
    std::string model;
    std::string version;
    std::string signal;
};

// The header line, line feed included (GBK in the Windows build).
extern const char kDeviceListHeader[];

// "name,serial,phone,model,version,signal\n".
std::string FormatDeviceLine(const DeviceRecord& record);

// The header and one line per record, in list order.
std::string FormatDeviceList(const std::vector<DeviceRecord>& records);

// One line, without its line feed, back into its fields. A field ends at the next ","; when a
// separator is missing the field takes the rest and the later fields stay empty. A carriage
// return at the end of the line is not part of any field, and the signal field also ends at a
// carriage return. A field ends at a NUL byte; the rest of it is dropped.
DeviceRecord ParseDeviceLine(const std::string& line);

// The records of a whole file: the first line is skipped; every further line is a record unless
// its name is taken already, by a name in takenNames or by an earlier line of the file. A final
// line without its line feed counts; nothing after the last line feed is a line.
std::vector<DeviceRecord> ReadDeviceList(const std::string& text, std::set<std::string> takenNames);
