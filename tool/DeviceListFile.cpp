#include "DeviceListFile.h"

const char kDeviceListHeader[] = "设备名称,序列号,手机号码,设备型号,软件版本,信号质量\n";

std::string FormatDeviceLine(const DeviceRecord& record)
{
    return record.name + "," + record.serial + "," + record.phone + "," + record.model + "," + record.version + "," +
           record.signal + "\n";
}

std::string FormatDeviceList(const std::vector<DeviceRecord>& records)
{
    std::string text = kDeviceListHeader;
    for (const DeviceRecord& record : records)
        text += FormatDeviceLine(record);
    return text;
}

namespace {

// Cuts the text up to the first of the stop characters (or to the end) from the front of rest.
// GBK trail bytes are never below 0x40, so no byte of a Chinese character is taken for a stop.
// The program holds a field as a C string: it ends at a NUL byte, and what follows in the field
// is dropped here rather than later, after the name has been judged unique.
std::string CutField(std::string& rest, const char* stops)
{
    size_t end = rest.find_first_of(stops);
    std::string field = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    return field.substr(0, field.find('\0'));
}

} // namespace

DeviceRecord ParseDeviceLine(const std::string& line)
{
    std::string rest = line;
    if (!rest.empty() && rest.back() == '\r')
        rest.pop_back();
    DeviceRecord record;
    record.name = CutField(rest, ",");
    record.serial = CutField(rest, ",");
    record.phone = CutField(rest, ",");
    record.model = CutField(rest, ",");
    record.version = CutField(rest, ",");
    record.signal = CutField(rest, ",\r");
    return record;
}

std::vector<DeviceRecord> ReadDeviceList(const std::string& text, std::set<std::string> takenNames)
{
    std::vector<DeviceRecord> records;
    size_t start = text.find('\n');
    if (start == std::string::npos)
        return records; // the header alone, or nothing
    ++start;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        DeviceRecord record = ParseDeviceLine(line);
        if (takenNames.insert(record.name).second)
            records.push_back(std::move(record));
    }
    return records;
}
