// Text rules of the report list control that need no window: how a cell reads as a number, how
// rows are ordered, how a column layout string is read and how a real number is written.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ReportRules {

// A cell that reads whole as a hexadecimal number: leading white space, an optional sign and an
// optional 0x prefix are allowed. The key holds the value's digits in lower case without leading
// zeros ("" for zero), so that keys of any length order by value. Values up to 32 bits take a
// minus sign modulo 2^32; a negative value beyond 32 bits is not read as a number.
bool ParseHexCell(const char* text, std::string& key);
int CompareHexKeys(const std::string& a, const std::string& b);

// A cell that reads whole as a decimal real number, optionally followed by one '%'.
bool ParseRealCell(const char* text, double& value);
int CompareReals(double a, double b);

// Orders rows[lo..hi] by compare(rowA, rowB) (negative, zero or positive); not stable.
void QuickSortRows(std::vector<int>& rows, int lo, int hi, bool ascending,
                   const std::function<int(int, int)>& compare);

// One column of a layout string "title,width,alignment,editable;title,...".
struct ColumnSpec {
    std::string title;
    int width = 100;
    int alignment = 0; // 0 left, 1 centre, 2 right
    int editable = 1;
};
std::vector<ColumnSpec> ParseColumnSpec(const char* text);

// precision >= 0: that many decimals; negative: "%f" without its trailing zeros and point.
std::string FormatReal(double value, int precision);

} // namespace ReportRules
