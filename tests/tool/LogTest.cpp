// The operation log file and the log page, in real windows.
#include <gtest/gtest.h>

#include "DialogAnswerer.h"
#include "Log.h"
#include "ProcessCounts.h"
#include "SyslogView.h"
#include "TestSupport.h"
#include "ToolTestSupport.h"
#include "resource.h"

#include <sstream>
#include <string>

namespace {

class LogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseLog();
        ::DeleteFileA(GetLogPath());
        OpenLog();
    }
    void TearDown() override { CloseLog(); }
};

TEST_F(LogTest, EachCallWritesOneGbkLineEndedByCarriageReturnAndLineFeed)
{
    WriteLog(LOG_INFO, NULL, NULL, "系统启动");
    WriteLog(LOG_FAILURE, "设备1", "13800000000", "打开串口[COM%d]失败!", 3);
    std::string bytes = ReadFileBytes(GetLogPath());

    std::tm now = {};
    std::time_t t = std::time(NULL);
    now = *std::localtime(&t);
    std::string date = FormatLogTime(now).substr(0, 14); // "2010年03月05日" in GBK
    ASSERT_EQ(std::string("\xC4\xEA"), date.substr(4, 2)); // the GBK bytes of the year mark

    std::istringstream lines(bytes);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ("1|" + date, first.substr(0, 16));
    EXPECT_EQ(std::string("|||\xCF\xB5\xCD\xB3\xC6\xF4\xB6\xAF\r"), first.substr(first.size() - 12));
    EXPECT_EQ(std::string("|设备1|13800000000|打开串口[COM3]失败!\r"), second.substr(second.find('|', 2)));
    EXPECT_EQ(std::string::npos, bytes.find("\n\n"));
}

TEST_F(LogTest, TextFromOutsideIsWrittenAsItStands)
{
    WriteLog(LOG_INFO, NULL, NULL, "%s", "100%s%n|");
    std::string bytes = ReadFileBytes(GetLogPath());
    EXPECT_NE(std::string::npos, bytes.find("|||100%s%n|\r\n"));
}

TEST_F(LogTest, ClosedOrClearedLogsWriteNothingOrStartAfresh)
{
    WriteLog(LOG_INFO, NULL, NULL, "before");
    CloseLog();
    WriteLog(LOG_INFO, NULL, NULL, "lost");
    EXPECT_EQ(std::string::npos, ReadFileBytes(GetLogPath()).find("lost"));
    OpenLog();
    ClearLog();
    WriteLog(LOG_INFO, NULL, NULL, "after");
    std::string bytes = ReadFileBytes(GetLogPath());
    EXPECT_EQ(std::string::npos, bytes.find("before"));
    EXPECT_NE(std::string::npos, bytes.find("after"));
}

// ---------------------------------------------------------------------------------------------

class LogPageTest : public LogTest {
protected:
    void SetUp() override
    {
        LogTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, NULL, "log page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 600, NULL,
                                      NULL));
        m_page = static_cast<CSyslogView*>(RUNTIME_CLASS(CSyslogView)->CreateObject());
        ASSERT_TRUE(m_page->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 880, 560), &m_parent,
                                   AFX_IDW_PANE_FIRST, NULL));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        LogTest::TearDown();
    }
    void Start() { m_page->SendMessage(WM_INITIALUPDATE); }
    CString Cell(int row, int column) { return m_page->m_list.GetItemText(row, column); }

    CWnd m_parent;
    CSyslogView* m_page = nullptr;
};

TEST_F(LogPageTest, ThePageShowsTheNewestLineFirstAndCutsMessagesAtABar)
{
    WriteLog(LOG_INFO, NULL, NULL, "first");
    WriteLog(LOG_FAILURE, "dev", "139", "second|hidden");
    WriteLog(LOG_DEVICE_ERROR, NULL, NULL, "third");
    Start();
    ASSERT_EQ(3, m_page->m_list.GetItemCount());
    EXPECT_STREQ("third\n", Cell(0, 4));
    EXPECT_STREQ("second", Cell(1, 4));
    EXPECT_STREQ("dev", Cell(1, 2));
    EXPECT_STREQ("139", Cell(1, 3));
    EXPECT_STREQ("first\n", Cell(2, 4));
    EXPECT_EQ(LOG_DEVICE_ERROR, m_page->m_list.GetItemImage(0, 0));
    EXPECT_EQ(LOG_INFO, m_page->m_list.GetItemImage(2, 0));
}

// The template's list becomes the report control: its columns, its level icons, and a click on
// a column title sorts the rows with their icons (the notification comes back through the page).
TEST_F(LogPageTest, TheListIsAReportListThatSortsWithItsIcons)
{
    WriteLog(LOG_FAILURE, NULL, NULL, "b");
    WriteLog(LOG_INFO, NULL, NULL, "c");
    WriteLog(LOG_DEVICE_ERROR, NULL, NULL, "a");
    Start();
    CReportCtrl& list = m_page->m_list;
    ASSERT_EQ(&list, CWnd::FromHandlePermanent(::GetDlgItem(m_page->m_hWnd, IDC_LOG_LIST)));
    const char* titles[] = { "", "时间", "设备名称", "手机号码", "内容" };
    const int widths[] = { 20, 180, 120, 100, 900 };
    ASSERT_EQ(5, list.GetColumnCount());
    for (int column = 0; column < 5; ++column) {
        EXPECT_STREQ(titles[column], list.GetHeaderText(column));
        EXPECT_EQ(widths[column], list.GetColumnWidth(column));
    }
    EXPECT_EQ(7, list.GetImageList()->GetImageCount());
    EXPECT_EQ(0x863u, list.GetExtendedStyle() & 0x863u);

    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    CRect rect;
    pHeader->GetItemRect(4, &rect);
    CPoint point = rect.CenterPoint();
    pHeader->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    pHeader->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(4, list.GetSortColumn());
    EXPECT_STREQ("a\n", Cell(0, 4));
    EXPECT_EQ(LOG_DEVICE_ERROR, list.GetItemImage(0, 0));
    EXPECT_STREQ("b\n", Cell(1, 4));
    EXPECT_EQ(LOG_FAILURE, list.GetItemImage(1, 0));
}

