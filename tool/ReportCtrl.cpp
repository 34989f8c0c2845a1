#include "ReportCtrl.h"

#include "ReportRules.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CReportCtrl, CListCtrl)

namespace {

// The control is a report and nothing else: these bits go in every path that makes or restyles it.
const DWORD kRemovedStyles = LVS_TYPEMASK | LVS_EDITLABELS | LVS_NOSCROLL;
const DWORD kForcedStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LVS_REPORT;
const DWORD kForcedExStyles = LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES;
const int kImageSize = 16;
const int kImageGrowBy = 4;

COLORREF DefaultTextColor()
{
    return ::GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF DefaultBkColor()
{
    return ::GetSysColor(COLOR_WINDOW);
}

// What one cell of the sort column reads as, worked out once per sort.
struct SortKey {
    CString text;
    bool isHex = false;
    std::string hexKey;
    bool isReal = false;
    double real = 0;
    bool isDate = false;
    DATE date = 0;
};

SortKey MakeSortKey(const CString& text)
{
    SortKey key;
    key.text = text;
    key.isHex = ReportRules::ParseHexCell(text, key.hexKey);
    key.isReal = ReportRules::ParseRealCell(text, key.real);
    COleDateTime date;
    key.isDate = !text.IsEmpty() && date.ParseDateTime(text, 0, LANG_USER_DEFAULT);
    key.date = date.m_dt;
    return key;
}

int Sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// The first rule that both cells satisfy decides: hexadecimal, real, date, then plain text.
int CompareSortKeys(const SortKey& a, const SortKey& b)
{
    if (a.isHex && b.isHex)
        return ReportRules::CompareHexKeys(a.hexKey, b.hexKey);
    if (a.isReal && b.isReal)
        return ReportRules::CompareReals(a.real, b.real);
    if (a.isDate && b.isDate)
        return ReportRules::CompareReals(a.date, b.date);
    return Sign(a.text.Compare(b.text));
}

int ClampToInt(long long value)
{
    return (int)std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, value));
}

} // namespace

// One per row, held as the row's list-view item data; callers see only dwUserData.
struct CReportCtrl::ItemColors {
    DWORD_PTR dwUserData = 0;
    CArray<COLORREF, COLORREF> aTextColors;
    CArray<COLORREF, COLORREF> aBkColors;
};

// Everything a row owns, so that it can be written back at another position.
struct CReportCtrl::RowSnapshot {
    ItemColors* pColors = NULL;
    DWORD dwStates = 0;
    std::vector<int> images;
    std::vector<CString> texts;
};

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
END_MESSAGE_MAP()

CReportCtrl::CReportCtrl()
    : m_pWndEdit(new CEdit), m_pszSeparator(NULL), m_bAllowEdit(FALSE), m_nEditItem(-1), m_nEditSubItem(-1),
      m_nChkStyle(RC_CHKBOX_NORMAL), m_nEditAlignment(0), m_nSortCol(-1), m_bSortAscending(TRUE)
{
}

CReportCtrl::~CReportCtrl()
{
    // Destroyed here, while the object is still a report control, so that the rows' colour
    // records are freed by OnDestroy.
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        DestroyWindow();
    delete m_pWndEdit;
    delete[] m_pszSeparator;
}

// ---------------------------------------------------------------------------------------------
// Creation and style.

DWORD CReportCtrl::ForcedStyle(DWORD dwStyle)
{
    return (dwStyle & ~kRemovedStyles) | kForcedStyles;
}

BOOL CReportCtrl::Create(CWnd* pParentWnd, UINT nID, LPCRECT lpRect, DWORD dwStyle)
{
    ASSERT(pParentWnd != NULL);
    if (pParentWnd == NULL)
        return FALSE;
    CRect rect;
    if (lpRect != NULL)
        rect = *lpRect;
    else
        pParentWnd->GetClientRect(&rect);
    return CListCtrl::Create(ForcedStyle(dwStyle), rect, pParentWnd, nID);
}

BOOL CReportCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = ForcedStyle(cs.style);
    return CListCtrl::PreCreateWindow(cs);
}

int CReportCtrl::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CListCtrl::OnCreate(lpcs) == -1)
        return -1;
    SetExtendedStyle(CListCtrl::GetExtendedStyle());
    return 0;
}

void CReportCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    CWnd::ModifyStyle(m_hWnd, kRemovedStyles, kForcedStyles, 0);
    SetExtendedStyle(0);
}

BOOL CReportCtrl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    dwRemove = (dwRemove | kRemovedStyles) & ~kForcedStyles;
    dwAdd = (dwAdd | kForcedStyles) & ~kRemovedStyles;
    return CWnd::ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

DWORD CReportCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return CListCtrl::SetExtendedStyle(dwNewStyle | kForcedExStyles);
}

void CReportCtrl::SetGridLines(bool bSet)
{
    DWORD dwStyle = CListCtrl::GetExtendedStyle();
    SetExtendedStyle(bSet ? (dwStyle | LVS_EX_GRIDLINES) : (dwStyle & ~LVS_EX_GRIDLINES));
}

BOOL CReportCtrl::HasColumnHeader() const
{
    return (GetStyle() & LVS_NOCOLUMNHEADER) == 0;
}

BOOL CReportCtrl::IsSortable() const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader != NULL && HasColumnHeader() && (pHeader->GetStyle() & HDS_BUTTONS) != 0;
}

