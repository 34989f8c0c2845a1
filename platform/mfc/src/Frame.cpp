#include "afxext.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_nIDHelp(0), m_pViewActive(NULL), m_hAccelTable(NULL), m_dwDockStyle(0), m_bInRecalcLayout(FALSE),
      m_bAddToTitle(FALSE)
{
}

CFrameWnd::~CFrameWnd()
{
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AFX_WNDFRAMEORVIEW;
    return TRUE;
}

static BOOL HasResource(UINT nID, LPCSTR lpType)
{
    return ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID), lpType) != NULL;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    CString strFull;
    strFull.LoadString(nIDResource);
    int nEnd = strFull.Find('\n');
    m_strTitle = nEnd < 0 ? strFull : strFull.Left(nEnd);

    HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                                            hIcon ? hIcon : ::LoadIconA(NULL, IDI_APPLICATION));
    LPCTSTR lpszMenu = HasResource(nIDResource, RT_MENU) ? MAKEINTRESOURCEA(nIDResource) : NULL;
    if (!Create(lpszClass, m_strTitle, dwDefaultStyle & ~FWS_ADDTOTITLE, rectDefault, pParentWnd, lpszMenu, 0L,
                pContext))
        return FALSE;
    if (HasResource(nIDResource, RT_ACCELERATOR))
        m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = lpszMenuName ? ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName) : NULL;
    BOOL bDefault = rect.left == CW_USEDEFAULT;
    int x = bDefault ? CW_USEDEFAULT : rect.left;
    int y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, SafeHwnd(pParentWnd), hMenu,
                  (LPVOID)pContext)) {
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, (CCreateContext*)lpcs->lpCreateParams))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CWnd* pView = (CWnd*)pContext->m_pNewViewClass->CreateObject();
    if (pView == NULL)
        return NULL;
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext)) {
        TRACE("Warning: could not create view for frame\n");
        return NULL;
    }
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

// ---------------------------------------------------------------------------------------------
// Views and documents.

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = pViewNew;
    if (!bNotify)
        return;
    if (pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (pViewNew != NULL)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

// The first view among the frame's descendants that has the given id (a splitter may carry the
// same id as its first pane).
static CView* FindView(HWND hWndParent, int nID, BOOL bWithDocument)
{
    for (HWND hChild = ::GetTopWindow(hWndParent); hChild != NULL; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)) && (nID < 0 || pWnd->GetDlgCtrlID() == nID) &&
            (!bWithDocument || static_cast<CView*>(pWnd)->GetDocument() != NULL))
            return static_cast<CView*>(pWnd);
        if (CView* pView = FindView(hChild, nID, bWithDocument))
            return pView;
    }
    return NULL;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    if (m_pViewActive != NULL)
        return m_pViewActive->GetDocument();
    CView* pView = FindView(m_hWnd, -1, TRUE);
    return pView != NULL ? pView->GetDocument() : NULL;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (m_pViewActive == NULL)
        SetActiveView(FindView(m_hWnd, AFX_IDW_PANE_FIRST, FALSE), FALSE);
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE);
    if (bMakeVisible)
        ActivateFrame();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsIconic() ? SW_RESTORE : (IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL);
    ShowWindow(nCmdShow);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_bAddToTitle || !bAddToTitle)
        return;
    CDocument* pDoc = GetActiveDocument();
    CString title = m_strTitle;
    if (pDoc != NULL && !pDoc->GetTitle().IsEmpty())
        title = pDoc->GetTitle() + " - " + m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    CWnd* pBar = GetMessageBar();
    if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CStatusBar)))
        static_cast<CStatusBar*>(pBar)->SetPaneText(0, lpszText);
    else if (pBar != NULL)
        pBar->SetWindowText(lpszText);
}

// ---------------------------------------------------------------------------------------------
// Layout: bars along the edges in creation order, the first pane in what is left.

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_hWnd == NULL)
        return;
    m_bInRecalcLayout = TRUE;
    CRect rcFree;
    GetClientRect(&rcFree);
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != NULL; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pWnd = FromHandlePermanent(hChild);
        if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) || !::IsWindowVisible(hChild))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(pWnd);
        BOOL bHorz = (pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        CSize size = pBar->CalcFixedLayout(TRUE, bHorz);
        CRect rcBar = rcFree;
        if (pBar->m_dwStyle & CBRS_ALIGN_TOP) {
            rcBar.bottom = rcBar.top + size.cy;
            rcFree.top = rcBar.bottom;
        } else if (pBar->m_dwStyle & CBRS_ALIGN_BOTTOM) {
            rcBar.top = rcBar.bottom - size.cy;
            rcFree.bottom = rcBar.top;
        } else if (pBar->m_dwStyle & CBRS_ALIGN_LEFT) {
            rcBar.right = rcBar.left + size.cx;
            rcFree.left = rcBar.right;
        } else if (pBar->m_dwStyle & CBRS_ALIGN_RIGHT) {
            rcBar.left = rcBar.right - size.cx;
            rcFree.right = rcBar.left;
        } else {
            continue;
        }
        ::SetWindowPos(hChild, NULL, rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST))
        ::SetWindowPos(hPane, NULL, rcFree.left, rcFree.top, rcFree.Width() > 0 ? rcFree.Width() : 0,
                       rcFree.Height() > 0 ? rcFree.Height() : 0, SWP_NOZORDER | SWP_NOACTIVATE);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
}

