// Strings, collections and text archives.
#include <gtest/gtest.h>

#include "afxdisp.h"

#include <stdio.h>
#include <string>

namespace {

// 0x81 0x7C is one GBK character whose second byte looks like '|'.
const char kTrailPipe[] = "\x81\x7c";

TEST(CStringTest, SearchesNeverMatchTheSecondByteOfADoubleByteCharacter)
{
    CString text = CString(kTrailPipe) + "|tail";
    EXPECT_EQ(2, text.Find('|'));
    EXPECT_EQ(2, text.ReverseFind('|'));
    EXPECT_EQ(2, text.FindOneOf("|"));
    EXPECT_EQ(1, text.Replace('|', ','));
    EXPECT_STREQ("\x81\x7c,tail", text);

    CString both = CString(kTrailPipe) + "a|b";
    EXPECT_EQ(1, both.Remove('|'));
    EXPECT_STREQ("\x81\x7c" "ab", both);
}

TEST(CStringTest, FormatHandlesLongTextsAndPercentArguments)
{
    std::string longText(5000, 'x');
    CString text;
    text.Format("%s|%d", longText.c_str(), 7);
    EXPECT_EQ(5002, text.GetLength());
    EXPECT_EQ(5000, text.Find('|'));

    text.Format("%s", "100%s%n");
    EXPECT_STREQ("100%s%n", text);
}

TEST(CStringTest, SlicingClampsOutOfRangeArguments)
{
    CString text("abcdef");
    EXPECT_STREQ("", text.Mid(10));
    EXPECT_STREQ("abcdef", text.Mid(-3));
    EXPECT_STREQ("cd", text.Mid(2, 2));
    EXPECT_STREQ("", text.Left(-1));
    EXPECT_STREQ("abcdef", text.Right(99));
    CString padded("  x y \r\n");
    padded.TrimLeft();
    padded.TrimRight();
    EXPECT_STREQ("x y", padded);
}

TEST(CStringTest, BufferAccessKeepsLengthInStep)
{
    CString text;
    strcpy(text.GetBuffer(10), "abc");
    text.ReleaseBuffer();
    EXPECT_EQ(3, text.GetLength());
    text += 'd';
    EXPECT_STREQ("abcd", text);
}

TEST(CollectionTest, ListKeepsOrderThroughInsertsAndRemovals)
{
    CList<CString, LPCTSTR> list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION posC = list.AddTail("c");
    list.InsertBefore(posC, "b2");
    list.RemoveAt(list.Find("b"));
    CString joined;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        joined += list.GetNext(pos);
    EXPECT_STREQ("ab2c", joined);
    EXPECT_EQ(3, list.GetCount());
    EXPECT_STREQ("c", list.GetAt(list.FindIndex(2)));
    EXPECT_EQ(NULL, list.FindIndex(3));
}

TEST(CollectionTest, ArrayInsertPastTheEndGrows)
{
    CArray<int, int> values;
    values.Add(1);
    values.InsertAt(3, 9);
    ASSERT_EQ(4, values.GetSize());
    EXPECT_EQ(9, values[1]);
    EXPECT_EQ(9, values[3]);
    values.RemoveAt(1, 10);
    EXPECT_EQ(1, values.GetSize());
}

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        GetTempFileNameA(dir, "arc", 0, m_path);
    }
    void TearDown() override { DeleteFileA(m_path); }
    void WriteRaw(const char* bytes)
    {
        FILE* f = fopen(m_path, "wb");
        fputs(bytes, f);
        fclose(f);
    }
    char m_path[MAX_PATH];
};

TEST_F(ArchiveTest, ReadStringDropsLineEndsAndReadsALastLineWithoutOne)
{
    WriteRaw("one\r\ntwo\n\nlast");
    CFile file;
    ASSERT_TRUE(file.Open(m_path, CFile::modeRead));
    CArchive ar(&file, CArchive::load);
    CString line;
    const char* expected[] = { "one", "two", "", "last" };
    for (const char* text : expected) {
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ(text, line);
    }
    EXPECT_FALSE(ar.ReadString(line));
}

TEST_F(ArchiveTest, WrittenTextReadsBackAcrossTheBufferSize)
{
    std::string longLine(9000, 'z');
    {
        CFile file(m_path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar.WriteString("head\n");
        ar.WriteString(longLine.c_str());
        ar.WriteString("\n");
    }
    CFile file(m_path, CFile::modeRead);
    EXPECT_EQ(9006u, file.GetLength());
    CArchive ar(&file, CArchive::load);
    CString line;
    ASSERT_TRUE(ar.ReadString(line));
    ASSERT_TRUE(ar.ReadString(line));
    EXPECT_EQ(9000, line.GetLength());
}

TEST(DateTimeTest, ParsesLocalDatesAndRejectsOtherText)
{
    COleDateTime date;
    ASSERT_TRUE(date.ParseDateTime("2010-03-05 14:02:07"));
    EXPECT_EQ(2010, date.GetYear());
    EXPECT_EQ(3, date.GetMonth());
    EXPECT_EQ(14, date.GetHour());
    COleDateTime later;
    ASSERT_TRUE(later.ParseDateTime("2010-03-06"));
    EXPECT_LT(date, later);

    COleDateTime bad;
    EXPECT_FALSE(bad.ParseDateTime("hello"));
    EXPECT_EQ(COleDateTime::invalid, bad.GetStatus());
    EXPECT_STREQ("", bad.Format());
}

} // namespace