BOOL CReportCtrl::SetSortable(bool bSet)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL)
        return FALSE;
    if (!bSet)
        ResetSortState();
    pHeader->ModifyStyle(bSet ? 0 : HDS_BUTTONS, bSet ? HDS_BUTTONS : 0);
    pHeader->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return TRUE;
}

void CReportCtrl::FitToParent()
{
    if (m_hWnd == NULL)
        return;
    CRect rect;
    ::GetClientRect(::GetParent(m_hWnd), &rect);
    MoveWindow(&rect);
}

// ---------------------------------------------------------------------------------------------
// Columns.

BOOL CReportCtrl::ParseColumnSpec(LPCTSTR lpszSpec)
{
    DeleteAllItems(RC_ITEM_ALL);
    DeleteAllColumns();
    EndCellEdit(FALSE);
    BOOL bMade = FALSE;
    for (const ReportRules::ColumnSpec& layout : ReportRules::ParseColumnSpec(lpszSpec)) {
        int nFormat = layout.alignment == 1 ? LVCFMT_CENTER : (layout.alignment == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT);
        int nColumn = InsertColumn(GetColumnCount(), layout.title.c_str(), nFormat, layout.width, -1);
        if (nColumn < 0)
            continue;
        m_aEditable.SetAtGrow(nColumn, layout.editable);
        bMade = TRUE;
    }
    return bMade;
}

int CReportCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPSTR>(lpszColumnHeading ? lpszColumnHeading : "");
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CReportCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    EndCellEdit(TRUE);
    int nNew = CListCtrl::InsertColumn(nCol, pColumn);
    if (nNew < 0)
        return -1;
    COLORREF crText = DefaultTextColor();
    COLORREF crBk = DefaultBkColor();
    for (int nItem = 0; nItem < GetItemCount(); ++nItem) {
        if (ItemColors* pColors = GetItemColors(nItem)) {
            pColors->aTextColors.InsertAt(nNew, crText);
            pColors->aBkColors.InsertAt(nNew, crBk);
        }
    }
    // A column made here is not editable until a layout string says so.
    m_aEditable.InsertAt(nNew, 0);
    return nNew;
}

BOOL CReportCtrl::DeleteColumn(int nCol)
{
    EndCellEdit(TRUE);
    if (!CListCtrl::DeleteColumn(nCol))
        return FALSE;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem) {
        if (ItemColors* pColors = GetItemColors(nItem)) {
            pColors->aTextColors.RemoveAt(nCol);
            pColors->aBkColors.RemoveAt(nCol);
        }
    }
    m_aEditable.RemoveAt(nCol);
    return TRUE;
}

BOOL CReportCtrl::DeleteAllColumns()
{
    while (GetColumnCount() > 0)
        if (!DeleteColumn(0))
            return FALSE;
    return TRUE;
}

int CReportCtrl::GetColumnCount() const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader != NULL ? pHeader->GetItemCount() : 0;
}

BOOL CReportCtrl::GetHeaderItem(int nColumn, HDITEM& item) const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader != NULL && pHeader->GetItem(nColumn, &item);
}

CString CReportCtrl::GetHeaderText(int nColumn) const
{
    char szText[256] = "";
    HDITEM item = {};
    item.mask = HDI_TEXT;
    item.pszText = szText;
    item.cchTextMax = sizeof szText;
    if (!GetHeaderItem(nColumn, item))
        return CString();
    szText[sizeof szText - 1] = '\0';
    return CString(szText);
}

BOOL CReportCtrl::SetHeaderText(int nColumn, LPCTSTR lpszText)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL)
        return FALSE;
    HDITEM item = {};
    item.mask = HDI_TEXT;
    item.pszText = const_cast<LPSTR>(lpszText ? lpszText : "");
    item.cchTextMax = lstrlenA(item.pszText);
    return pHeader->SetItem(nColumn, &item);
}

int CReportCtrl::GetColumnAlignment(int nColumn) const
{
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    if (!GetHeaderItem(nColumn, item))
        return 0;
    if (item.fmt & HDF_CENTER)
        return 1;
    return (item.fmt & HDF_RIGHT) ? 2 : 0;
}

BOOL CReportCtrl::SetHeaderImage(int nColumn, int nImageIndex, BOOL bLeftSide)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader == NULL)
        return FALSE;
    if (pHeader->GetImageList() == NULL)
        pHeader->SetImageList(GetImageList());
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    if (!pHeader->GetItem(nColumn, &item))
        return FALSE;
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt |= HDF_IMAGE;
    if (bLeftSide)
        item.fmt &= ~HDF_BITMAP_ON_RIGHT;
    else
        item.fmt |= HDF_BITMAP_ON_RIGHT;
    item.iImage = nImageIndex;
    return pHeader->SetItem(nColumn, &item);
}

int CReportCtrl::GetHeaderImage(int nColumn) const
{
    HDITEM item = {};
    item.mask = HDI_IMAGE;
    return GetHeaderItem(nColumn, item) ? item.iImage : -1;
}

BOOL CReportCtrl::IsColumnEditable(int nColumn) const
{
    return nColumn >= 0 && nColumn < m_aEditable.GetSize() && m_aEditable[nColumn] != 0;
}

// ---------------------------------------------------------------------------------------------
// Colour records.

