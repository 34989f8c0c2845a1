// Windows, message maps with reflection, data exchange on a dialog template, worker threads.
#include <gtest/gtest.h>

#include "afxcmn.h"
#include "afxdisp.h"
#include "resource.h"

#include <string>
#include <vector>

namespace {

const UINT WM_TEST_PING = WM_USER + 50;
UINT g_registeredPing = ::RegisterWindowMessageA("MfcTestRegisteredPing");

std::vector<std::string> g_log;

class CBaseTarget : public CWnd {
public:
    int m_baseCommands = 0;

protected:
    afx_msg void OnBaseCommand() { ++m_baseCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CWnd)
    ON_COMMAND(100, OnBaseCommand)
    ON_COMMAND(101, OnBaseCommand)
END_MESSAGE_MAP()

// A list control that sorts on its own column clicks, as the tool's report list does.
class CSelfSortingList : public CListCtrl {
public:
    int m_clicks = 0;
    BOOL m_passOn = FALSE;

protected:
    afx_msg void OnColumnClick(NMHDR*, LRESULT* pResult)
    {
        ++m_clicks;
        *pResult = 0;
    }
    afx_msg BOOL OnItemChanged(NMHDR*, LRESULT*) { return !m_passOn; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfSortingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

class CTarget : public CBaseTarget {
public:
    int m_derivedCommands = 0;
    int m_created = 0;
    int m_parentItemChanged = 0;
    int m_parentColumnClicks = 0;
    CSelfSortingList m_list;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_created;
        return CBaseTarget::OnCreate(lpcs);
    }
    afx_msg void OnDerivedCommand() { ++m_derivedCommands; }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) { return wParam + lParam; }
    afx_msg LRESULT OnRegisteredPing(WPARAM wParam, LPARAM) { return wParam * 2; }
    afx_msg void OnListItemChanged(NMHDR*, LRESULT*) { ++m_parentItemChanged; }
    afx_msg void OnListColumnClick(NMHDR*, LRESULT*) { ++m_parentColumnClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTarget, CBaseTarget)
    ON_WM_CREATE()
    ON_COMMAND(101, OnDerivedCommand)
    ON_MESSAGE(WM_TEST_PING, OnPing)
    ON_REGISTERED_MESSAGE(g_registeredPing, OnRegisteredPing)
    ON_NOTIFY(LVN_ITEMCHANGED, 7, OnListItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, 7, OnListColumnClick)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_target.CreateEx(0, NULL, "target", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
        ASSERT_TRUE(m_target.m_list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &m_target, 7));
        m_target.m_list.InsertColumn(0, "name", LVCFMT_LEFT, 80);
        m_target.m_list.InsertItem(0, "a");
    }
    void TearDown() override
    {
        if (m_target.m_hWnd != NULL)
            m_target.DestroyWindow();
    }
    LRESULT Notify(UINT code)
    {
        NMLISTVIEW nm = {};
        nm.hdr.hwndFrom = m_target.m_list.m_hWnd;
        nm.hdr.idFrom = 7;
        nm.hdr.code = code;
        return m_target.SendMessage(WM_NOTIFY, 7, (LPARAM)&nm);
    }
    CTarget m_target;
};

TEST_F(MessageMapTest, HandlersFollowTheClassChainDerivedFirst)
{
    EXPECT_EQ(1, m_target.m_created);
    m_target.SendMessage(WM_COMMAND, 100);
    m_target.SendMessage(WM_COMMAND, 101);
    EXPECT_EQ(1, m_target.m_baseCommands);
    EXPECT_EQ(1, m_target.m_derivedCommands);
    EXPECT_EQ(7, m_target.SendMessage(WM_TEST_PING, 3, 4));
    EXPECT_EQ(42, m_target.SendMessage(g_registeredPing, 21));
    EXPECT_EQ(&m_target, CWnd::FromHandlePermanent(m_target.m_hWnd));
}

TEST_F(MessageMapTest, AControlAnswersItsOwnNotificationsBeforeItsParent)
{
    Notify(LVN_COLUMNCLICK);
    EXPECT_EQ(1, m_target.m_list.m_clicks);
    EXPECT_EQ(0, m_target.m_parentColumnClicks);

    Notify(LVN_ITEMCHANGED);
    EXPECT_EQ(0, m_target.m_parentItemChanged);
    m_target.m_list.m_passOn = TRUE;
    Notify(LVN_ITEMCHANGED);
    EXPECT_EQ(1, m_target.m_parentItemChanged);
}

TEST_F(MessageMapTest, ListTextsLongerThanTheFirstBufferReadBackWhole)
{
    std::string longText(700, 'q');
    m_target.m_list.SetItemText(0, 0, longText.c_str());
    EXPECT_EQ(700, m_target.m_list.GetItemText(0, 0).GetLength());
}

TEST_F(MessageMapTest, DestroyingTheWindowLetsGoOfTheObject)
{
    HWND hWnd = m_target.m_hWnd;
    HWND hList = m_target.m_list.m_hWnd;
    m_target.DestroyWindow();
    EXPECT_EQ(NULL, m_target.m_hWnd);
    EXPECT_EQ(NULL, m_target.m_list.m_hWnd);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(::IsWindow(hList));
}

// ---------------------------------------------------------------------------------------------

class CExchangeDlg : public CDialog {
public:
    CExchangeDlg() : CDialog(IDD_EXCHANGE) {}
    CString m_name;
    int m_count = 0;
    BOOL m_enabled = FALSE;
    CComboBox m_choice;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHOICE, m_choice);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
    }
};