// Bars are docked on the first side that both they and the frame allow: top, bottom, left, right.
void CFrameWnd::DockControlBar(CControlBar* pBar, UINT, LPCRECT)
{
    static const DWORD sides[] = { CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT };
    DWORD allowed = pBar->m_dwDockStyle & m_dwDockStyle;
    for (DWORD side : sides) {
        if (allowed & side) {
            pBar->m_dwStyle = (pBar->m_dwStyle & ~CBRS_ALIGN_ANY) | side;
            break;
        }
    }
    pBar->m_pDockSite = this;
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL)
{
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    RecalcLayout();
}

// ---------------------------------------------------------------------------------------------
// Commands, keys and closing.

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_pViewActive != NULL && m_pViewActive->OnCmdMsg(nID, nCode, wParam, lParam, pResult))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, wParam, lParam, pResult))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, wParam, lParam, pResult);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccelTable != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
        return TRUE;
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::OnClose()
{
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL && !pDoc->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
        // Closing the documents destroys their frames, this one among them.
        pApp->CloseAllDocuments(FALSE);
        if (pApp->m_pMainWnd == NULL)
            return;
    }
    DestroyWindow();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && m_pViewActive->m_hWnd != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

// ---------------------------------------------------------------------------------------------
// Control bars and the status bar.

CControlBar::CControlBar() : m_dwStyle(0), m_dwDockStyle(0), m_nHeight(24), m_pDockSite(NULL)
{
}

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(m_nHeight, m_nHeight);
}

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
    DWORD dwWndStyle = (dwStyle & (WS_VISIBLE | WS_CHILD)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, STATUSCLASSNAMEA, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    // Tall enough for one line of the bar's font and its borders.
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc, (HFONT)SendMessage(WM_GETFONT));
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, hOld);
    m_nHeight = tm.tmHeight + 8;
    return TRUE;
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(32767, m_nHeight);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_ids.RemoveAll();
    m_widths.RemoveAll();
    CClientDC dc(this);
    HGDIOBJ hOld = ::SelectObject(dc, (HFONT)SendMessage(WM_GETFONT));
    for (int i = 0; i < nIDCount; ++i) {
        m_ids.Add(lpIDArray[i]);
        CString text;
        if (lpIDArray[i] == ID_SEPARATOR || !text.LoadString(lpIDArray[i])) {
            m_widths.Add(0);
            continue;
        }
        m_widths.Add(dc.GetTextExtent(text).cx + 12);
    }
    ::SelectObject(dc, hOld);
    ApplyPaneWidths();
    return TRUE;
}

// Fixed panes keep their widths at the right; the separator panes share what is left.
void CStatusBar::ApplyPaneWidths()
{
    int nCount = (int)m_widths.GetSize();
    if (nCount == 0 || m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    int nFixed = 0, nStretch = 0;
    for (int i = 0; i < nCount; ++i) {
        nFixed += m_widths[i];
        nStretch += m_widths[i] == 0;
    }
    int nShare = nStretch ? (rc.Width() - nFixed) / nStretch : 0;
    if (nShare < 0)
        nShare = 0;
    CArray<int, int> edges;
    int x = 0;
    for (int i = 0; i < nCount; ++i) {
        x += m_widths[i] ? m_widths[i] : nShare;
        edges.Add(i == nCount - 1 ? -1 : x);
    }
    SendMessage(SB_SETPARTS, nCount, (LPARAM)edges.GetData());
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    ApplyPaneWidths();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    BOOL bResult = (BOOL)SendMessage(SB_SETTEXTA, nIndex, (LPARAM)lpszNewText);
    if (bUpdate)
        UpdateWindow();
    return bResult;
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    // The length may count characters rather than bytes (the control keeps its text in UTF-16);
    // a character of the ANSI code page takes at most two bytes.
    int nLength = LOWORD(SendMessage(SB_GETTEXTLENGTHA, nIndex));
    CString text;
    SendMessage(SB_GETTEXTA, nIndex, (LPARAM)text.GetBufferSetLength(nLength * 2 + 1));
    text.ReleaseBuffer();
    return text;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < (int)m_ids.GetSize(); ++i)
        if (m_ids[i] == nIDFind)
            return i;
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < (int)m_ids.GetSize() ? m_ids[nIndex] : 0;
}