CReportCtrl::ItemColors* CReportCtrl::NewItemColors(DWORD_PTR dwUserData) const
{
    ItemColors* pColors = new ItemColors;
    pColors->dwUserData = dwUserData;
    int nColumns = GetColumnCount();
    pColors->aTextColors.InsertAt(0, DefaultTextColor(), nColumns);
    pColors->aBkColors.InsertAt(0, DefaultBkColor(), nColumns);
    return pColors;
}

CReportCtrl::ItemColors* CReportCtrl::GetItemColors(int nItem) const
{
    if (!IsValidItem(nItem))
        return NULL;
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    if (!CListCtrl::GetItem(&item))
        return NULL;
    return reinterpret_cast<ItemColors*>(item.lParam);
}

BOOL CReportCtrl::AttachItemColors(int nItem, ItemColors* pColors)
{
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = reinterpret_cast<LPARAM>(pColors);
    return CListCtrl::SetItem(&item);
}

// Every row's colour record, taken for freeing once the rows are gone: a long list is cleared in
// one pass of one message a row.
std::vector<CReportCtrl::ItemColors*> CReportCtrl::TakeAllItemColors() const
{
    std::vector<ItemColors*> all;
    int nCount = GetItemCount();
    all.reserve(nCount);
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    for (item.iItem = 0; item.iItem < nCount; ++item.iItem)
        if (CListCtrl::GetItem(&item))
            all.push_back(reinterpret_cast<ItemColors*>(item.lParam));
    return all;
}

// ---------------------------------------------------------------------------------------------
// Rows and texts.

int CReportCtrl::InsertItem(const LVITEM* pItem)
{
    EndCellEdit(TRUE);
    ResetSortState();
    LVITEM item = *pItem;
    ItemColors* pColors = NewItemColors((item.mask & LVIF_PARAM) ? (DWORD_PTR)item.lParam : 0);
    item.mask |= LVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(pColors);
    int nItem = CListCtrl::InsertItem(&item);
    if (nItem < 0)
        delete pColors;
    return nItem;
}

int CReportCtrl::InsertItem(int nIndex, LPCTSTR lpszText)
{
    return InsertItem(LVIF_TEXT, nIndex, lpszText, 0, 0, 0, 0);
}

int CReportCtrl::InsertItem(int nIndex, LPCTSTR lpszText, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nIndex, lpszText, 0, 0, nImage, 0);
}

int CReportCtrl::InsertItem(UINT nMask, int nIndex, LPCTSTR lpszText, UINT nState, UINT nStateMask, int nImage,
                            LPARAM lParam)
{
    LVITEM item = MakeItem(nMask, nIndex, 0, lpszText ? lpszText : "", nImage, nState, nStateMask, lParam);
    return InsertItem(&item);
}

int CReportCtrl::InsertItemTextArray(int nIndex, const LPCTSTR* pTexts, int nCount)
{
    int nItem = InsertItem(nIndex, nCount > 0 ? pTexts[0] : "");
    if (nItem < 0)
        return -1;
    int nColumns = GetColumnCount();
    for (int nColumn = 1; nColumn < nCount && nColumn < nColumns && pTexts[nColumn] != NULL; ++nColumn)
        CListCtrl::SetItemText(nItem, nColumn, pTexts[nColumn]);
    return nItem;
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    EndCellEdit(TRUE);
    ResetSortState();
    return CListCtrl::SetItemText(nItem, nSubItem, lpszText ? lpszText : "");
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, int nValue)
{
    CString text;
    text.Format("%d", nValue);
    return SetItemText(nItem, nSubItem, (LPCTSTR)text);
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, unsigned nValue)
{
    CString text;
    text.Format("%u", nValue);
    return SetItemText(nItem, nSubItem, (LPCTSTR)text);
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, char chValue)
{
    char szText[2] = { chValue, '\0' };
    return SetItemText(nItem, nSubItem, (LPCTSTR)szText);
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, double dValue, int nPrecision)
{
    return SetItemText(nItem, nSubItem, ReportRules::FormatReal(dValue, nPrecision).c_str());
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, const COleDateTime& dateTime, DWORD dwFlags)
{
    CString text;
    if (dateTime.GetStatus() == COleDateTime::valid)
        text = dateTime.Format(dwFlags, LANG_USER_DEFAULT);
    return SetItemText(nItem, nSubItem, (LPCTSTR)text);
}

BOOL CReportCtrl::DeleteItem(int nItem, BOOL bSelectNextItem)
{
    if (!IsValidItem(nItem))
        return FALSE;
    if (IsEditing())
        EndCellEdit(m_nEditItem != nItem);
    if (bSelectNextItem && IsValidItem(nItem + 1))
        SetItemState(nItem + 1, LVIS_SELECTED, LVIS_SELECTED);
    ItemColors* pColors = GetItemColors(nItem);
    if (!CListCtrl::DeleteItem(nItem))
        return FALSE;
    delete pColors;
    return TRUE;
}

int CReportCtrl::DeleteAllItems(DWORD dwStates)
{
    EndCellEdit(FALSE);
    int nDeleted = 0;
    // Only one window can be locked at a time; unlock only what was locked here.
    BOOL bLocked = m_hWnd != NULL && ::LockWindowUpdate(m_hWnd);
    if (dwStates & RC_ITEM_ALL) {
        nDeleted = GetItemCount();
        std::vector<ItemColors*> colors = TakeAllItemColors();
        CListCtrl::DeleteAllItems();
        for (ItemColors* pColors : colors)
            delete pColors;
    } else {
        for (int nItem = 0; nItem < GetItemCount();) {
            if (IsItemInState(nItem, dwStates) && DeleteItem(nItem, FALSE))
                ++nDeleted;
            else
                ++nItem;
        }
    }
    if (bLocked)
        ::LockWindowUpdate(NULL);
    return nDeleted;
}

