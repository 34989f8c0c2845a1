// The tool's report list: a list view that is always in report view, with a text and a background
// colour per cell, a column layout read from one string, sorting by a clicked column, an in-place
// cell editor, check-box modes, and row moves that carry everything a row owns with it.
#pragma once

#include <vector>

#include "afxcmn.h"
#include "afxdisp.h"

// Sent to the parent. WPARAM/LPARAM: row / the mouse message of the click; sort column /
// 1 ascending, 0 descending; row / column.
#define WM_REPORT_CHECKED 0xA710
#define WM_REPORT_SORTED 0xA711
#define WM_REPORT_EDITED 0xA712

// Row state bits: as a change (select, unselect, ...) or as a filter (selected, not selected, ...).
#define RC_ITEM_ALL 0x01
#define RC_ITEM_SELECTED 0x02
#define RC_ITEM_UNSELECTED 0x04
#define RC_ITEM_CHECKED 0x08
#define RC_ITEM_UNCHECKED 0x10
#define RC_ITEM_FOCUSED 0x20
#define RC_ITEM_UNFOCUSED 0x40

// Check modes.
#define RC_CHKBOX_NONE 0
#define RC_CHKBOX_NORMAL 1
#define RC_CHKBOX_SINGLE 2
#define RC_CHKBOX_DISABLED 3

// InvertItemStates kinds.
#define RC_INVERT_SELECTION 0
#define RC_INVERT_CHECKMARK 1

// The colour that stands for the system's own window colours.
#define RC_DEFAULT_COLOR 0xFFFFFFFF

class CReportCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CReportCtrl)
public:
    CReportCtrl();
    ~CReportCtrl() override;

    // Creation and style.
    BOOL Create(CWnd* pParentWnd, UINT nID, LPCRECT lpRect = NULL, DWORD dwStyle = WS_BORDER | WS_TABSTOP);
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    void SetGridLines(bool bSet = true);
    BOOL HasColumnHeader() const;
    BOOL IsSortable() const;
    BOOL SetSortable(bool bSet);
    void FitToParent();

    // Columns.
    BOOL ParseColumnSpec(LPCTSTR lpszSpec);
    int InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL DeleteAllColumns();
    int GetColumnCount() const;
    CString GetHeaderText(int nColumn) const;
    BOOL SetHeaderText(int nColumn, LPCTSTR lpszText);
    int GetColumnAlignment(int nColumn) const;
    BOOL SetHeaderImage(int nColumn, int nImageIndex, BOOL bLeftSide = TRUE);
    int GetHeaderImage(int nColumn) const;

    // Rows and texts.
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nIndex, LPCTSTR lpszText);
    int InsertItem(int nIndex, LPCTSTR lpszText, int nImage);
    int InsertItem(UINT nMask, int nIndex, LPCTSTR lpszText, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);
    // A row with texts for columns 0, 1, ... up to a null text or the last column.
    template <class... Texts>
    int InsertItemTexts(int nIndex, LPCTSTR lpszText0, Texts... texts)
    {
        LPCTSTR all[] = { lpszText0, static_cast<LPCTSTR>(texts)... };
        return InsertItemTextArray(nIndex, all, (int)(sizeof all / sizeof all[0]));
    }
    int InsertItemTextArray(int nIndex, const LPCTSTR* pTexts, int nCount);
    BOOL SetItemText(int nItem, int nSubItem, LPCTSTR lpszText);
    BOOL SetItemText(int nItem, int nSubItem, int nValue);
    BOOL SetItemText(int nItem, int nSubItem, unsigned nValue);
    BOOL SetItemText(int nItem, int nSubItem, char chValue);
    BOOL SetItemText(int nItem, int nSubItem, double dValue, int nPrecision = -1);
    BOOL SetItemText(int nItem, int nSubItem, const COleDateTime& dateTime, DWORD dwFlags = 0);
    BOOL DeleteItem(int nItem, BOOL bSelectNextItem = FALSE);
    int DeleteAllItems(DWORD dwStates = RC_ITEM_ALL);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    BOOL SetItemImage(int nItem, int nSubItem, int nImageIndex);
    int GetItemImage(int nItem, int nSubItem) const;
    BOOL MoveItem(int nItem, int nNewPosition);
    BOOL MoveItemUp(int nItem, int nCount = 1);
    BOOL MoveItemDown(int nItem, int nCount = 1);
    BOOL MoveItemToTop(int nItem);
    BOOL MoveItemToBottom(int nItem);
    BOOL SwapItems(int nItem1, int nItem2);

    // Image lists: rows use the small-icon list.
    CImageList* SetImageList(CImageList* pImageList);
    CImageList* GetImageList() const;
    BOOL SetImageListFromBitmap(UINT nBitmapID, COLORREF crMask);
    CImageList* SetHeaderImageList(CImageList* pImageList);
    BOOL SetHeaderImageListFromBitmap(UINT nBitmapID, COLORREF crMask);

    // Colours. A row or column out of range stands for every row or column.
    void SetCellTextColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw = TRUE);
    void SetCellBkColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw = TRUE);
    COLORREF GetCellTextColor(int nItem, int nSubItem) const;
    COLORREF GetCellBkColor(int nItem, int nSubItem) const;

    // Row states and check boxes.
    BOOL IsValidItem(int nItem) const;
    DWORD GetItemStates(int nItem) const;
    BOOL IsItemInState(int nItem, DWORD dwStates) const;
    int GetItemCountByState(DWORD dwStates) const;
    int FindNextItemByState(DWORD dwStates, int nStartAfter = -1) const;
    int FindPrevItemByState(DWORD dwStates, int nStartBefore = -1) const;
    BOOL SetItemStates(int nItem, DWORD dwNewStates);
    BOOL ChangeItemStates(int nItem, DWORD dwNewStates);
    int ChangeAllItemStates(DWORD dwOldStates, DWORD dwNewStates);
    void InvertItemStates(int nKind);
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE);
    void EnforceSingleCheck(int nItem);
    void SetCheckMode(int nMode);
    int GetCheckMode() const { return m_nChkStyle; }

    // In-place editing.
    void SetEditable(BOOL bSet = TRUE);
    BOOL IsEditable() const { return m_bAllowEdit; }
    BOOL IsEditing() const;
    void BeginCellEdit(int nItem, int nSubItem);
    BOOL EndCellEdit(BOOL bCommit = TRUE);
    CEdit* GetEditControl() { return m_pWndEdit; }

    // Sorting.
    BOOL SortColumn(int nColumn, BOOL bAscending = TRUE);
    int GetSortColumn() const { return m_nSortCol; }
    BOOL IsSortAscending() const { return m_bSortAscending; }
    void ResetSortState();
    void SetSeparatorText(LPCTSTR lpszSeparator);
    LPCTSTR GetSeparatorText() const { return m_pszSeparator; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { OnMouseButton(WM_LBUTTONDOWN, nFlags, point); }
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { OnMouseButton(WM_LBUTTONDBLCLK, nFlags, point); }
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point) { OnMouseButton(WM_MBUTTONDOWN, nFlags, point); }
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point) { OnMouseButton(WM_MBUTTONDBLCLK, nFlags, point); }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point) { OnMouseButton(WM_RBUTTONDOWN, nFlags, point); }
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point) { OnMouseButton(WM_RBUTTONDBLCLK, nFlags, point); }
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct ItemColors;
    struct RowSnapshot;

    ItemColors* GetItemColors(int nItem) const;
    ItemColors* NewItemColors(DWORD_PTR dwUserData) const;
    BOOL AttachItemColors(int nItem, ItemColors* pColors);
    std::vector<ItemColors*> TakeAllItemColors() const;
    void ForEachColorCell(int nItem, int nSubItem, COLORREF color, bool bText);

    static DWORD ForcedStyle(DWORD dwStyle);
    BOOL IsValidColumn(int nColumn) const { return nColumn >= 0 && nColumn < GetColumnCount(); }
    BOOL IsColumnEditable(int nColumn) const;
    BOOL GetHeaderItem(int nColumn, HDITEM& item) const;
    BOOL IsChecked(int nItem) const;
    void NotifyParent(UINT message, WPARAM wParam, LPARAM lParam);

    RowSnapshot TakeSnapshot(int nItem) const;
    void RestoreSnapshot(int nItem, const RowSnapshot& snapshot);
    void SortRange(int nFirst, int nLast);

    void OnMouseButton(UINT message, UINT nFlags, CPoint point);
    BOOL OnCheckChanged(int nItem, BOOL bWasChecked, BOOL bIsChecked, UINT message);
    BOOL HandleEditKey(UINT nKey);
    void EnsureEditWindow(int nAlignment);
    CRect GetEditRect(int nItem, int nSubItem);

    CEdit* m_pWndEdit;
    LPTSTR m_pszSeparator;
    BOOL m_bAllowEdit;
    int m_nEditItem;
    int m_nEditSubItem;
    int m_nChkStyle;
    int m_nEditAlignment;
    CImageList m_imgList;
    CImageList m_headerImgList;
    int m_nSortCol;
    BOOL m_bSortAscending;
    CArray<int, int> m_aEditable; // per column: may the in-place editor open on it
};
