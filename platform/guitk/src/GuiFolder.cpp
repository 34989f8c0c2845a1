#include "GuiFolder.h"
#include "GuiDrawLayer.h"
#include "GuiVuzEvek.h"

IMPLEMENT_DYNAMIC(CGuiFolder, CWnd)

BEGIN_MESSAGE_MAP(CGuiFolder, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGuiFolder::CGuiFolder() : m_nSelected(-1)
{
}

CGuiFolder::~CGuiFolder()
{
    for (int i = 0; i < (int)m_folders.GetSize(); ++i)
        delete m_folders[i].pTitle;
}

BOOL CGuiFolder::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW));
    return CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CGuiFolder::AddFolder(CWnd* pWnd, LPCTSTR lpszTitle, int)
{
    if (m_hWnd == NULL || pWnd == NULL)
        return FALSE;
    CFolder folder = { pWnd, new CGuiToolButton };
    UINT nID = kFirstTitleId + (UINT)m_folders.GetSize();
    if (!folder.pTitle->Create(lpszTitle, CRect(0, 0, 0, 0), this, nID)) {
        delete folder.pTitle;
        return FALSE;
    }
    folder.pTitle->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    m_folders.Add(folder);
    if (m_nSelected < 0)
        m_nSelected = 0;
    RecalLayout();
    return TRUE;
}

CString CGuiFolder::GetFolderTitle(int nIndex) const
{
    CString title;
    if (nIndex >= 0 && nIndex < GetCountFolder())
        m_folders[nIndex].pTitle->GetWindowText(title);
    return title;
}

void CGuiFolder::SelectFolder(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCountFolder())
        return;
    m_nSelected = nIndex;
    RecalLayout();
}

// Titles of the folders up to the selected one at the top, the rest at the bottom, the
// selected folder's window between them; the other folders' windows are hidden.
void CGuiFolder::RecalLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    int nCount = GetCountFolder();
    int yTop = 0;
    int yBottom = rc.Height() - (nCount - 1 - m_nSelected) * kTitleHeight;
    for (int i = 0; i < nCount; ++i) {
        CFolder& folder = m_folders.ElementAt(i);
        int y = i <= m_nSelected ? yTop + i * kTitleHeight : yBottom + (i - m_nSelected - 1) * kTitleHeight;
        folder.pTitle->SetWindowPos(NULL, 0, y, rc.Width(), kTitleHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        if (i == m_nSelected) {
            int yContent = (m_nSelected + 1) * kTitleHeight;
            folder.pWnd->SetWindowPos(NULL, 0, yContent, rc.Width(), std::max(0, yBottom - yContent),
                                      SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else {
            folder.pWnd->ShowWindow(SW_HIDE);
        }
    }
    Invalidate();
}

void CGuiFolder::StyleDispl(DWORD dwStyle)
{
    for (int i = 0; i < GetCountFolder(); ++i) {
        CWnd* pWnd = m_folders[i].pWnd;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CGuiVuzEvek)))
            static_cast<CGuiVuzEvek*>(pWnd)->StyleDispl(dwStyle);
    }
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CGuiFolder::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int nIndex = (int)LOWORD(wParam) - kFirstTitleId;
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && nIndex >= 0 && nIndex < GetCountFolder()) {
        SelectFolder(nIndex);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CGuiFolder::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalLayout();
}

BOOL CGuiFolder::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, GuiDrawLayer::GetRGBColorFace());
    return TRUE;
}
