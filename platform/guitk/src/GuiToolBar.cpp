#include "GuiToolBar.h"

#include "BarButtons.h"

#include <vector>

IMPLEMENT_DYNAMIC(CGuiToolBar, CControlBar)

// The tool bar resource as our resource compiler lays it out: image width, image height, count,
// then the command ids (0 for a separator), each a 32-bit value.
BOOL CGuiToolBar::CreateFromResource(CWnd* pParentWnd, UINT nIDResource)
{
    m_dwStyle = CBRS_ALIGN_TOP;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(nIDResource), MAKEINTRESOURCEA(241));
    HGLOBAL hData = hResource ? ::LoadResource(hInst, hResource) : NULL;
    const DWORD* pData = hData ? static_cast<const DWORD*>(::LockResource(hData)) : NULL;
    const DWORD cbData = hResource ? ::SizeofResource(hInst, hResource) : 0;
    if (pData == NULL || cbData < 3 * sizeof(DWORD) || pData[2] > cbData / sizeof(DWORD) - 3)
        return FALSE;
    int cxImage = (int)pData[0], cyImage = (int)pData[1], nCount = (int)pData[2];
    const DWORD* pIds = pData + 3;

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

int CGuiToolBar::GetButtonCount() const
{
    HWND hButtons = ::GetDlgItem(m_hWnd, kBarButtonsId);
    return hButtons ? (int)::SendMessageA(hButtons, TB_BUTTONCOUNT, 0, 0) : 0;
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
