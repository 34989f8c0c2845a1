#include "components/SysUtils.h"

#include <cctype>
#include <cstdio>
#include <limits>

std::string IntToStr(long long value) { return std::to_string(value); }

std::string IntToHex(unsigned long long value, int digits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, value);
    return buffer;
}

static int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

bool TryStrToInt64(const std::string& raw, long long& value) {
    const std::string text = Trim(raw);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') { base = 16; ++i; }
    else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) { base = 16; i += 2; }
    if (i >= text.size()) return false;
    unsigned long long magnitude = 0;
    // Hexadecimal texts may spell a full 64-bit pattern; decimal ones must fit a signed value.
    const unsigned long long limit = base == 16 ? std::numeric_limits<unsigned long long>::max()
                                                : static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + (negative ? 1 : 0);
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], base);
        if (d < 0) return false;
        if (magnitude > (limit - static_cast<unsigned long long>(d)) / static_cast<unsigned long long>(base)) return false;
        magnitude = magnitude * static_cast<unsigned long long>(base) + static_cast<unsigned long long>(d);
    }
    value = negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
    return true;
}

bool TryStrToInt(const std::string& text, int& value) {
    long long wide = 0;
    if (!TryStrToInt64(text, wide)) return false;
    if (wide >= std::numeric_limits<int>::min() && wide <= std::numeric_limits<int>::max()) {
        value = static_cast<int>(wide);
        return true;
    }
    // "$FFFFFFFF" is the 32-bit pattern -1, as colour and style values are written.
    const bool hex = Trim(text).find_first_of("$xX") != std::string::npos;
    if (!hex || wide < 0 || wide > static_cast<long long>(std::numeric_limits<unsigned int>::max())) return false;
    value = static_cast<int>(static_cast<unsigned int>(wide));
    return true;
}

int StrToInt(const std::string& text) {
    int value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

int StrToIntDef(const std::string& text, int fallback) {
    int value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string LowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && LowerCase(a) == LowerCase(b); }

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

bool IsValidIdent(const std::string& text) {
    if (text.empty()) return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(text[0])) return false;
    for (char c : text)
        if (!alpha(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}
