#include "GuiCapOutBar.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(GuiCapOutBar, CControlBar)

BEGIN_MESSAGE_MAP(GuiCapOutBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_PAINT()
END_MESSAGE_MAP()

GuiCapOutBar::GuiCapOutBar() : m_pSplitter(NULL)
{
}

BOOL GuiCapOutBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID, int nHeight)
{
    m_nHeight = nHeight;
    m_dwStyle = CBRS_ALIGN_TOP;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    CRect rc;
    pParentWnd->GetClientRect(&rc);
    rc.bottom = rc.top + nHeight;
    if (!CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rc, pParentWnd, nID))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

BOOL GuiCapOutBar::SetSplitter(CGuiMiniSplitter* pSplitter)
{
    if (m_hWnd == NULL || pSplitter == NULL || !pSplitter->Create(this, 1))
        return FALSE;
    m_pSplitter = pSplitter;
    CRect rc;
    GetClientRect(&rc);
    rc.bottom -= 1; // the bottom line is the bar's own
    m_pSplitter->MoveWindow(&rc);
    return TRUE;
}

void GuiCapOutBar::StyleDispl(DWORD)
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void GuiCapOutBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_pSplitter != NULL && m_pSplitter->m_hWnd != NULL)
        m_pSplitter->MoveWindow(0, 0, cx, cy > 1 ? cy - 1 : cy);
}

void GuiCapOutBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GuiDrawLayer::GetRGBColorShadow());
}
