#include "GuiToolBar.h"

#include <vector>

IMPLEMENT_DYNAMIC(CGuiToolBar, CControlBar)

static const UINT kButtonsId = 1;

// The tool bar resource: version, image width, image height, count, then the command ids
// (0 for a separator).
BOOL CGuiToolBar::CreateFromResource(CWnd* pParentWnd, UINT nIDResource)
{
    m_dwStyle = CBRS_ALIGN_TOP;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(241));
    HGLOBAL hData = hResource ? ::LoadResource(hInst, hResource) : NULL;
    const WORD* pData = hData ? static_cast<const WORD*>(::LockResource(hData)) : NULL;
    if (pData == NULL || pData[0] != 1)
        return FALSE;
    int cxImage = pData[1], cyImage = pData[2], nCount = pData[3];
    const WORD* pIds = pData + 4;

    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!CreateEx(0, lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd,
                  AFX_IDW_TOOLBAR))
        return FALSE;
    HWND hButtons = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL,
                                      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NOPARENTALIGN |
                                          CCS_NORESIZE | CCS_NODIVIDER,
                                      0, 0, 2000, cyImage + 10, m_hWnd, (HMENU)(UINT_PTR)kButtonsId, hInst, NULL);
    if (hButtons == NULL)
        return FALSE;
    ::SendMessageA(hButtons, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageA(hButtons, TB_SETBITMAPSIZE, 0, MAKELONG(cxImage, cyImage));
    int nImages = 0;
    for (int i = 0; i < nCount; ++i)
        nImages += pIds[i] != 0;
    TBADDBITMAP bitmap = { hInst, nIDResource };
    ::SendMessageA(hButtons, TB_ADDBITMAP, nImages, (LPARAM)&bitmap);

    std::vector<TBBUTTON> buttons(nCount);
    int nImage = 0;
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON& button = buttons[i];
        button.idCommand = pIds[i];
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = pIds[i] ? BTNS_BUTTON : BTNS_SEP;
        button.iBitmap = pIds[i] ? nImage++ : 0;
        button.iString = -1;
    }
    ::SendMessageA(hButtons, TB_ADDBUTTONSA, nCount, (LPARAM)buttons.data());
    m_nHeight = HIWORD(::SendMessageA(hButtons, TB_GETBUTTONSIZE, 0, 0)) + 2;
    ::MoveWindow(hButtons, 0, 0, 2000, m_nHeight, FALSE);
    return TRUE;
}

CSize CGuiToolBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_nHeight);
}

BOOL CGuiToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && (HWND)lParam == ::GetDlgItem(m_hWnd, kButtonsId)) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SendMessage(WM_COMMAND, LOWORD(wParam), 0);
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}