TEST_F(LogPageTest, ThePageReloadsOnlyWhenTheFileChangedAndKeepsRowsWhenItGoes)
{
    WriteLog(LOG_INFO, NULL, NULL, "one");
    Start();
    m_page->m_list.DeleteAllItems(); // what a needless reload would bring back
    m_page->LoadLog();
    EXPECT_EQ(0, m_page->m_list.GetItemCount());
    WriteLog(LOG_INFO, NULL, NULL, "two");
    m_page->LoadLog();
    EXPECT_EQ(2, m_page->m_list.GetItemCount());

    CloseLog();
    ::DeleteFileA(GetLogPath());
    m_page->LoadLog();
    EXPECT_EQ(2, m_page->m_list.GetItemCount());
}

// Pages come and go at every switch: each takes its level icons and gives them all back, and a
// reload leaves the list drawing again.
TEST_F(LogPageTest, PagesComeAndGoWithoutKeepingIconsAndReloadsLeaveTheListDrawing)
{
    for (int i = 0; i < 50; ++i)
        WriteLog(LOG_INFO, NULL, NULL, "line %d", i);
    Start();
    int nUserBefore = ProcessUserObjectCount();
    int nGdiBefore = ProcessGdiObjectCount();
    ASSERT_GT(nUserBefore, 0);
    for (int i = 0; i < 20; ++i) {
        CSyslogView* pPage = static_cast<CSyslogView*>(RUNTIME_CLASS(CSyslogView)->CreateObject());
        ASSERT_TRUE(pPage->Create(NULL, NULL, WS_CHILD, CRect(0, 0, 400, 300), &m_parent, 100 + i, NULL));
        pPage->SendMessage(WM_INITIALUPDATE);
        pPage->DestroyWindow();
    }
    EXPECT_LE(ProcessUserObjectCount(), nUserBefore);
    EXPECT_LE(ProcessGdiObjectCount(), nGdiBefore);

    EXPECT_EQ(50, m_page->m_list.GetItemCount());
    EXPECT_STREQ("line 49\n", Cell(0, 4));
    EXPECT_STREQ("line 0\n", Cell(49, 4));
    EXPECT_NE(0, ::GetWindowLongPtrA(m_page->m_list.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    RECT rcUpdate;
    m_page->m_list.Invalidate(FALSE);
    EXPECT_TRUE(::GetUpdateRect(m_page->m_list.m_hWnd, &rcUpdate, FALSE)) << "the list no longer draws";
}

TEST_F(LogPageTest, ClearingLeavesOneRowSayingSo)
{
    WriteLog(LOG_INFO, NULL, NULL, "one");
    WriteLog(LOG_INFO, NULL, NULL, "two");
    Start();
    ::SendDlgItemMessageA(m_page->m_hWnd, IDC_LOG_CLEAR, BM_CLICK, 0, 0);
    ASSERT_EQ(1, m_page->m_list.GetItemCount());
    EXPECT_STREQ("清空日志\n", Cell(0, 4));
}

TEST_F(LogPageTest, AnOverLongLineMakesOneRowFromItsFirstPiece)
{
    std::string longMessage(2100, 'x');
    WriteLog(LOG_INFO, NULL, NULL, "%s", longMessage.c_str());
    WriteLog(LOG_INFO, NULL, NULL, "short");
    Start();
    ASSERT_EQ(2, m_page->m_list.GetItemCount());
    EXPECT_STREQ("short\n", Cell(0, 4));
    EXPECT_GT(Cell(1, 4).GetLength(), 2000);
    EXPECT_LT(Cell(1, 4).GetLength(), 2048);
}

TEST_F(LogPageTest, ExportCopiesTheLogAndLogsOnlyASuccessfulCopy)
{
    std::string target = TempPath("exported-log.txt");
    ::DeleteFileA(target.c_str());
    WriteLog(LOG_INFO, NULL, NULL, "content");
    Start();
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), target);
        ::SendDlgItemMessageA(m_page->m_hWnd, IDC_LOG_EXPORT, BM_CLICK, 0, 0);
        Pump(300);
        answerer.Stop();
        EXPECT_EQ(1, answerer.m_fileDialogs);
    }
    std::string copy = ReadFileBytes(target);
    EXPECT_NE(std::string::npos, copy.find("content"));
    EXPECT_EQ(std::string::npos, copy.find("exported-log.txt")); // logged after the copy
    EXPECT_NE(std::string::npos, ReadFileBytes(GetLogPath()).find("导出日志列表到文件[" + target + "]"));
    ::DeleteFileA(target.c_str());

    std::string unreachable = TempPath("no-such-folder\\log.txt");
    {
        DialogAnswerer answerer(::GetCurrentThreadId(), unreachable);
        ::SendDlgItemMessageA(m_page->m_hWnd, IDC_LOG_EXPORT, BM_CLICK, 0, 0);
        Pump(300);
        answerer.Stop();
        ASSERT_EQ(1u, answerer.m_messages.size());
        EXPECT_NE(std::string::npos, answerer.m_messages[0].find("失败"));
    }
    std::string log = ReadFileBytes(GetLogPath());
    EXPECT_NE(std::string::npos, log.find("2|"));
    EXPECT_EQ(std::string::npos, log.find("导出日志列表到文件[" + unreachable + "]\r"));
}

} // namespace
