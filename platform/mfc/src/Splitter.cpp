#include "afxext.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() : m_nRows(0), m_nCols(0), m_colInfo(), m_rowInfo(), m_cxSplitter(4), m_nTrackCol(-1),
                               m_nTrackStart(0)
{
}

CSplitterWnd::~CSplitterWnd()
{
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    ASSERT(nRows >= 1 && nRows <= 16 && nCols >= 1 && nCols <= 16);
    if (nRows < 1 || nRows > 16 || nCols < 1 || nCols > 16)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    return CreateEx(0, lpszClass, NULL, dwStyle | WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd, nID);
}

// Without a context of its own, a new pane shows the document of the active pane and gets its
// first update here (a frame sends it only to the panes made with the frame).
BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    ASSERT(row >= 0 && row < m_nRows && col >= 0 && col < m_nCols);
    if (GetPane(row, col) != NULL) {
        TRACE("Error: the splitter pane already holds a view\n");
        return FALSE;
    }
    m_colInfo[col].nIdealSize = sizeInit.cx;
    m_rowInfo[row].nIdealSize = sizeInit.cy;

    CCreateContext contextLocal;
    BOOL bSendInitialUpdate = FALSE;
    if (pContext == NULL) {
        CWnd* pActive = GetActivePane();
        if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(CView))) {
            CView* pOldView = static_cast<CView*>(pActive);
            contextLocal.m_pLastView = pOldView;
            contextLocal.m_pCurrentDoc = pOldView->GetDocument();
            if (contextLocal.m_pCurrentDoc != NULL)
                contextLocal.m_pNewDocTemplate = contextLocal.m_pCurrentDoc->GetDocTemplate();
        }
        pContext = &contextLocal;
        bSendInitialUpdate = TRUE;
    }

    CWnd* pWnd = (CWnd*)pViewClass->CreateObject();
    if (pWnd == NULL)
        return FALSE;
    CRect rect(CPoint(0, 0), sizeInit);
    if (!pWnd->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, rect, this, IdFromRowCol(row, col), pContext)) {
        TRACE("Warning: could not create a splitter pane\n");
        return FALSE;
    }
    if (bSendInitialUpdate)
        pWnd->SendMessage(WM_INITIALUPDATE);
    return TRUE;
}

void CSplitterWnd::DeleteView(int row, int col)
{
    CWnd* pPane = GetPane(row, col);
    if (pPane == NULL)
        return;
    // The frame's active view moves to another pane before this one goes.
    if (GetActivePane() == pPane) {
        CFrameWnd* pFrame = GetParentFrame();
        CView* pNext = NULL;
        for (int r = 0; r < m_nRows && pNext == NULL; ++r)
            for (int c = 0; c < m_nCols && pNext == NULL; ++c) {
                CWnd* pOther = GetPane(r, c);
                if (pOther != NULL && pOther != pPane && pOther->IsKindOf(RUNTIME_CLASS(CView)))
                    pNext = static_cast<CView*>(pOther);
            }
        if (pFrame != NULL)
            pFrame->SetActiveView(pNext);
    }
    pPane->DestroyWindow();
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    HWND hPane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col));
    return hPane ? CWnd::FromHandle(hPane) : NULL;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol)
{
    if (pWnd == NULL || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != NULL)
        *pRow = row;
    if (pCol != NULL)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol)
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pView = pFrame != NULL ? pFrame->GetActiveView() : NULL;
    return IsChildPane(pView, pRow, pCol) ? pView : NULL;
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* pWnd)
{
    CWnd* pPane = pWnd != NULL ? pWnd : GetPane(row, col);
    CFrameWnd* pFrame = GetParentFrame();
    if (pPane != NULL && pFrame != NULL && pPane->IsKindOf(RUNTIME_CLASS(CView)))
        pFrame->SetActiveView(static_cast<CView*>(pPane));
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col < 0 || col >= m_nCols)
        return;
    m_colInfo[col].nIdealSize = cxIdeal;
    m_colInfo[col].nMinSize = cxMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = cxMin = 0;
    if (col < 0 || col >= m_nCols)
        return;
    cxCur = m_colInfo[col].nCurSize;
    cxMin = m_colInfo[col].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rowInfo[row].nIdealSize = cyIdeal;
    m_rowInfo[row].nMinSize = cyMin;
}