TEST(DataExchangeTest, MembersAndControlsTradeValuesBothWays)
{
    CExchangeDlg dlg;
    dlg.m_name = "设备一";
    dlg.m_count = 42;
    dlg.m_enabled = TRUE;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));

    CString text;
    dlg.GetDlgItemText(IDC_NAME, text);
    EXPECT_STREQ("设备一", text);
    dlg.GetDlgItemText(IDC_COUNT, text);
    EXPECT_STREQ("42", text);
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_ENABLED));
    ASSERT_EQ(2, dlg.m_choice.GetCount()); // from the template's initial data
    dlg.m_choice.GetLBText(1, text);
    EXPECT_STREQ("UDP", text);

    dlg.SetDlgItemText(IDC_NAME, "设备二");
    dlg.SetDlgItemText(IDC_COUNT, " -7 ");
    dlg.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("设备二", dlg.m_name);
    EXPECT_EQ(-7, dlg.m_count);
    EXPECT_FALSE(dlg.m_enabled);
    dlg.DestroyWindow();
}

DWORD WINAPI CloseMessageBox(LPVOID)
{
    for (int i = 0; i < 100; ++i) {
        ::Sleep(50);
        HWND hBox = ::FindWindowA("#32770", AfxGetAppName());
        if (hBox != NULL) {
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return 1;
        }
    }
    return 0;
}

// A non-number in an integer field shows a message and stops the exchange; a helper thread
// answers the message box.
TEST(DataExchangeTest, ANonNumberFailsTheExchangeAndKeepsTheMember)
{
    CExchangeDlg dlg;
    dlg.m_count = 5;
    ASSERT_TRUE(dlg.Create(IDD_EXCHANGE));
    dlg.SetDlgItemText(IDC_COUNT, "12abc");
    HANDLE hCloser = ::CreateThread(NULL, 0, CloseMessageBox, NULL, 0, NULL);
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ::WaitForSingleObject(hCloser, 10000);
    DWORD closed = 0;
    ::GetExitCodeThread(hCloser, &closed);
    ::CloseHandle(hCloser);
    EXPECT_EQ(1u, closed);
    EXPECT_EQ(5, dlg.m_count);
    dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------

UINT AFX_CDECL CountTo(LPVOID pParam)
{
    LONG* pCount = static_cast<LONG*>(pParam);
    ::InterlockedIncrement(pCount);
    AfxEndThread(100);
}

TEST(WorkerThreadTest, ThreadsRunAndTheirObjectsAndHandlesGo)
{
    LONG count = 0;
    DWORD handlesBefore = 0, handlesAfter = 0;
    // Warm up: the first thread loads what the runtime keeps for good.
    CWinThread* pFirst = AfxBeginThread(CountTo, &count);
    ASSERT_NE(nullptr, pFirst);
    while (count < 1)
        ::Sleep(5);
    ::Sleep(50);
    ::GetProcessHandleCount(::GetCurrentProcess(), &handlesBefore);
    for (int i = 0; i < 50; ++i) {
        CWinThread* pThread = AfxBeginThread(CountTo, &count, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, pThread);
        pThread->ResumeThread();
    }
    for (int i = 0; i < 400 && count < 51; ++i)
        ::Sleep(10);
    ::Sleep(200);
    ::GetProcessHandleCount(::GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(51, count);
    EXPECT_LE(handlesAfter, handlesBefore + 2);
}

} // namespace
