#include "DeviceName.h"

#include <cstring>

namespace {

bool IsGbkLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool IsGbkTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFE && byte != 0x7F;
}

// Calls visit for every single-byte character of the text; the two bytes of a double-byte
// character are stepped over together. A lead byte without a valid second byte stands alone, so
// the byte after it is judged by itself. Stops early when visit returns true; returns whether it
// did.
template <class Visit>
bool AnySingleByte(const std::string& text, Visit visit)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char byte = (unsigned char)text[i];
        if (IsGbkLeadByte(byte) && i + 1 < text.size() && IsGbkTrailByte((unsigned char)text[i + 1])) {
            ++i;
            continue;
        }
        if (visit(byte))
            return true;
    }
    return false;
}

// The small letters of the GBK character set that have a capital in it: the second bytes of
// each range under its first byte, and how far below them the capitals lie.
struct GbkSmallLetters {
    unsigned char lead;
    unsigned char first;
    unsigned char last;
    int toCapital;
};
const GbkSmallLetters kGbkSmallLetters[] = {
    { 0xA2, 0xA1, 0xAA, 0x50 },  // small Roman numerals one to ten; the capitals at A2F1
    { 0xA3, 0xE1, 0xFA, -0x20 }, // full-width Latin letters
    { 0xA6, 0xC1, 0xD8, -0x20 }, // Greek
    { 0xA7, 0xD1, 0xF1, -0x30 }, // Cyrillic
};

// The name with every letter that has two cases as its capital, as the system compares names.
std::string CapitalLetters(const std::string& name)
{
    std::string folded = name;
    for (size_t i = 0; i < folded.size(); ++i) {
        unsigned char byte = (unsigned char)folded[i];
        if (IsGbkLeadByte(byte) && i + 1 < folded.size() && IsGbkTrailByte((unsigned char)folded[i + 1])) {
            unsigned char trail = (unsigned char)folded[++i];
            for (const GbkSmallLetters& letters : kGbkSmallLetters)
                if (byte == letters.lead && trail >= letters.first && trail <= letters.last)
                    folded[i] = (char)(trail + letters.toCapital);
            continue;
        }
        if (byte >= 'a' && byte <= 'z')
            folded[i] = (char)(byte - 'a' + 'A');
    }
    return folded;
}

bool IsControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7F;
}

bool IsPathCharacter(unsigned char byte)
{
    return byte != '\0' && std::strchr("\\/:*?\"<>|", byte) != nullptr;
}

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = (char)(c - 'a' + 'A');
    return text;
}

// The system takes a file name for a device when the part before its first "." (blanks at its
// end aside) is a device name, whatever extension follows.
bool IsReservedName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    base = UpperAscii(base);
    static const char* const fixed[] = { "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$" };
    for (const char* reserved : fixed)
        if (base == reserved)
            return true;
    bool numbered = base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0);
    return numbered && base[3] >= '1' && base[3] <= '9';
}

// The faults that rule out a file name, in the order of the enumeration.
DeviceNameFault FileNameFault(const std::string& name)
{
    if (AnySingleByte(name, IsControl))
        return DeviceNameFault::ControlCharacter;
    if (AnySingleByte(name, IsPathCharacter))
        return DeviceNameFault::PathCharacter;
    if (name == "." || name == "..")
        return DeviceNameFault::DotName;
    if (IsReservedName(name))
        return DeviceNameFault::ReservedName;
    return DeviceNameFault::None;
}

} // namespace

bool SameFileName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CapitalLetters(a) == CapitalLetters(b);
}

bool HoldsListSeparator(const std::string& field)
{
    return field.find_first_of(",\r\n") != std::string::npos;
}

DeviceNameFault CheckDeviceName(const std::string& name)
{
    return HoldsListSeparator(name) ? DeviceNameFault::ListSeparator : FileNameFault(name);
}

bool IsSafeFileName(const std::string& name)
{
    return FileNameFault(name) == DeviceNameFault::None;
}
