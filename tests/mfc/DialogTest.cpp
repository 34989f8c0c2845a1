// Dialogs and form views with data exchange, as the tool's pages and dialogs use them: the kinds
// of fields, the checks that stop an exchange, a modal dialog driven as a user would, and a form
// view's first exchange and dialog keys.
#include <gtest/gtest.h>

#include "MessageBoxAnswerer.h"
#include "afxext.h"
#include "resource.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

class CSettingsDlg : public CDialog {
public:
    CSettingsDlg() : CDialog(IDD_SETTINGS) {}
    int m_mode = 0;
    int m_other = 0;
    double m_ratio = 0;
    UINT m_port = 0;
    int m_baud = 0;
    CString m_model;
    CString m_label;
    int m_portLow = 0, m_portHigh = 65535;
    int m_labelLimit = 100;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, IDC_RADIO_A, m_mode);
        DDX_Radio(pDX, IDC_OTHER_RADIO, m_other);
        DDX_Text(pDX, IDC_RATIO, m_ratio);
        DDX_Text(pDX, IDC_PORT, m_port);
        DDV_MinMaxInt(pDX, (int)m_port, m_portLow, m_portHigh);
        DDX_CBIndex(pDX, IDC_BAUD, m_baud);
        DDX_CBString(pDX, IDC_MODEL, m_model);
        DDX_Text(pDX, IDC_LABEL, m_label);
        DDV_MaxChars(pDX, m_label, m_labelLimit);
    }
};

BOOL IsChecked(CWnd& dlg, int nID)
{
    return dlg.IsDlgButtonChecked(nID) == BST_CHECKED;
}

CString ItemText(CWnd& dlg, int nID)
{
    CString text;
    dlg.GetDlgItemText(nID, text);
    return text;
}

TEST(DataExchangeTest, RadioGroupsRealsAndComboBoxesTradeBothWays)
{
    CSettingsDlg dlg;
    dlg.m_mode = 2;
    dlg.m_other = -1;
    dlg.m_ratio = 12.5;
    dlg.m_port = 5002;
    dlg.m_baud = 1;
    dlg.m_model = "B2";
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));

    // The label between the first radio buttons belongs to the group but is no choice of it.
    EXPECT_FALSE(IsChecked(dlg, IDC_RADIO_A));
    EXPECT_FALSE(IsChecked(dlg, IDC_RADIO_B));
    EXPECT_TRUE(IsChecked(dlg, IDC_RADIO_C));
    EXPECT_FALSE(IsChecked(dlg, IDC_OTHER_RADIO));
    EXPECT_STREQ("12.5", ItemText(dlg, IDC_RATIO));
    EXPECT_STREQ("5002", ItemText(dlg, IDC_PORT));
    EXPECT_EQ(1, (int)::SendDlgItemMessageA(dlg.m_hWnd, IDC_BAUD, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(1, (int)::SendDlgItemMessageA(dlg.m_hWnd, IDC_MODEL, CB_GETCURSEL, 0, 0));

    // A model the list does not hold is shown as typed.
    dlg.m_model = "X9";
    dlg.UpdateData(FALSE);
    EXPECT_STREQ("X9", ItemText(dlg, IDC_MODEL));

    dlg.CheckDlgButton(IDC_RADIO_C, BST_UNCHECKED);
    dlg.CheckDlgButton(IDC_RADIO_B, BST_CHECKED);
    dlg.CheckDlgButton(IDC_OTHER_RADIO, BST_CHECKED);
    dlg.SetDlgItemText(IDC_RATIO, "0.25");
    dlg.SetDlgItemText(IDC_MODEL, "自定义");
    ::SendDlgItemMessageA(dlg.m_hWnd, IDC_BAUD, CB_SETCURSEL, 0, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, dlg.m_mode);
    EXPECT_EQ(0, dlg.m_other);
    EXPECT_DOUBLE_EQ(0.25, dlg.m_ratio);
    EXPECT_EQ(0, dlg.m_baud);
    EXPECT_STREQ("自定义", dlg.m_model);

    dlg.CheckDlgButton(IDC_RADIO_B, BST_UNCHECKED);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_mode);
    dlg.DestroyWindow();
}

