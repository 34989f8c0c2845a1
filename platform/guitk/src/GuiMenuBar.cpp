#include "GuiMenuBar.h"

IMPLEMENT_DYNAMIC(CGuiMenuBar, CControlBar)

static const UINT kButtonsId = 1;

CGuiMenuBar::CGuiMenuBar()
{
    m_dwStyle = CBRS_ALIGN_TOP;
}

// The bar holds a tool bar control with a text button per menu; button n + 1 is menu n.
BOOL CGuiMenuBar::CreateFromMenu(CWnd* pParentWnd, UINT nIDMenu)
{
    if (!m_menu.LoadMenu(nIDMenu))
        return FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd,
                  AFX_IDW_TOOLBAR + 1))
        return FALSE;
    HWND hButtons = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL,
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NOPARENTALIGN |
                                          CCS_NORESIZE | CCS_NODIVIDER,
                                      0, 0, 2000, 24, m_hWnd, (HMENU)(UINT_PTR)kButtonsId, AfxGetInstanceHandle(), NULL);
    if (hButtons == NULL)
        return FALSE;
    ::SendMessageA(hButtons, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(hButtons, TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
    for (UINT i = 0; i < m_menu.GetMenuItemCount(); ++i) {
        CString text;
        m_menu.GetMenuString(i, text, MF_BYPOSITION);
        std::string strings(text);
        strings.push_back('\0'); // the string list ends with an empty string
        int nString = (int)::SendMessageA(hButtons, TB_ADDSTRINGA, 0, (LPARAM)strings.c_str());
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = (int)i + 1;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = nString;
        ::SendMessageA(hButtons, TB_ADDBUTTONSA, 1, (LPARAM)&button);
    }
    m_nHeight = HIWORD(::SendMessageA(hButtons, TB_GETBUTTONSIZE, 0, 0)) + 2;
    ::MoveWindow(hButtons, 0, 0, 2000, m_nHeight, FALSE);
    return TRUE;
}

CSize CGuiMenuBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_nHeight);
}

BOOL CGuiMenuBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hButtons = ::GetDlgItem(m_hWnd, kButtonsId);
    if ((HWND)lParam != hButtons || hButtons == NULL)
        return CControlBar::OnCommand(wParam, lParam);
    int nMenu = (int)LOWORD(wParam) - 1;
    CWnd* pFrame = GetParentFrame();
    HMENU hPopup = ::GetSubMenu(m_menu, nMenu);
    if (pFrame == NULL)
        return TRUE;
    if (hPopup == NULL) {
        pFrame->SendMessage(WM_COMMAND, m_menu.GetMenuItemID(nMenu), 0);
        return TRUE;
    }
    RECT rc = {};
    ::SendMessageA(hButtons, TB_GETRECT, LOWORD(wParam), (LPARAM)&rc);
    ::MapWindowPoints(hButtons, NULL, (LPPOINT)&rc, 2);
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN, rc.left, rc.bottom, 0, pFrame->m_hWnd, NULL);
    return TRUE;
}