DWORD_PTR CReportCtrl::GetItemData(int nItem) const
{
    ItemColors* pColors = GetItemColors(nItem);
    return pColors != NULL ? pColors->dwUserData : 0;
}

BOOL CReportCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    ItemColors* pColors = GetItemColors(nItem);
    if (pColors == NULL)
        return FALSE;
    pColors->dwUserData = dwData;
    return TRUE;
}

BOOL CReportCtrl::GetItem(LVITEM* pItem) const
{
    if (!CListCtrl::GetItem(pItem))
        return FALSE;
    if (pItem->mask & LVIF_PARAM) {
        ItemColors* pColors = reinterpret_cast<ItemColors*>(pItem->lParam);
        pItem->lParam = pColors != NULL ? (LPARAM)pColors->dwUserData : 0;
    }
    return TRUE;
}

BOOL CReportCtrl::SetItem(const LVITEM* pItem)
{
    LVITEM item = *pItem;
    if (item.mask & LVIF_PARAM) {
        // The caller's value goes into the record; the record stays the row's item data.
        ItemColors* pColors = GetItemColors(item.iItem);
        if (pColors != NULL) {
            pColors->dwUserData = (DWORD_PTR)item.lParam;
            item.lParam = reinterpret_cast<LPARAM>(pColors);
        } else {
            item.mask &= ~LVIF_PARAM;
        }
    }
    return CListCtrl::SetItem(&item);
}

BOOL CReportCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                          UINT nStateMask, LPARAM lParam)
{
    LVITEM item = MakeItem(nMask, nItem, nSubItem, lpszItem, nImage, nState, nStateMask, lParam);
    return SetItem(&item);
}

BOOL CReportCtrl::SetItemImage(int nItem, int nSubItem, int nImageIndex)
{
    return CListCtrl::SetItem(nItem, nSubItem, LVIF_IMAGE, NULL, nImageIndex, 0, 0, 0);
}

int CReportCtrl::GetItemImage(int nItem, int nSubItem) const
{
    LVITEM item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    return CListCtrl::GetItem(&item) ? item.iImage : -1;
}

// ---------------------------------------------------------------------------------------------
// Moving rows. A row is taken whole (record, states, texts and images) and written back.

CReportCtrl::RowSnapshot CReportCtrl::TakeSnapshot(int nItem) const
{
    RowSnapshot snapshot;
    snapshot.pColors = GetItemColors(nItem);
    snapshot.dwStates = GetItemStates(nItem);
    int nColumns = GetColumnCount();
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        snapshot.images.push_back(GetItemImage(nItem, nColumn));
        snapshot.texts.push_back(GetItemText(nItem, nColumn));
    }
    return snapshot;
}

void CReportCtrl::RestoreSnapshot(int nItem, const RowSnapshot& snapshot)
{
    // Contents first, states last: the parent hears of a selection or focus change only once the
    // row already shows what belongs to it. States are set without the single-check rule, so
    // that moving rows never changes which rows are checked.
    AttachItemColors(nItem, snapshot.pColors);
    for (size_t nColumn = 0; nColumn < snapshot.texts.size(); ++nColumn) {
        CListCtrl::SetItemText(nItem, (int)nColumn, snapshot.texts[nColumn]);
        SetItemImage(nItem, (int)nColumn, snapshot.images[nColumn]);
    }
    SetItemStates(nItem, snapshot.dwStates);
}

BOOL CReportCtrl::MoveItem(int nItem, int nNewPosition)
{
    EndCellEdit(TRUE);
    if (!IsValidItem(nItem))
        return FALSE;
    nNewPosition = std::max(0, std::min(nNewPosition, GetItemCount() - 1));
    if (nNewPosition == nItem)
        return FALSE;
    ResetSortState();
    // The rows in between move up or down by one and the row takes their place. The list view's
    // own delete and insert are not used: an insertion into a list with check boxes can take the
    // focus from a row it shifts.
    int nFirst = std::min(nItem, nNewPosition);
    int nLast = std::max(nItem, nNewPosition);
    std::vector<RowSnapshot> snapshots;
    for (int nRow = nFirst; nRow <= nLast; ++nRow)
        snapshots.push_back(TakeSnapshot(nRow));
    if (nItem < nNewPosition)
        std::rotate(snapshots.begin(), snapshots.begin() + 1, snapshots.end());
    else
        std::rotate(snapshots.begin(), snapshots.end() - 1, snapshots.end());
    for (size_t k = 0; k < snapshots.size(); ++k)
        RestoreSnapshot(nFirst + (int)k, snapshots[k]);
    return TRUE;
}

BOOL CReportCtrl::MoveItemUp(int nItem, int nCount)
{
    return MoveItem(nItem, ClampToInt((long long)nItem - nCount));
}

BOOL CReportCtrl::MoveItemDown(int nItem, int nCount)
{
    return MoveItem(nItem, ClampToInt((long long)nItem + nCount));
}

BOOL CReportCtrl::MoveItemToTop(int nItem)
{
    return MoveItem(nItem, -1);
}

BOOL CReportCtrl::MoveItemToBottom(int nItem)
{
    return MoveItem(nItem, INT_MAX);
}