// Each check stops the exchange with its message and puts the focus on the field at fault; the
// fields before it have been taken already.
TEST(DataExchangeTest, ChecksStopTheExchangeAtTheFieldAtFault)
{
    CSettingsDlg dlg;
    dlg.m_labelLimit = 4;
    dlg.m_portLow = 1;
    ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(4, (int)::SendDlgItemMessageA(dlg.m_hWnd, IDC_LABEL, EM_GETLIMITTEXT, 0, 0));

    struct Case {
        const char* port;
        const char* label;
        const char* prompt;
    } cases[] = {
        { "99999999999", "ok", "请输入一个整数。" }, // beyond 32 bits: no number at all
        { "-1", "ok", "请输入一个整数。" },
        { "0", "ok", "请输入1到65535之间的整数。" },
        { "80", "too long", "请输入不超过4个字符。" },
    };
    for (const Case& c : cases) {
        dlg.m_ratio = 0;
        dlg.m_port = 7;
        dlg.SetDlgItemText(IDC_RATIO, "3.5");
        dlg.SetDlgItemText(IDC_PORT, c.port);
        dlg.SetDlgItemText(IDC_LABEL, c.label);
        MessageBoxAnswerer answerer(::GetCurrentThreadId());
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << c.port << " " << c.label;
        answerer.Stop();
        ASSERT_EQ(1u, answerer.m_texts.size()) << c.port << " " << c.label;
        EXPECT_EQ(c.prompt, answerer.m_texts[0]);
        EXPECT_DOUBLE_EQ(3.5, dlg.m_ratio);
    }
    dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------

BOOL CALLBACK VisitMessageBox(HWND hWnd, LPARAM lParam)
{
    char cls[64] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (strcmp(cls, "#32770") == 0 && ::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, 0xFFFF) != NULL) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// A message box the thread shows within a few seconds, or none.
HWND FindMessageBox(DWORD threadId)
{
    HWND hBox = NULL;
    for (int i = 0; i < 100 && hBox == NULL; ++i) {
        ::Sleep(50);
        ::EnumThreadWindows(threadId, VisitMessageBox, (LPARAM)&hBox);
    }
    return hBox;
}

// Runs steps on the dialog with the given caption once the test's own thread shows it modally.
class ModalDriver {
public:
    ModalDriver(const char* caption, std::function<void(HWND)> steps)
        : m_caption(caption), m_steps(std::move(steps)), m_threadId(::GetCurrentThreadId()),
          m_thread([this] { Run(); })
    {
    }
    ~ModalDriver() { m_thread.join(); }

private:
    struct Search {
        const char* caption;
        HWND found;
    };
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* search = reinterpret_cast<Search*>(lParam);
        char text[128] = "";
        ::GetWindowTextA(hWnd, text, sizeof text);
        if (::IsWindowVisible(hWnd) && strcmp(text, search->caption) == 0) {
            search->found = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    void Run()
    {
        Search search = { m_caption, NULL };
        for (int i = 0; i < 200 && search.found == NULL; ++i) {
            ::Sleep(50);
            ::EnumThreadWindows(m_threadId, Visit, (LPARAM)&search);
        }
        if (search.found != NULL)
            m_steps(search.found);
    }
    const char* m_caption;
    std::function<void(HWND)> m_steps;
    DWORD m_threadId;
    std::thread m_thread;
};

// OK takes the fields into the members and ends the dialog; a field that fails its check keeps
// the dialog open until it is put right; Cancel leaves the members alone.
TEST(ModalDialogTest, OkTakesTheFieldsAndAFailedCheckKeepsTheDialogOpen)
{
    CSettingsDlg dlg;
    dlg.m_port = 5002;
    dlg.m_model = "A1";
    std::vector<std::string> seen;
    INT_PTR nResult = 0;
    {
        ModalDriver driver("设置", [&](HWND hDlg) {
            char text[64] = "";
            ::GetDlgItemTextA(hDlg, IDC_PORT, text, sizeof text);
            seen.push_back(text); // the members were put into the fields before the dialog showed
            ::SetDlgItemTextA(hDlg, IDC_PORT, "port");
            ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
            HWND hBox = FindMessageBox(::GetWindowThreadProcessId(hDlg, NULL));
            seen.push_back(hBox != NULL ? "message" : "no message");
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            ::Sleep(300);
            seen.push_back(::IsWindowVisible(hDlg) ? "still open" : "closed");
            ::SetDlgItemTextA(hDlg, IDC_PORT, "6000");
            ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        });
        nResult = dlg.DoModal();
    }
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ((std::vector<std::string>{ "5002", "message", "still open" }), seen);
    EXPECT_EQ(6000u, dlg.m_port);
    EXPECT_EQ(NULL, dlg.m_hWnd);

    {
        ModalDriver driver("设置", [](HWND hDlg) {
            ::SetDlgItemTextA(hDlg, IDC_PORT, "7000");
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        nResult = dlg.DoModal();
    }
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(6000u, dlg.m_port);
}

// A dialog whose template gives no position opens centred over its owner, not over the owner's
// corner; one that placed itself while initialising stays where it went.
class CPlacedDlg : public CSettingsDlg {
protected:
    BOOL OnInitDialog() override
    {
        CSettingsDlg::OnInitDialog();
        SetWindowPos(NULL, 7, 9, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
    }
};

TEST(ModalDialogTest, OpensCentredOverItsOwnerUnlessItPlacedItself)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               300, 200, 600, 400, NULL, NULL));
    CRect rcOwner, rcDialog, rcPlaced;
    owner.GetWindowRect(&rcOwner);
    {
        CSettingsDlg dlg;
        dlg.m_pParentWnd = &owner;
        ModalDriver driver("设置", [&](HWND hDlg) {
            ::GetWindowRect(hDlg, &rcDialog);
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        dlg.DoModal();
    }
    EXPECT_NEAR(rcOwner.CenterPoint().x, rcDialog.CenterPoint().x, 1);
    EXPECT_NEAR(rcOwner.CenterPoint().y, rcDialog.CenterPoint().y, 1);
    {
        CPlacedDlg dlg;
        dlg.m_pParentWnd = &owner;
        ModalDriver driver("设置", [&](HWND hDlg) {
            ::GetWindowRect(hDlg, &rcPlaced);
            ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        dlg.DoModal();
    }
    EXPECT_EQ(CPoint(7, 9), rcPlaced.TopLeft());
    owner.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------

class CTestForm : public CFormView {
    DECLARE_DYNCREATE(CTestForm)
public:
    CString m_first = "一";
    CString m_second = "二";

protected:
    CTestForm() : CFormView(IDD_FORM) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FIRST, m_first);
        DDX_Text(pDX, IDC_SECOND, m_second);
    }
};
IMPLEMENT_DYNCREATE(CTestForm, CFormView)

// A page shows its members once its first update comes, and Tab moves between its fields as it
// does in a dialog, although the page is a child window.
TEST(FormViewTest, TheFirstUpdateFillsTheFieldsAndTabMovesBetweenThem)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, NULL, "form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, NULL, NULL));
    CTestForm* pForm = static_cast<CTestForm*>(RUNTIME_CLASS(CTestForm)->CreateObject());
    ASSERT_TRUE(pForm->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(WS_CHILD, pForm->GetStyle() & (WS_CHILD | WS_POPUP | WS_CAPTION));
    EXPECT_EQ(&parent, pForm->GetParent());
    EXPECT_STREQ("", ItemText(*pForm, IDC_FIRST));
    pForm->SendMessage(WM_INITIALUPDATE);
    EXPECT_STREQ("一", ItemText(*pForm, IDC_FIRST));
    EXPECT_STREQ("二", ItemText(*pForm, IDC_SECOND));

    HWND hFirst = ::GetDlgItem(pForm->m_hWnd, IDC_FIRST);
    ::SetActiveWindow(parent.m_hWnd);
    ::SetFocus(hFirst);
    MSG msg = {};
    msg.hwnd = hFirst;
    msg.message = WM_KEYDOWN;
    msg.wParam = VK_TAB;
    EXPECT_TRUE(AfxPreTranslateMessage(&msg));
    EXPECT_EQ(::GetDlgItem(pForm->m_hWnd, IDC_SECOND), ::GetFocus());

    ::SetDlgItemTextA(pForm->m_hWnd, IDC_SECOND, "三");
    ASSERT_TRUE(pForm->UpdateData(TRUE));
    EXPECT_STREQ("三", pForm->m_second);
    parent.DestroyWindow(); // the page deletes itself with its window
}

} // namespace
