#include "GuiFrameWnd.h"

IMPLEMENT_DYNAMIC(CGuiFrameWnd, CFrameWnd)

// The frame's own menu gives way to the menu bar.
BOOL CGuiFrameWnd::InitMenu(UINT nIDMenu)
{
    if (HMENU hMenu = ::GetMenu(m_hWnd)) {
        ::SetMenu(m_hWnd, NULL);
        ::DestroyMenu(hMenu);
    }
    return m_wndMenuBar.CreateFromMenu(this, nIDMenu);
}

BOOL CGuiFrameWnd::InitToolBar(UINT nIDToolBar)
{
    return m_wndToolBar.CreateFromResource(this, nIDToolBar);
}

BOOL CGuiFrameWnd::InitStatusBar(const UINT* lpIDArray, int nIDCount)
{
    if (!m_wndStatusBar.Create(this) || !m_wndStatusBar.SetIndicators(lpIDArray, nIDCount))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

void CGuiFrameWnd::StyleDispl(DWORD)
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
