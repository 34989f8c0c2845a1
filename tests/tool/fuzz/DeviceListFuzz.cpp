// Any bytes as devices.csv: read without fault, and what was read writes a file that reads back
// the same devices.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DeviceListFile.h"

namespace {

bool SameRecord(const DeviceRecord& a, const DeviceRecord& b)
{
    return a.name == b.name && a.serial == b.serial && a.phone == b.phone && a.model == b.model &&
           a.version == b.version && a.signal == b.signal;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<DeviceRecord> records = ReadDeviceList(text, {});
    std::vector<DeviceRecord> again = ReadDeviceList(FormatDeviceList(records), {});
    if (again.size() != records.size())
        std::abort();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (!SameRecord(records[i], again[i]))
            std::abort();
    return 0;
}
