#include "GuiMenuBar.h"

#include "BarButtons.h"

IMPLEMENT_DYNAMIC(CGuiMenuBar, CControlBar)

CGuiMenuBar::CGuiMenuBar()
{
    m_dwStyle = CBRS_ALIGN_TOP;
}

// The bar holds a tool bar control with a text button per menu; button n + 1 is menu n.
BOOL CGuiMenuBar::CreateFromMenu(CWnd* pParentWnd, UINT nIDMenu)
{
    if (!m_menu.LoadMenu(nIDMenu))
        return FALSE;
    HWND hButtons = CreateBarButtons(*this, pParentWnd, AFX_IDW_TOOLBAR + 1, TBSTYLE_LIST, 24, AfxGetInstanceHandle());
    if (hButtons == NULL)
        return FALSE;
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
    FitBarToButtons(*this, hButtons);
    return TRUE;
}

CSize CGuiMenuBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_nHeight);
}

BOOL CGuiMenuBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hButtons = ::GetDlgItem(m_hWnd, kBarButtonsId);
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
