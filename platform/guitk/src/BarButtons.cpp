#include "BarButtons.h"

HWND CreateBarButtons(CControlBar& bar, CWnd* pParentWnd, UINT nBarId, DWORD dwButtonsStyle, int cyButtons,
                      HINSTANCE hInst)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!bar.CreateEx(0, lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd,
                      nBarId))
        return NULL;
    HWND hButtons = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL,
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | dwButtonsStyle | CCS_NOPARENTALIGN |
                                          CCS_NORESIZE | CCS_NODIVIDER,
                                      0, 0, 2000, cyButtons, bar.m_hWnd, (HMENU)(UINT_PTR)kBarButtonsId, hInst, NULL);
    if (hButtons != NULL)
        ::SendMessageA(hButtons, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return hButtons;
}

void FitBarToButtons(CControlBar& bar, HWND hButtons)
{
    bar.m_nHeight = HIWORD(::SendMessageA(hButtons, TB_GETBUTTONSIZE, 0, 0)) + 2;
    ::MoveWindow(hButtons, 0, 0, 2000, bar.m_nHeight, FALSE);
}
