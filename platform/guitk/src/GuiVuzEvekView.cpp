#include "GuiVuzEvekView.h"

IMPLEMENT_DYNAMIC(CGuiVuzEvekView, CView)

BEGIN_MESSAGE_MAP(CGuiVuzEvekView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CGuiVuzEvekView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndFolder.Create(WS_VISIBLE, CRect(0, 0, lpcs->cx, lpcs->cy), this, 1))
        return -1;
    return 0;
}

void CGuiVuzEvekView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndFolder.m_hWnd != NULL)
        m_wndFolder.MoveWindow(0, 0, cx, cy);
}