// Every column but the last gets its ideal width while there is room; the last takes the rest.
static void LayoutLine(int nCount, int nTotal, int nGap, int* pIdeal, int* pMin, int* pCur)
{
    int nLeft = nTotal - nGap * (nCount - 1);
    for (int i = 0; i < nCount; ++i) {
        int nSize = i == nCount - 1 ? nLeft : (pIdeal[i] > pMin[i] ? pIdeal[i] : pMin[i]);
        if (nSize > nLeft)
            nSize = nLeft;
        if (nSize < 0)
            nSize = 0;
        pCur[i] = nSize;
        nLeft -= nSize;
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == NULL)
        return;
    CRect rc;
    GetClientRect(&rc);
    int ideal[16], minimum[16], current[16];
    for (int c = 0; c < m_nCols; ++c) {
        ideal[c] = m_colInfo[c].nIdealSize;
        minimum[c] = m_colInfo[c].nMinSize;
    }
    LayoutLine(m_nCols, rc.Width(), m_cxSplitter, ideal, minimum, current);
    for (int c = 0; c < m_nCols; ++c)
        m_colInfo[c].nCurSize = current[c];
    for (int r = 0; r < m_nRows; ++r) {
        ideal[r] = m_rowInfo[r].nIdealSize;
        minimum[r] = m_rowInfo[r].nMinSize;
    }
    LayoutLine(m_nRows, rc.Height(), m_cxSplitter, ideal, minimum, current);
    for (int r = 0; r < m_nRows; ++r)
        m_rowInfo[r].nCurSize = current[r];

    int y = 0;
    for (int r = 0; r < m_nRows; ++r) {
        int x = 0;
        for (int c = 0; c < m_nCols; ++c) {
            if (CWnd* pPane = GetPane(r, c))
                ::SetWindowPos(pPane->m_hWnd, NULL, x, y, m_colInfo[c].nCurSize, m_rowInfo[r].nCurSize,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            x += m_colInfo[c].nCurSize + m_cxSplitter;
        }
        y += m_rowInfo[r].nCurSize + m_cxSplitter;
    }
    Invalidate();
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnDrawSplitter(CDC* pDC, ESplitType, const CRect& rect)
{
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    CRect rcEdge = rect;
    pDC->DrawEdge(&rcEdge, EDGE_RAISED, BF_LEFT | BF_RIGHT);
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    int x = 0;
    for (int c = 0; c < m_nCols - 1; ++c) {
        x += m_colInfo[c].nCurSize;
        OnDrawSplitter(&dc, splitBar, CRect(x, rc.top, x + m_cxSplitter, rc.bottom));
        x += m_cxSplitter;
    }
}

int CSplitterWnd::HitTestBar(CPoint point) const
{
    int x = 0;
    for (int c = 0; c < m_nCols - 1; ++c) {
        x += m_colInfo[c].nCurSize;
        if (point.x >= x && point.x < x + m_cxSplitter)
            return c;
        x += m_cxSplitter;
    }
    return -1;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (nHitTest == HTCLIENT && (m_nTrackCol >= 0 || HitTestBar(point) >= 0)) {
        ::SetCursor(::LoadCursorA(NULL, IDC_SIZEWE));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    m_nTrackCol = HitTestBar(point);
    if (m_nTrackCol < 0)
        return;
    m_nTrackStart = point.x;
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_nTrackCol < 0)
        return;
    CRowColInfo& info = m_colInfo[m_nTrackCol];
    int nNew = info.nCurSize + (point.x - m_nTrackStart);
    info.nIdealSize = nNew > info.nMinSize ? nNew : info.nMinSize;
    m_nTrackStart = point.x;
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_nTrackCol < 0)
        return;
    m_nTrackCol = -1;
    ::ReleaseCapture();
}
