// Windows, message maps with reflection, data exchange on a dialog template, worker threads.
#include <gtest/gtest.h>

#include "afxcmn.h"
#include "afxdisp.h"
#include "ProcessCounts.h"
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
// The other ways a message reaches its handler: command ranges, a control's own handling of its
// notifications and colours, owner drawing, and the default handling after nested messages.

class CRangeTarget : public CWnd {
public:
    std::vector<UINT> m_range;
    int m_single = 0;

protected:
    afx_msg void OnStyle(UINT nID) { m_range.push_back(nID); }
    afx_msg void OnSingle() { ++m_single; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRangeTarget, CWnd)
    ON_COMMAND(32778, OnSingle)
    ON_COMMAND_RANGE(32777, 32779, OnStyle)
END_MESSAGE_MAP()

TEST(MessagePathTest, ARangeHandlerHearsWhichCommandAndAnEarlierEntryWins)
{
    CRangeTarget target;
    ASSERT_TRUE(target.CreateEx(0, NULL, "range", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    target.SendMessage(WM_COMMAND, 32777);
    target.SendMessage(WM_COMMAND, 32778);
    target.SendMessage(WM_COMMAND, 32779);
    target.SendMessage(WM_COMMAND, 32780);
    EXPECT_EQ((std::vector<UINT>{ 32777, 32779 }), target.m_range);
    EXPECT_EQ(1, target.m_single);
    target.DestroyWindow();
}

// A button that answers its own clicks; the _EX form lets its parent hear them as well.
class CSelfClickingButton : public CButton {
public:
    int m_clicks = 0;
    BOOL m_passOn = FALSE;

protected:
    afx_msg BOOL OnClicked()
    {
        ++m_clicks;
        return !m_passOn;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClickingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

// A label with a colour of its own, and an owner-drawn button that paints itself.
class CColouredLabel : public CStatic {
public:
    CBrush m_brush{ RGB(0, 128, 0) };

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT)
    {
        pDC->SetTextColor(RGB(255, 255, 255));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CPaintedButton : public CButton {
public:
    int m_draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++m_draws;
        ::FillRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

class CControlHost : public CWnd {
public:
    int m_parentClicks = 0;
    BOOL m_colourLabels = FALSE;
    CBrush m_brush{ RGB(0, 0, 255) };
    CSelfClickingButton m_button;
    CColouredLabel m_label;
    CPaintedButton m_painted;

protected:
    afx_msg void OnButton() { ++m_parentClicks; }
    // As the tool's pages do: the usual colours first, then their own for labels.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        HBRUSH hbr = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
        if (m_colourLabels && nCtlColor == CTLCOLOR_STATIC) {
            pDC->SetBkMode(TRANSPARENT);
            return m_brush;
        }
        return hbr;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlHost, CWnd)
    ON_BN_CLICKED(10, OnButton)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

class ControlHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateEx(0, NULL, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL));
        ASSERT_TRUE(m_host.m_button.Create("按钮", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &m_host, 10));
        ASSERT_TRUE(m_host.m_label.Create("标签", WS_VISIBLE, CRect(5, 40, 80, 60), &m_host, 11));
        ASSERT_TRUE(m_host.m_painted.Create("", WS_VISIBLE | BS_OWNERDRAW, CRect(5, 70, 80, 95), &m_host, 12));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    HBRUSH LabelColour(COLORREF& textColour)
    {
        HDC hDC = ::GetDC(m_host.m_label.m_hWnd);
        HBRUSH hbr = (HBRUSH)m_host.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)m_host.m_label.m_hWnd);
        textColour = ::GetTextColor(hDC);
        ::ReleaseDC(m_host.m_label.m_hWnd, hDC);
        return hbr;
    }
    CControlHost m_host;
};

TEST_F(ControlHostTest, AControlAnswersItsOwnClickAndMayPassItOn)
{
    m_host.m_button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, m_host.m_button.m_clicks);
    EXPECT_EQ(0, m_host.m_parentClicks);
    m_host.m_button.m_passOn = TRUE;
    m_host.m_button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, m_host.m_button.m_clicks);
    EXPECT_EQ(1, m_host.m_parentClicks);
}

TEST_F(ControlHostTest, ALabelKeepsItsOwnColourUnlessItsParentGivesOne)
{
    COLORREF text = 0;
    EXPECT_EQ((HBRUSH)m_host.m_label.m_brush, LabelColour(text));
    EXPECT_EQ(RGB(255, 255, 255), text);
    m_host.m_colourLabels = TRUE;
    EXPECT_EQ((HBRUSH)m_host.m_brush, LabelColour(text));
}

TEST_F(ControlHostTest, AnOwnerDrawnButtonPaintsItself)
{
    m_host.UpdateWindow();
    int nDraws = m_host.m_painted.m_draws;
    EXPECT_GT(nDraws, 0);
    m_host.m_painted.RedrawWindow();
    EXPECT_GT(m_host.m_painted.m_draws, nDraws);
}

// A handler that sends other messages before it lets the default handling run: the default
// handling is still that of its own message.
class CNestingTarget : public CWnd {
public:
    HWND m_hOther = NULL;

protected:
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ::SendMessageA(m_hOther, WM_SETTEXT, 0, (LPARAM) "other");
        SendMessage(WM_GETTEXTLENGTH);
        return Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingTarget, CWnd)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

TEST(MessagePathTest, DefaultHandlingAfterNestedMessagesIsThatOfTheHandlersOwnMessage)
{
    CWnd other;
    CNestingTarget target;
    ASSERT_TRUE(other.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    ASSERT_TRUE(target.CreateEx(0, NULL, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    target.m_hOther = other.m_hWnd;
    target.SetWindowText("目标");
    CString text;
    target.GetWindowText(text);
    EXPECT_STREQ("目标", text);
    other.GetWindowText(text);
    EXPECT_STREQ("other", text);
    target.DestroyWindow();
    other.DestroyWindow();
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
    // Warm up: the first thread loads what the runtime keeps for good.
    CWinThread* pFirst = AfxBeginThread(CountTo, &count);
    ASSERT_NE(nullptr, pFirst);
    while (count < 1)
        ::Sleep(5);
    ::Sleep(50);
    // Counted from the system's handle list: Wine's GetProcessHandleCount answers 0.
    int handlesBefore = ProcessHandleCount();
    ASSERT_GT(handlesBefore, 0);
    for (int i = 0; i < 50; ++i) {
        CWinThread* pThread = AfxBeginThread(CountTo, &count, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        ASSERT_NE(nullptr, pThread);
        pThread->ResumeThread();
    }
    for (int i = 0; i < 400 && count < 51; ++i)
        ::Sleep(10);
    ::Sleep(200);
    EXPECT_EQ(51, count);
    EXPECT_LE(ProcessHandleCount(), handlesBefore + 2);
}

} // namespace