BOOL CReportCtrl::SwapItems(int nItem1, int nItem2)
{
    EndCellEdit(TRUE);
    if (!IsValidItem(nItem1) || !IsValidItem(nItem2) || nItem1 == nItem2)
        return FALSE;
    ResetSortState();
    RowSnapshot first = TakeSnapshot(nItem1);
    RowSnapshot second = TakeSnapshot(nItem2);
    RestoreSnapshot(nItem1, second);
    RestoreSnapshot(nItem2, first);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Image lists.

CImageList* CReportCtrl::SetImageList(CImageList* pImageList)
{
    return CListCtrl::SetImageList(pImageList, LVSIL_SMALL);
}

CImageList* CReportCtrl::GetImageList() const
{
    return CListCtrl::GetImageList(LVSIL_SMALL);
}

// Loads a strip of 16-pixel images into the owned list; the old list goes only once the new one
// is in place, and stays when the bitmap cannot be loaded.
static BOOL ReplaceFromBitmap(CImageList& list, UINT nBitmapID, COLORREF crMask, HIMAGELIST& hOld)
{
    hOld = list.Detach();
    if (list.Create(nBitmapID, kImageSize, kImageGrowBy, crMask))
        return TRUE;
    list.Attach(hOld);
    hOld = NULL;
    return FALSE;
}

BOOL CReportCtrl::SetImageListFromBitmap(UINT nBitmapID, COLORREF crMask)
{
    HIMAGELIST hOld = NULL;
    if (!ReplaceFromBitmap(m_imgList, nBitmapID, crMask, hOld))
        return FALSE;
    SetImageList(&m_imgList);
    if (hOld != NULL)
        ImageList_Destroy(hOld);
    return TRUE;
}

CImageList* CReportCtrl::SetHeaderImageList(CImageList* pImageList)
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader != NULL ? pHeader->SetImageList(pImageList) : NULL;
}

BOOL CReportCtrl::SetHeaderImageListFromBitmap(UINT nBitmapID, COLORREF crMask)
{
    if (GetHeaderCtrl() == NULL)
        return FALSE;
    HIMAGELIST hOld = NULL;
    if (!ReplaceFromBitmap(m_headerImgList, nBitmapID, crMask, hOld))
        return FALSE;
    SetHeaderImageList(&m_headerImgList);
    if (hOld != NULL)
        ImageList_Destroy(hOld);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Colours.

void CReportCtrl::ForEachColorCell(int nItem, int nSubItem, COLORREF color, bool bText)
{
    if (color == RC_DEFAULT_COLOR)
        color = bText ? DefaultTextColor() : DefaultBkColor();
    int nFirstItem = IsValidItem(nItem) ? nItem : 0;
    int nLastItem = IsValidItem(nItem) ? nItem : GetItemCount() - 1;
    int nFirstColumn = IsValidColumn(nSubItem) ? nSubItem : 0;
    int nLastColumn = IsValidColumn(nSubItem) ? nSubItem : GetColumnCount() - 1;
    for (int nRow = nFirstItem; nRow <= nLastItem; ++nRow) {
        ItemColors* pColors = GetItemColors(nRow);
        if (pColors == NULL)
            continue;
        CArray<COLORREF, COLORREF>& colors = bText ? pColors->aTextColors : pColors->aBkColors;
        for (int nColumn = nFirstColumn; nColumn <= nLastColumn && nColumn < colors.GetSize(); ++nColumn)
            colors[nColumn] = color;
    }
}

void CReportCtrl::SetCellTextColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    ForEachColorCell(nItem, nSubItem, color, true);
    if (bRedraw)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CReportCtrl::SetCellBkColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    ForEachColorCell(nItem, nSubItem, color, false);
    if (bRedraw)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

COLORREF CReportCtrl::GetCellTextColor(int nItem, int nSubItem) const
{
    ItemColors* pColors = IsValidColumn(nSubItem) ? GetItemColors(nItem) : NULL;
    if (pColors == NULL || nSubItem >= pColors->aTextColors.GetSize())
        return RC_DEFAULT_COLOR;
    return pColors->aTextColors[nSubItem];
}

COLORREF CReportCtrl::GetCellBkColor(int nItem, int nSubItem) const
{
    ItemColors* pColors = IsValidColumn(nSubItem) ? GetItemColors(nItem) : NULL;
    if (pColors == NULL || nSubItem >= pColors->aBkColors.GetSize())
        return RC_DEFAULT_COLOR;
    return pColors->aBkColors[nSubItem];
}

void CReportCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW; // ask for every item, then every cell
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        ItemColors* pColors = GetItemColors((int)pDraw->nmcd.dwItemSpec);
        int nColumn = pDraw->iSubItem;
        if (pColors != NULL && nColumn >= 0 && nColumn < pColors->aTextColors.GetSize()) {
            pDraw->clrText = pColors->aTextColors[nColumn];
            pDraw->clrTextBk = pColors->aBkColors[nColumn];
        }
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------------
// Row states and check boxes.

BOOL CReportCtrl::IsValidItem(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount();
}

BOOL CReportCtrl::IsChecked(int nItem) const
{
    // State image 1 is the empty box, 2 and up a ticked one; 0 means no box at all.
    return (CListCtrl::GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) >= 2;
}

DWORD CReportCtrl::GetItemStates(int nItem) const
{
    if (!IsValidItem(nItem))
        return 0;
    UINT nState = CListCtrl::GetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED);
    DWORD dwStates = (nState & LVIS_SELECTED) ? RC_ITEM_SELECTED : RC_ITEM_UNSELECTED;
    dwStates |= IsChecked(nItem) ? RC_ITEM_CHECKED : RC_ITEM_UNCHECKED;
    dwStates |= (nState & LVIS_FOCUSED) ? RC_ITEM_FOCUSED : RC_ITEM_UNFOCUSED;
    return dwStates;
}

