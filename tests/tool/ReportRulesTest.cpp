// The report list's text rules, natively and under the sanitizers.
#include <gtest/gtest.h>

#include "ReportRules.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace ReportRules;

namespace {

bool IsHex(const char* text)
{
    std::string key;
    return ParseHexCell(text, key);
}

int CompareHex(const char* a, const char* b)
{
    std::string keyA, keyB;
    EXPECT_TRUE(ParseHexCell(a, keyA)) << a;
    EXPECT_TRUE(ParseHexCell(b, keyB)) << b;
    return CompareHexKeys(keyA, keyB);
}

bool IsReal(const char* text, double expected = 0, bool check = false)
{
    double value = -12345;
    bool ok = ParseRealCell(text, value);
    if (ok && check) {
        EXPECT_DOUBLE_EQ(expected, value) << text;
    }
    return ok;
}

} // namespace

TEST(ReportRules, HexCellsReadWholeWithTheLibraryPrefixRules)
{
    for (const char* text : { "0", "ff", "FF", "0x1A", "0X1a", "  7", "\t-1", "+a", "abc", "1e5", "000000000001" })
        EXPECT_TRUE(IsHex(text)) << text;
    for (const char* text : { "", " ", "-", "0x", "0xg", "12 ", "1.5", "g", "12%", "０", "\xb0\xa1" })
        EXPECT_FALSE(IsHex(text)) << text;
    EXPECT_FALSE(IsHex(nullptr));
}

TEST(ReportRules, HexOrderFollowsValueAtAnyLength)
{
    EXPECT_LT(CompareHex("9", "A"), 0);
    EXPECT_LT(CompareHex("A", "10"), 0);
    EXPECT_EQ(0, CompareHex("0x00ff", "FF"));
    EXPECT_EQ(0, CompareHex("0", "000"));
    // A minus sign works modulo 2^32, so -1 is the largest 32-bit value.
    EXPECT_EQ(0, CompareHex("-1", "FFFFFFFF"));
    EXPECT_GT(CompareHex("-1", "7FFFFFFF"), 0);
    // Longer than 32 bits: the full value decides, also against 32-bit values.
    EXPECT_LT(CompareHex("FFFFFFFF", "100000000"), 0);
    EXPECT_LT(CompareHex("13800138000", "13800138001"), 0);
    EXPECT_GT(CompareHex("13900000000", "13800138000"), 0);
    EXPECT_LT(CompareHex("-1", "100000000"), 0);
    EXPECT_EQ(0, CompareHex("0x000013800138000", "13800138000"));
    // A negative value beyond 32 bits has no sensible place among them and is left to later rules.
    EXPECT_FALSE(IsHex("-13800138000"));
}

TEST(ReportRules, RealCellsAreDecimalNumbersWithAnOptionalPercent)
{
    EXPECT_TRUE(IsReal("1.5", 1.5, true));
    EXPECT_TRUE(IsReal("12%", 12, true));
    EXPECT_TRUE(IsReal(" -2.25", -2.25, true));
    EXPECT_TRUE(IsReal(".5", 0.5, true));
    EXPECT_TRUE(IsReal("5.", 5, true));
    EXPECT_TRUE(IsReal("1e3", 1000, true));
    EXPECT_TRUE(IsReal("2.5E-1%", 0.25, true));
    for (const char* text : { "", "%", ".", "-", "1.5x", "12%%", "%12", "1 %", "0x10", "inf", "nan", "1e", "1,5" })
        EXPECT_FALSE(IsReal(text)) << text;
    EXPECT_LT(CompareReals(1.5, 12), 0);
    EXPECT_EQ(0, CompareReals(2, 2));
}

TEST(ReportRules, QuickSortOrdersBothWaysAndStaysInsideMixedComparisons)
{
    std::mt19937 random(7);
    std::vector<int> values(200);
    for (int& value : values)
        value = (int)(random() % 50);
    auto byValue = [&](int a, int b) { return values[(size_t)a] < values[(size_t)b] ? -1 : (values[(size_t)a] > values[(size_t)b] ? 1 : 0); };
    std::vector<int> rows(values.size());
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = (int)i;
    QuickSortRows(rows, 0, (int)rows.size() - 1, true, byValue);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [&](int a, int b) { return byValue(a, b) < 0; }));
    QuickSortRows(rows, 0, (int)rows.size() - 1, false, byValue);
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [&](int a, int b) { return byValue(a, b) > 0; }));
    std::vector<int> sortedRows = rows;
    std::sort(sortedRows.begin(), sortedRows.end());
    for (size_t i = 0; i < sortedRows.size(); ++i)
        ASSERT_EQ((int)i, sortedRows[i]); // every row once

    // Cells of mixed kinds compare by different rules and need not be transitive (10 > 9 as
    // numbers, 9 > 1z and 1z > 10 as text); the sort must still end inside its range.
    std::vector<int> cycle(300);
    for (size_t i = 0; i < cycle.size(); ++i)
        cycle[i] = (int)i;
    auto rockPaperScissors = [](int a, int b) {
        int d = ((a % 3) - (b % 3) + 3) % 3;
        return d == 0 ? 0 : (d == 1 ? 1 : -1);
    };
    QuickSortRows(cycle, 0, (int)cycle.size() - 1, true, rockPaperScissors);
    QuickSortRows(cycle, 0, (int)cycle.size() - 1, false, rockPaperScissors);
    std::sort(cycle.begin(), cycle.end());
    for (size_t i = 0; i < cycle.size(); ++i)
        ASSERT_EQ((int)i, cycle[i]);
}

TEST(ReportRules, ColumnSpecificationDropsEmptyPiecesAndFillsDefaults)
{
    std::vector<ColumnSpec> columns = ParseColumnSpec("名称;;手机号码,120,2,0;;");
    ASSERT_EQ(2u, columns.size());
    EXPECT_EQ("名称", columns[0].title);
    EXPECT_EQ(100, columns[0].width);
    EXPECT_EQ(0, columns[0].alignment);
    EXPECT_EQ(1, columns[0].editable);
    EXPECT_EQ(120, columns[1].width);
    EXPECT_EQ(2, columns[1].alignment);
    EXPECT_EQ(0, columns[1].editable);

    columns = ParseColumnSpec("a,,1;b,x,,,7");
    ASSERT_EQ(2u, columns.size());
    EXPECT_EQ(1, columns[0].width); // the empty field is dropped, so 1 is the width
    EXPECT_EQ(0, columns[1].width);
    EXPECT_EQ(7, columns[1].alignment);
    EXPECT_TRUE(ParseColumnSpec(",,;;,").empty());
    EXPECT_TRUE(ParseColumnSpec("").empty());
    EXPECT_TRUE(ParseColumnSpec(nullptr).empty());
}

TEST(ReportRules, RealsAreWrittenWithOrWithoutAFixedPrecision)
{
    EXPECT_EQ("1.5", FormatReal(1.5, -1));
    EXPECT_EQ("2", FormatReal(2.0, -1));
    EXPECT_EQ("100", FormatReal(100.0, -1));
    EXPECT_EQ("-0.125", FormatReal(-0.125, -1));
    EXPECT_EQ("0", FormatReal(0.0, -1));
    EXPECT_EQ("3.14", FormatReal(3.14159, 2));
    EXPECT_EQ("3", FormatReal(3.14159, 0));
    EXPECT_EQ(310u, FormatReal(-1e308, -1).size());
    EXPECT_FALSE(FormatReal(1e308, 1000).empty());
}
