#include "DeviceConfigRules.h"

std::array<std::string, 4> SplitAddress(const std::string& address)
{
    std::array<std::string, 4> parts;
    size_t pos = 0;
    for (size_t i = 0; i < parts.size(); ++i) {
        size_t dot = address.find('.', pos);
        if (dot == std::string::npos || dot == pos) {
            parts[i] = address.substr(pos);
            break;
        }
        parts[i] = address.substr(pos, dot - pos);
        pos = dot + 1;
    }
    return parts;
}

std::string JoinAddress(const std::array<std::string, 4>& parts)
{
    size_t count = parts.size();
    while (count > 1 && parts[count - 1].empty())
        --count;
    std::string shorter = parts[0];
    for (size_t i = 1; i < count; ++i)
        shorter += "." + parts[i];
    if (SplitAddress(shorter) == parts)
        return shorter;
    return parts[0] + "." + parts[1] + "." + parts[2] + "." + parts[3];
}

std::string DeriveDeviceId(const std::string& serial)
{
    if (serial.size() != 15)
        return std::string();
    return serial.substr(2, 3) + serial.substr(9, 6);
}

int ListItemOrDefault(int index, int count, int defaultIndex)
{
    return index >= 0 && index < count ? index : defaultIndex;
}

namespace {

// The item of a list whose first item is stored as the number first; the subtraction happens
// only once the number is known to be at least first, so no stored number can overflow it.
int ItemOfStored(int stored, int first, int count, int defaultIndex)
{
    return stored >= first ? ListItemOrDefault(stored - first, count, defaultIndex) : defaultIndex;
}

const int kNmModeCount = 2;  // "仅短信", "短信 + IP"
const int kBaudCount = 12;   // "300" .. "115200"
const int kBaud9600 = 5;
const int kDataBitsCount = 4; // "5位" .. "8位"
const int kDataBits8 = 3;

} // namespace

int NmModeItem(int stored)
{
    return ItemOfStored(stored < 1 ? 1 : stored, 1, kNmModeCount, 0);
}

int BaudItem(int stored)
{
    return ItemOfStored(stored == 0 ? kBaud9600 + 1 : stored, 1, kBaudCount, kBaud9600);
}

int DataBitsItem(int stored)
{
    return ItemOfStored(stored < 5 ? 8 : stored, 5, kDataBitsCount, kDataBits8);
}
