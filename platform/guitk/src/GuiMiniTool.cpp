#include "GuiMiniTool.h"
#include "GuiDrawLayer.h"

IMPLEMENT_DYNAMIC(CGuiMiniTool, CWnd)

BEGIN_MESSAGE_MAP(CGuiMiniTool, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CGuiMiniTool::CGuiMiniTool() : m_bAutoSize(FALSE), m_nIdealWidth(0), m_clrFace(CLR_NONE), m_clrCaption(CLR_NONE)
{
}

CGuiMiniTool::~CGuiMiniTool()
{
    for (int i = 0; i < (int)m_buttons.GetSize(); ++i)
        delete m_buttons[i];
}

BOOL CGuiMiniTool::Create(LPCTSTR lpszName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, lpszName, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CGuiMiniTool::SetImageList(UINT nBitmapID, int cx, int, COLORREF crMask)
{
    m_images.DeleteImageList();
    return m_images.Create(nBitmapID, cx, 0, crMask);
}

BOOL CGuiMiniTool::AddButton(int nImage, UINT nCmd, CMenu*, LPCTSTR lpszCaption, LPCTSTR lpszToolTip)
{
    CGuiToolButton* pButton = new CGuiToolButton;
    if (!pButton->Create(lpszCaption ? lpszCaption : "", CRect(0, 0, 0, 0), this, nCmd)) {
        delete pButton;
        return FALSE;
    }
    pButton->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    pButton->SetImage(&m_images, nImage);
    pButton->SetToolTip(lpszToolTip);
    pButton->SetColor(m_clrFace);
    pButton->SetColorCaption(m_clrCaption);
    m_buttons.Add(pButton);
    return TRUE;
}

// Buttons from the left, each as wide as its caption needs (or all as wide as the widest).
void CGuiMiniTool::RecalLayout()
{
    CRect rc;
    GetClientRect(&rc);
    int nWidest = 0;
    for (int i = 0; i < (int)m_buttons.GetSize(); ++i)
        nWidest = std::max(nWidest, (int)m_buttons[i]->GetIdealSize().cx);
    int x = 0;
    for (int i = 0; i < (int)m_buttons.GetSize(); ++i) {
        CSize ideal = m_buttons[i]->GetIdealSize();
        int cx = m_bAutoSize ? ideal.cx : nWidest;
        int cy = std::min((int)ideal.cy, rc.Height() > 2 ? rc.Height() - 2 : (int)ideal.cy);
        m_buttons[i]->SetWindowPos(NULL, x, (rc.Height() - cy) / 2, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
        x += cx + 1;
    }
    m_nIdealWidth = x;
}

void CGuiMiniTool::SetColor(COLORREF clrFace)
{
    m_clrFace = clrFace;
    for (int i = 0; i < (int)m_buttons.GetSize(); ++i)
        m_buttons[i]->SetColor(clrFace);
    Invalidate();
}

void CGuiMiniTool::SetColorCaption(COLORREF clrCaption)
{
    m_clrCaption = clrCaption;
    for (int i = 0; i < (int)m_buttons.GetSize(); ++i)
        m_buttons[i]->SetColorCaption(clrCaption);
}

void CGuiMiniTool::StyleDispl(DWORD)
{
    SetColor(GuiDrawLayer::GetRGBColorShadow());
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CGuiMiniTool::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // A button's click is the frame's command.
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) {
        if (CFrameWnd* pFrame = GetParentFrame()) {
            pFrame->SendMessage(WM_COMMAND, LOWORD(wParam), 0);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CGuiMiniTool::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, m_clrFace != CLR_NONE ? m_clrFace : GuiDrawLayer::GetRGBColorFace());
    return TRUE;
}

// The buttons are centred on the bar's height, which the holder sets after they were added.
void CGuiMiniTool::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalLayout();
}
