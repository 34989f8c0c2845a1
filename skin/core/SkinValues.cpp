#include "SkinValues.h"

#include <cstdint>

namespace {

int DigitValue(char c, int base) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    else if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Digits of the base from position i to the end, at least one, their value at most the limit.
bool ReadDigits(const std::string& text, std::size_t i, int base, std::uint64_t limit, std::uint64_t& value) {
    if (i >= text.size()) return false;
    value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return false;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit) return false;
    }
    return true;
}

}  // namespace

int IniTextToInt(const std::string& text, int fallback) {
    std::uint64_t value = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ReadDigits(text, 2, 16, 0xFFFFFFFFu, value) ? static_cast<int>(static_cast<std::uint32_t>(value)) : fallback;

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    if (!ReadDigits(text, i, base, limit, value)) return fallback;
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    return static_cast<int>(negative ? 0u - bits : bits);
}

TColor ColourTextToColor(const std::string& text, TColor fallback) {
    int channels[3] = {0, 0, 0};
    int found = 0;
    bool inNumber = false;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            inNumber = false;
            continue;
        }
        if (!inNumber) {
            if (found == 3) break;
            ++found;
            inNumber = true;
        }
        // Kept modulo 256 as it grows, so that no number of digits overflows.
        int& channel = channels[found - 1];
        channel = (channel * 10 + (c - '0')) % 256;
    }
    if (found == 0) return fallback;
    return channels[0] | channels[1] << 8 | channels[2] << 16;
}

bool ColourFromChannels(int red, int green, int blue, TColor& colour) {
    if (red < 0 || green < 0 || blue < 0) return false;
    colour = (red % 256) | (green % 256) << 8 | (blue % 256) << 16;
    return true;
}

std::string ImageEntryName(const std::string& value) {
    const std::size_t folder = value.find_last_of("\\:");
    const std::string name = folder == std::string::npos ? value : value.substr(folder + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || name.compare(dot, std::string::npos, ".bmp") != 0) return std::string();
    return name;
}
