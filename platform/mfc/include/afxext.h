// Extensions of the windowing layer: form views, static splitters and the status bar.
#pragma once

#include "afxwin.h"

// A view that is a child dialog built from a dialog template.
class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    void OnInitialUpdate() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCTSTR m_lpszTemplateName;

protected:
    explicit CFormView(UINT nIDTemplate);
    explicit CFormView(LPCTSTR lpszTemplateName);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return CWnd::OnEraseBkgnd(pDC); }
    DECLARE_MESSAGE_MAP()
};

// A splitter whose panes are fixed at creation (CreateStatic); columns keep their widths and
// the last column takes what is left. The bars between columns can be dragged.
class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
    virtual void DeleteView(int row, int col);
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    BOOL IsChildPane(CWnd* pWnd, int* pRow = NULL, int* pCol = NULL);
    virtual CWnd* GetActivePane(int* pRow = NULL, int* pCol = NULL);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = NULL);
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    virtual void RecalcLayout();

protected:
    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    int HitTestBar(CPoint point) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    struct CRowColInfo {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };
    int m_nRows, m_nCols;
    CRowColInfo m_colInfo[16];
    CRowColInfo m_rowInfo[16];
    int m_cxSplitter;  // width of a bar between two columns
    int m_nTrackCol;   // column whose right bar is being dragged, -1 when none
    int m_nTrackStart; // pointer x where the drag began
};

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

protected:
    void ApplyPaneWidths();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CArray<UINT, UINT> m_ids;
    CArray<int, int> m_widths; // 0 marks the stretching pane
};
