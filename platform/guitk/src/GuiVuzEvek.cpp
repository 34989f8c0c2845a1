#include "GuiVuzEvek.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(CGuiVuzEvek, CWnd)

BEGIN_MESSAGE_MAP(CGuiVuzEvek, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGuiVuzEvek::CGuiVuzEvek()
{
}

CGuiVuzEvek::~CGuiVuzEvek()
{
    for (int i = 0; i < (int)m_items.GetSize(); ++i)
        delete m_items[i];
}

BOOL CGuiVuzEvek::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CGuiVuzEvek::SetImageList(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    m_images.DeleteImageList();
    return m_images.Create(nBitmapID, cx, nGrow, crMask);
}

BOOL CGuiVuzEvek::AddItem(UINT nCmd, LPCTSTR lpszText, int nImage, LPCTSTR lpszToolTip)
{
    CGuiToolButton* pItem = new CGuiToolButton;
    if (!pItem->Create(lpszText, CRect(0, 0, 0, 0), this, nCmd)) {
        delete pItem;
        return FALSE;
    }
    pItem->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    pItem->SetLayout(CGuiToolButton::imageAbove);
    pItem->SetImage(&m_images, nImage);
    pItem->SetToolTip(lpszToolTip);
    m_items.Add(pItem);
    RecalLayout();
    return TRUE;
}

// Items stacked from the top, each as wide as the list.
void CGuiVuzEvek::RecalLayout()
{
    CRect rc;
    GetClientRect(&rc);
    int y = 6;
    for (int i = 0; i < (int)m_items.GetSize(); ++i) {
        int cy = m_items[i]->GetIdealSize().cy;
        m_items[i]->SetWindowPos(NULL, 2, y, std::max(0, rc.Width() - 4), cy, SWP_NOZORDER | SWP_NOACTIVATE);
        y += cy + 6;
    }
}

void CGuiVuzEvek::StyleDispl(DWORD)
{
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CGuiVuzEvek::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->SendMessage(WM_COMMAND, LOWORD(wParam), 0);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CGuiVuzEvek::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalLayout();
}

BOOL CGuiVuzEvek::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GuiDrawLayer::GetRGBColorFace());
    return TRUE;
}
