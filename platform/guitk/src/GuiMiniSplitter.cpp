#include "GuiMiniSplitter.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(CGuiMiniSplitter, CWnd)

BEGIN_MESSAGE_MAP(CGuiMiniSplitter, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGuiMiniSplitter::CGuiMiniSplitter()
    : m_pLeft(NULL), m_pRight(NULL), m_clrShadow(CLR_NONE), m_clrHighlight(CLR_NONE)
{
}

BOOL CGuiMiniSplitter::Create(CWnd* pParentWnd, UINT nID)
{
    CRect rc;
    pParentWnd->GetClientRect(&rc);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc, pParentWnd, nID);
}

BOOL CGuiMiniSplitter::AddMiniTool(CGuiMiniTool*& pSlot, CGuiMiniTool* pTool, UINT nID)
{
    if (m_hWnd == NULL || pSlot != NULL)
        return FALSE;
    if (!pTool->Create(NULL, WS_VISIBLE, CRect(0, 0, 0, 0), this, nID))
        return FALSE;
    pSlot = pTool;
    return TRUE;
}

BOOL CGuiMiniSplitter::AddMiniToolLeft(CGuiMiniTool* pTool)
{
    return AddMiniTool(m_pLeft, pTool, 1);
}

BOOL CGuiMiniSplitter::AddMiniToolRight(CGuiMiniTool* pTool)
{
    return AddMiniTool(m_pRight, pTool, 2);
}

// The left bar from the left edge, the right bar against the right edge; when both do not fit,
// the left one keeps its width.
void CGuiMiniSplitter::RecalLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    int cxLeft = m_pLeft ? std::min(m_pLeft->GetIdealWidth(), rc.Width()) : 0;
    if (m_pLeft != NULL)
        m_pLeft->SetWindowPos(NULL, 0, 0, cxLeft, rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_pRight != NULL) {
        int cxRight = std::min(m_pRight->GetIdealWidth(), std::max(0, rc.Width() - cxLeft));
        m_pRight->SetWindowPos(NULL, rc.right - cxRight, 0, cxRight, rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate();
}

void CGuiMiniSplitter::SetColor(COLORREF clrShadow, COLORREF clrHighlight)
{
    m_clrShadow = clrShadow;
    m_clrHighlight = clrHighlight;
    Invalidate();
}

void CGuiMiniSplitter::StyleDispl(DWORD)
{
    SetColor(GuiDrawLayer::GetRGBColorShadow(), GuiDrawLayer::GetRGBColorBTNHigh());
}

void CGuiMiniSplitter::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalLayout();
}

BOOL CGuiMiniSplitter::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    COLORREF shadow = m_clrShadow != CLR_NONE ? m_clrShadow : GuiDrawLayer::GetRGBColorShadow();
    pDC->FillSolidRect(&rc, shadow);
    if (m_clrHighlight != CLR_NONE)
        pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, m_clrHighlight);
    return TRUE;
}