BOOL CReportCtrl::IsItemInState(int nItem, DWORD dwStates) const
{
    if (!IsValidItem(nItem) || dwStates == 0)
        return FALSE;
    if (dwStates & RC_ITEM_ALL)
        return TRUE;
    return (GetItemStates(nItem) & dwStates) == dwStates;
}

int CReportCtrl::GetItemCountByState(DWORD dwStates) const
{
    int nCount = 0;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        if (IsItemInState(nItem, dwStates))
            ++nCount;
    return nCount;
}

int CReportCtrl::FindNextItemByState(DWORD dwStates, int nStartAfter) const
{
    for (int nItem = std::max(nStartAfter, -1) + 1; nItem < GetItemCount(); ++nItem)
        if (IsItemInState(nItem, dwStates))
            return nItem;
    return -1;
}

int CReportCtrl::FindPrevItemByState(DWORD dwStates, int nStartBefore) const
{
    // A negative start means "from the end", so the last row is examined too.
    int nCount = GetItemCount();
    if (nStartBefore < 0 || nStartBefore > nCount)
        nStartBefore = nCount;
    for (int nItem = nStartBefore - 1; nItem >= 0; --nItem)
        if (IsItemInState(nItem, dwStates))
            return nItem;
    return -1;
}

BOOL CReportCtrl::SetItemStates(int nItem, DWORD dwNewStates)
{
    if (!IsValidItem(nItem))
        return FALSE;
    BOOL bDone = TRUE;
    if (dwNewStates & RC_ITEM_SELECTED)
        bDone &= SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    if (dwNewStates & RC_ITEM_UNSELECTED)
        bDone &= SetItemState(nItem, 0, LVIS_SELECTED);
    if (dwNewStates & RC_ITEM_CHECKED)
        bDone &= CListCtrl::SetCheck(nItem, TRUE);
    if (dwNewStates & RC_ITEM_UNCHECKED)
        bDone &= CListCtrl::SetCheck(nItem, FALSE);
    if (dwNewStates & RC_ITEM_FOCUSED)
        bDone &= SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    if (dwNewStates & RC_ITEM_UNFOCUSED)
        bDone &= SetItemState(nItem, 0, LVIS_FOCUSED);
    return bDone;
}

BOOL CReportCtrl::ChangeItemStates(int nItem, DWORD dwNewStates)
{
    BOOL bDone = SetItemStates(nItem, dwNewStates);
    if (dwNewStates & RC_ITEM_CHECKED)
        EnforceSingleCheck(nItem);
    return bDone;
}

int CReportCtrl::ChangeAllItemStates(DWORD dwOldStates, DWORD dwNewStates)
{
    if (dwOldStates == 0 || dwNewStates == 0)
        return 0;
    // The single-check rule is applied once at the end, so that it keeps the first checked row
    // whatever order the rows were ticked in.
    int nChanged = 0;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        if (IsItemInState(nItem, dwOldStates) && SetItemStates(nItem, dwNewStates))
            ++nChanged;
    if (dwNewStates & RC_ITEM_CHECKED)
        EnforceSingleCheck(-1);
    return nChanged;
}

