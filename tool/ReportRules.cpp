#include "ReportRules.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace ReportRules {

namespace {

// The C library's white space, spelled out so that bytes of double-byte characters never count.
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int HexDigitValue(char ch)
{
    if (IsDigit(ch))
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::string HexDigitsOf(unsigned long value)
{
    if (value == 0)
        return std::string();
    char digits[16];
    snprintf(digits, sizeof digits, "%lx", value);
    return digits;
}

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// The digits after an optional sign and 0x prefix, as the C library's number reader takes them.
const char* SkipHexPrefix(const char* p)
{
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && HexDigitValue(p[2]) >= 0)
        return p + 2;
    return p;
}

} // namespace

bool ParseHexCell(const char* text, std::string& key)
{
    if (text == nullptr)
        return false;
    const char* p = SkipBlanks(text);
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    p = SkipHexPrefix(p);
    const char* digits = p;
    while (HexDigitValue(*p) >= 0)
        ++p;
    if (p == digits || *p != '\0')
        return false;
    while (*digits == '0')
        ++digits;
    size_t count = (size_t)(p - digits);
    if (count > 8) {
        // Beyond 32 bits: the full value orders the cell (phone and serial numbers live here).
        if (negative)
            return false;
        key.clear();
        for (const char* d = digits; d != p; ++d)
            key += (char)("0123456789abcdef"[HexDigitValue(*d)]);
        return true;
    }
    unsigned long value = strtoul(digits, nullptr, 16) & 0xFFFFFFFFul;
    if (negative)
        value = (0u - (unsigned)value) & 0xFFFFFFFFu;
    key = HexDigitsOf(value);
    return true;
}

int CompareHexKeys(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

bool ParseRealCell(const char* text, double& value)
{
    if (text == nullptr)
        return false;
    const char* start = SkipBlanks(text);
    const char* p = start;
    if (*p == '-' || *p == '+')
        ++p;
    int mantissaDigits = 0;
    while (IsDigit(*p)) {
        ++p;
        ++mantissaDigits;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) {
            ++p;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '-' || *exponent == '+')
            ++exponent;
        if (IsDigit(*exponent)) {
            while (IsDigit(*exponent))
                ++exponent;
            p = exponent;
        }
    }
    const char* end = p;
    if (*p == '%')
        ++p;
    if (*p != '\0')
        return false;
    value = strtod(std::string(start, end).c_str(), nullptr);
    return true;
}

int CompareReals(double a, double b)
{
    if (a < b)
        return -1;
    return a > b ? 1 : 0;
}

void QuickSortRows(std::vector<int>& rows, int lo, int hi, bool ascending,
                   const std::function<int(int, int)>& compare)
{
    // Every comparison is against the one pivot row, so each side of the partition has a row
    // that stops the scan even when the cells mix number and text rules; the bounds are a
    // second guard.
    int pivot = rows[(size_t)(lo + hi) / 2];
    int sign = ascending ? 1 : -1;
    int i = lo;
    int j = hi;
    while (i <= j) {
        while (i < hi && sign * compare(rows[(size_t)i], pivot) < 0)
            ++i;
        while (j > lo && sign * compare(rows[(size_t)j], pivot) > 0)
            --j;
        if (i <= j) {
            if (i != j)
                std::swap(rows[(size_t)i], rows[(size_t)j]);
            ++i;
            --j;
        }
    }
    if (lo < j)
        QuickSortRows(rows, lo, j, ascending, compare);
    if (i < hi)
        QuickSortRows(rows, i, hi, ascending, compare);
}

namespace {

// Splits at the separator and drops empty pieces.
std::vector<std::string> SplitNonEmpty(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

int ToInt(const std::string& field)
{
    return (int)strtol(field.c_str(), nullptr, 10);
}

} // namespace

std::vector<ColumnSpec> ParseColumnSpec(const char* text)
{
    std::vector<ColumnSpec> columns;
    if (text == nullptr)
        return columns;
    for (const std::string& piece : SplitNonEmpty(text, ';')) {
        std::vector<std::string> fields = SplitNonEmpty(piece, ',');
        if (fields.empty())
            continue;
        ColumnSpec column;
        column.title = fields[0];
        if (fields.size() > 1)
            column.width = ToInt(fields[1]);
        if (fields.size() > 2)
            column.alignment = ToInt(fields[2]);
        if (fields.size() > 3)
            column.editable = ToInt(fields[3]);
        columns.push_back(column);
    }
    return columns;
}

std::string FormatReal(double value, int precision)
{
    char text[400];
    if (precision >= 0) {
        // Keep the text within the buffer for any magnitude a double can hold.
        snprintf(text, sizeof text, "%.*f", precision > 60 ? 60 : precision, value);
        return text;
    }
    snprintf(text, sizeof text, "%f", value);
    std::string result = text;
    if (result.find('.') != std::string::npos) {
        while (!result.empty() && result.back() == '0')
            result.pop_back();
        if (!result.empty() && result.back() == '.')
            result.pop_back();
    }
    return result;
}

} // namespace ReportRules
