#include "GuiToolBar.h"

#include "BarButtons.h"

#include <vector>

IMPLEMENT_DYNAMIC(CGuiToolBar, CControlBar)

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

    HWND hButtons = CreateBarButtons(*this, pParentWnd, AFX_IDW_TOOLBAR, TBSTYLE_TOOLTIPS, cyImage + 10, hInst);
    if (hButtons == NULL)
        return FALSE;
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
    FitBarToButtons(*this, hButtons);
    return TRUE;
}

CSize CGuiToolBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_nHeight);
}

BOOL CGuiToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && (HWND)lParam == ::GetDlgItem(m_hWnd, kBarButtonsId)) {
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SendMessage(WM_COMMAND, LOWORD(wParam), 0);
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}