void CReportCtrl::InvertItemStates(int nKind)
{
    for (int nItem = 0; nItem < GetItemCount(); ++nItem) {
        if (nKind == RC_INVERT_SELECTION) {
            BOOL bSelected = (CListCtrl::GetItemState(nItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
            SetItemState(nItem, bSelected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        } else if (nKind == RC_INVERT_CHECKMARK) {
            CListCtrl::SetCheck(nItem, !IsChecked(nItem));
        }
    }
}

BOOL CReportCtrl::SetCheck(int nItem, BOOL bCheck)
{
    if (!CListCtrl::SetCheck(nItem, bCheck))
        return FALSE;
    if (bCheck)
        EnforceSingleCheck(nItem);
    return TRUE;
}

void CReportCtrl::EnforceSingleCheck(int nItem)
{
    if (m_nChkStyle != RC_CHKBOX_SINGLE)
        return;
    // The given row keeps its tick when it has one, else the first ticked row does; every other
    // row, above it as well as below, loses its tick.
    int nKeep = (IsValidItem(nItem) && IsChecked(nItem)) ? nItem : FindNextItemByState(RC_ITEM_CHECKED, -1);
    if (nKeep < 0)
        return;
    for (int nRow = 0; nRow < GetItemCount(); ++nRow)
        if (nRow != nKeep && IsChecked(nRow))
            CListCtrl::SetCheck(nRow, FALSE);
}

void CReportCtrl::SetCheckMode(int nMode)
{
    if (nMode < RC_CHKBOX_NONE || nMode > RC_CHKBOX_DISABLED)
        return;
    EndCellEdit(TRUE);
    m_nChkStyle = nMode;
    DWORD dwStyle = CListCtrl::GetExtendedStyle();
    if (nMode == RC_CHKBOX_NONE) {
        SetExtendedStyle(dwStyle & ~LVS_EX_CHECKBOXES);
        return;
    }
    EnforceSingleCheck(-1);
    SetExtendedStyle(dwStyle | LVS_EX_CHECKBOXES);
}

BOOL CReportCtrl::OnCheckChanged(int nItem, BOOL bWasChecked, BOOL bIsChecked, UINT message)
{
    if (!IsValidItem(nItem) || m_nChkStyle == RC_CHKBOX_NONE || bWasChecked == bIsChecked)
        return FALSE;
    if (m_nChkStyle == RC_CHKBOX_DISABLED) {
        CListCtrl::SetCheck(nItem, bWasChecked);
        return TRUE;
    }
    for (int nRow = 0; nRow < GetItemCount(); ++nRow) {
        if (nRow == nItem)
            continue;
        if (m_nChkStyle == RC_CHKBOX_SINGLE && bIsChecked && IsChecked(nRow))
            CListCtrl::SetCheck(nRow, FALSE);
        if (CListCtrl::GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED)
            SetItemState(nRow, 0, LVIS_SELECTED);
    }
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    NotifyParent(WM_REPORT_CHECKED, (WPARAM)nItem, (LPARAM)message);
    return TRUE;
}

void CReportCtrl::NotifyParent(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::SendMessageA(::GetParent(m_hWnd), message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Mouse.

void CReportCtrl::OnMouseButton(UINT message, UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit = {};
    hit.pt = point;
    SubItemHitTest(&hit);
    int nItem = hit.iItem;
    int nColumn = hit.iSubItem;

    BOOL bWasChecked = IsValidItem(nItem) && IsChecked(nItem);
    BOOL bWasEditing = IsEditing();
    EndCellEdit(TRUE);
    bool bLeft = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
    BOOL bWasActive = bLeft && IsItemInState(nItem, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);

    DefWindowProc(message, nFlags, MAKELPARAM(point.x, point.y));

    BOOL bIsChecked = IsValidItem(nItem) && IsChecked(nItem);
    BOOL bCheckRuleActed = OnCheckChanged(nItem, bWasChecked, bIsChecked, message);
    // A first click selects a row; a second click on a cell of that row opens the editor; a click
    // during an edit only ends it.
    if (bLeft && m_bAllowEdit && !bCheckRuleActed && !bWasEditing && bWasActive)
        BeginCellEdit(nItem, nColumn);
}

// ---------------------------------------------------------------------------------------------
// In-place editing.

void CReportCtrl::SetEditable(BOOL bSet)
{
    if (!bSet)
        EndCellEdit(TRUE);
    m_bAllowEdit = bSet;
}

BOOL CReportCtrl::IsEditing() const
{
    return m_bAllowEdit && IsValidItem(m_nEditItem) && IsValidColumn(m_nEditSubItem);
}

void CReportCtrl::BeginCellEdit(int nItem, int nSubItem)
{
    if (!IsColumnEditable(nSubItem) || !m_bAllowEdit || !IsValidItem(nItem) || !IsValidColumn(nSubItem))
        return;
    if (IsEditing() && m_nEditItem == nItem && m_nEditSubItem == nSubItem)
        return;
    EndCellEdit(TRUE);
    if (!IsValidItem(nItem)) // the parent may have changed the rows on the commit
        return;
    m_nEditItem = nItem;
    m_nEditSubItem = nSubItem;

    for (int nRow = GetNextItem(-1, LVNI_SELECTED); nRow >= 0; nRow = GetNextItem(nRow, LVNI_SELECTED))
        SetItemState(nRow, 0, LVIS_SELECTED);
    SetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    EnsureEditWindow(GetColumnAlignment(nSubItem));
    m_pWndEdit->SendMessage(WM_SETFONT, (WPARAM)SendMessage(WM_GETFONT), FALSE);
    CRect rect = GetEditRect(nItem, nSubItem);
    m_pWndEdit->MoveWindow(&rect);
    m_pWndEdit->SetWindowText(GetItemText(nItem, nSubItem));
    m_pWndEdit->ShowWindow(SW_SHOW);
    m_pWndEdit->SetSel(0, -1);
    m_pWndEdit->SetFocus();
}

void CReportCtrl::EnsureEditWindow(int nAlignment)
{
    // The alignment of an edit control is fixed when it is made.
    if (nAlignment != m_nEditAlignment) {
        m_nEditAlignment = nAlignment;
        if (m_pWndEdit->m_hWnd != NULL)
            m_pWndEdit->DestroyWindow();
    }
    if (m_pWndEdit->m_hWnd == NULL)
        m_pWndEdit->Create(nAlignment | WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL, CRect(0, 0, 1, 1), this,
                           0);
}

CRect CReportCtrl::GetEditRect(int nItem, int nSubItem)
{
    CRect rect;
    GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rect);
    // A cell with an image keeps the image visible to the left of the editor.
    if (nSubItem != 0 && GetImageList() != NULL && GetItemImage(nItem, nSubItem) >= 0)
        rect.left += kImageSize;
    return rect;
}

BOOL CReportCtrl::EndCellEdit(BOOL bCommit)
{
    if (!IsEditing() || m_pWndEdit->m_hWnd == NULL)
        return FALSE;
    int nItem = m_nEditItem;
    int nSubItem = m_nEditSubItem;
    CString text;
    m_pWndEdit->GetWindowText(text);

    // The edit is over before anyone hears of it, so a parent that reacts by changing the list
    // does not meet a half-finished edit.
    m_nEditItem = m_nEditSubItem = -1;
    BOOL bHadFocus = ::GetFocus() == m_pWndEdit->m_hWnd;
    m_pWndEdit->ShowWindow(SW_HIDE);
    if (bHadFocus)
        SetFocus();

    if (!bCommit || text == CListCtrl::GetItemText(nItem, nSubItem))
        return FALSE;
    CListCtrl::SetItemText(nItem, nSubItem, text);
    ResetSortState();
    NotifyParent(WM_REPORT_EDITED, (WPARAM)nItem, (LPARAM)nSubItem);
    return TRUE;
}

BOOL CReportCtrl::HandleEditKey(UINT nKey)
{
    int nItem = m_nEditItem;
    int nSubItem = m_nEditSubItem;
    switch (nKey) {
    case VK_TAB:
        EndCellEdit(TRUE);
        BeginCellEdit(nItem, nSubItem + 1 < GetColumnCount() ? nSubItem + 1 : 0);
        return TRUE;
    case VK_RETURN:
        EndCellEdit(TRUE);
        return TRUE;
    case VK_ESCAPE:
        EndCellEdit(FALSE);
        return TRUE;
    case VK_UP:
    case VK_DOWN: {
        int nNext = nKey == VK_UP ? nItem - 1 : nItem + 1;
        if (!IsValidItem(nNext))
            return FALSE; // the first or last row: the key goes on as usual
        EndCellEdit(TRUE);
        BeginCellEdit(nNext, nSubItem);
        EnsureVisible(nNext, FALSE);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

BOOL CReportCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (IsEditing()) {
            if (HandleEditKey((UINT)pMsg->wParam))
                return TRUE;
        } else if (pMsg->wParam == VK_SPACE) {
            return TRUE; // check boxes change by mouse only, where the check mode rules apply
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------------------------
// Sorting. Rows are rewritten in their new order rather than sorted by the list view, so that
// every cell keeps its colours and image and every row its states.

void CReportCtrl::ResetSortState()
{
    m_nSortCol = -1;
    m_bSortAscending = TRUE;
}

void CReportCtrl::SetSeparatorText(LPCTSTR lpszSeparator)
{
    delete[] m_pszSeparator;
    m_pszSeparator = NULL;
    if (lpszSeparator != NULL) {
        m_pszSeparator = new char[lstrlenA(lpszSeparator) + 1];
        lstrcpyA(m_pszSeparator, lpszSeparator);
    }
}

BOOL CReportCtrl::SortColumn(int nColumn, BOOL bAscending)
{
    EndCellEdit(TRUE);
    if (!IsValidColumn(nColumn) || !IsSortable())
        return FALSE;
    m_nSortCol = nColumn;
    m_bSortAscending = bAscending ? TRUE : FALSE;

    // Separator rows stay where they are; the runs of rows between them sort each by itself.
    int nFirst = 0;
    int nCount = GetItemCount();
    if (m_pszSeparator != NULL) {
        for (int nItem = 0; nItem < nCount; ++nItem) {
            if (GetItemText(nItem, nColumn) == m_pszSeparator) {
                SortRange(nFirst, nItem - 1);
                nFirst = nItem + 1;
            }
        }
    }
    SortRange(nFirst, nCount - 1);
    NotifyParent(WM_REPORT_SORTED, (WPARAM)nColumn, m_bSortAscending ? 1 : 0);
    return TRUE;
}

void CReportCtrl::SortRange(int nFirst, int nLast)
{
    if (nFirst >= nLast || !IsValidItem(nFirst) || !IsValidItem(nLast))
        return;
    std::vector<SortKey> keys;
    std::vector<int> rows;
    for (int nItem = nFirst; nItem <= nLast; ++nItem) {
        keys.push_back(MakeSortKey(GetItemText(nItem, m_nSortCol)));
        rows.push_back(nItem);
    }
    ReportRules::QuickSortRows(rows, 0, (int)rows.size() - 1, m_bSortAscending != FALSE,
                               [&](int nItemA, int nItemB) {
                                   return CompareSortKeys(keys[(size_t)(nItemA - nFirst)],
                                                          keys[(size_t)(nItemB - nFirst)]);
                               });
    std::vector<RowSnapshot> snapshots;
    for (int nItem : rows)
        snapshots.push_back(TakeSnapshot(nItem));
    for (size_t k = 0; k < snapshots.size(); ++k)
        RestoreSnapshot(nFirst + (int)k, snapshots[k]);
}

void CReportCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    int nColumn = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    // The first click on a column sorts it ascending, each further click reverses the order.
    BOOL bAscending = !(nColumn == m_nSortCol && m_bSortAscending);
    SortColumn(nColumn, bAscending);
    *pResult = 0;
}

// ---------------------------------------------------------------------------------------------
// End of the window.

void CReportCtrl::OnDestroy()
{
    DeleteAllItems(RC_ITEM_ALL);
    if (m_pWndEdit->m_hWnd != NULL)
        m_pWndEdit->DestroyWindow();
    // Image lists belong to whoever made them; the list view must not destroy them on its way out.
    CListCtrl::SetImageList(NULL, LVSIL_SMALL);
    CListCtrl::SetImageList(NULL, LVSIL_NORMAL);
    SetHeaderImageList(NULL);
    m_imgList.DeleteImageList();
    m_headerImgList.DeleteImageList();
    CListCtrl::OnDestroy();
}
