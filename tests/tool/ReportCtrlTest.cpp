// The report list in a real window: sorting rules and what travels with a sorted, moved or
// swapped row; check modes driven by real clicks; the in-place editor driven by clicks and keys;
// colours as painted; header images; the notifications to the parent.
#include <gtest/gtest.h>

#include "ReportCtrl.h"
#include "ReportCtrlTestIds.h"
#include "ToolTestSupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The parent window: records every notification of the list.
class CReportHost : public CWnd {
public:
    std::vector<Note> m_notes;

    std::vector<Note> Take(UINT message) const { return NotesOf(m_notes, message); }

protected:
    afx_msg LRESULT OnChecked(WPARAM wParam, LPARAM lParam) { return Record(WM_REPORT_CHECKED, wParam, lParam); }
    afx_msg LRESULT OnSorted(WPARAM wParam, LPARAM lParam) { return Record(WM_REPORT_SORTED, wParam, lParam); }
    afx_msg LRESULT OnEdited(WPARAM wParam, LPARAM lParam) { return Record(WM_REPORT_EDITED, wParam, lParam); }
    LRESULT Record(UINT message, WPARAM wParam, LPARAM lParam)
    {
        m_notes.push_back({ message, wParam, lParam });
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReportHost, CWnd)
    ON_MESSAGE(WM_REPORT_CHECKED, OnChecked)
    ON_MESSAGE(WM_REPORT_SORTED, OnSorted)
    ON_MESSAGE(WM_REPORT_EDITED, OnEdited)
END_MESSAGE_MAP()

class ReportCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_host.CreateEx(0, cls, "report", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, NULL, NULL));
        CRect rect(0, 0, 600, 400);
        ASSERT_TRUE(m_list.Create(&m_host, 1001, &rect));
    }

    void TearDown() override { m_host.DestroyWindow(); }

    // One column holding the given cells, top to bottom.
    void FillColumn(std::initializer_list<const char*> cells)
    {
        m_list.InsertColumn(0, "cell", LVCFMT_LEFT, 150);
        for (const char* cell : cells)
            m_list.InsertItem(m_list.GetItemCount(), cell);
    }

    std::vector<std::string> Column(int nColumn)
    {
        std::vector<std::string> texts;
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
            texts.push_back((LPCTSTR)m_list.GetItemText(nItem, nColumn));
        return texts;
    }

    std::vector<std::string> SortedAscending(int nColumn = 0)
    {
        EXPECT_TRUE(m_list.SortColumn(nColumn, TRUE));
        return Column(nColumn);
    }

    void Click(UINT downMessage, CPoint point)
    {
        m_list.SendMessage(downMessage, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        m_list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    CPoint CellPoint(int nItem, int nColumn)
    {
        CRect rect;
        m_list.GetSubItemRect(nItem, nColumn, LVIR_LABEL, rect);
        return CPoint(rect.left + 4, (rect.top + rect.bottom) / 2);
    }

    // Where the list view itself says the check box of a row is.
    CPoint CheckBoxPoint(int nItem)
    {
        CRect rect;
        m_list.GetItemRect(nItem, &rect, LVIR_BOUNDS);
        for (int x = rect.left; x < rect.left + 48; ++x) {
            LVHITTESTINFO hit = {};
            hit.pt = CPoint(x, (rect.top + rect.bottom) / 2);
            if (m_list.HitTest(&hit) == nItem && (hit.flags & LVHT_ONITEMSTATEICON))
                return hit.pt;
        }
        ADD_FAILURE() << "no check box found on row " << nItem;
        return CPoint(rect.left + 8, (rect.top + rect.bottom) / 2);
    }

    // A key as the message loop would hand it over, before dispatch.
    BOOL PressKey(HWND hWnd, UINT nKey)
    {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = WM_KEYDOWN;
        msg.wParam = nKey;
        return CWnd::WalkPreTranslateTree(m_host.m_hWnd, &msg);
    }

    CReportHost m_host;
    CReportCtrl m_list;
};

// ---------------------------------------------------------------------------------------------
// Creation and layout.

TEST_F(ReportCtrlTest, StyleRulesHoldOnCreateSubclassAndRestyle)
{
    // The list view shows and hides its own scroll bars, so the live style is checked without them.
    const DWORD forced = WS_CHILD | WS_VISIBLE | LVS_REPORT;
    CREATESTRUCT cs = {};
    cs.style = LVS_SMALLICON | LVS_EDITLABELS | LVS_NOSCROLL | LVS_SINGLESEL;
    CReportCtrl made;
    made.PreCreateWindow(cs);
    EXPECT_EQ((DWORD)(0x50300001 | LVS_SINGLESEL), cs.style);

    CRect rect(0, 0, 100, 100);
    ASSERT_TRUE(made.Create(&m_host, 1002, &rect, LVS_ICON | LVS_EDITLABELS | LVS_NOSCROLL | LVS_SHOWSELALWAYS));
    EXPECT_EQ(forced | LVS_SHOWSELALWAYS, made.GetStyle() & (forced | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_NOSCROLL));
    EXPECT_EQ(0x22u, made.CListCtrl::GetExtendedStyle() & 0x22u);

    made.ModifyStyle(LVS_REPORT | WS_VISIBLE, LVS_EDITLABELS | LVS_SMALLICON);
    EXPECT_EQ(forced, made.GetStyle() & (forced | LVS_EDITLABELS | LVS_TYPEMASK));
    made.SetExtendedStyle(LVS_EX_GRIDLINES);
    EXPECT_EQ((DWORD)(LVS_EX_GRIDLINES | 0x22), made.CListCtrl::GetExtendedStyle());
    made.SetGridLines(false);
    EXPECT_EQ(0x22u, made.CListCtrl::GetExtendedStyle());

    // A list view made by someone else (a dialog template) and then taken over.
    HWND hWnd = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_ICON | LVS_NOSCROLL, 0, 0, 100, 100,
                                  m_host.m_hWnd, (HMENU)1003, NULL, NULL);
    ::SendMessageA(hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES);
    CReportCtrl taken;
    ASSERT_TRUE(taken.SubclassWindow(hWnd));
    EXPECT_EQ(forced, taken.GetStyle() & (forced | LVS_NOSCROLL));
    EXPECT_EQ(0x22u, taken.CListCtrl::GetExtendedStyle());
}

TEST_F(ReportCtrlTest, ColumnSpecificationBuildsColumnsAndEditableFlags)
{
    m_list.InsertColumn(0, "old");
    m_list.InsertItem(0, "row");
    ASSERT_TRUE(m_list.ParseColumnSpec("名称;;手机号码,120,2,0;;"));
    EXPECT_EQ(0, m_list.GetItemCount());
    ASSERT_EQ(2, m_list.GetColumnCount());
    EXPECT_STREQ("名称", m_list.GetHeaderText(0));
    EXPECT_STREQ("手机号码", m_list.GetHeaderText(1));
    EXPECT_EQ(100, m_list.GetColumnWidth(0));
    EXPECT_EQ(120, m_list.GetColumnWidth(1));
    EXPECT_EQ(0, m_list.GetColumnAlignment(0));
    EXPECT_EQ(2, m_list.GetColumnAlignment(1));

    // Empty pieces are dropped: two commas in a row do not make an empty width.
    ASSERT_TRUE(m_list.ParseColumnSpec("a,,80;b,60,1"));
    EXPECT_EQ(80, m_list.GetColumnWidth(0));
    EXPECT_EQ(1, m_list.GetColumnAlignment(1));
    EXPECT_FALSE(m_list.ParseColumnSpec(";;,,;"));
    EXPECT_EQ(0, m_list.GetColumnCount());

    // Only the columns the layout marks editable open the editor.
    ASSERT_TRUE(m_list.ParseColumnSpec("名称;手机号码,120,2,0"));
    m_list.InsertItemTexts(0, "dtu", "13800138000");
    m_list.SetEditable(TRUE);
    m_list.BeginCellEdit(0, 1);
    EXPECT_FALSE(m_list.IsEditing());
    m_list.BeginCellEdit(0, 0);
    EXPECT_TRUE(m_list.IsEditing());
    EXPECT_TRUE(m_list.GetEditControl()->IsWindowVisible());
}

TEST_F(ReportCtrlTest, RowsInsertedWithTextsDataAndTypedValues)
{
    m_list.ParseColumnSpec("a;b;c");
    EXPECT_EQ(0, m_list.InsertItemTexts(0, "x", "y", "z", "beyond the last column"));
    EXPECT_EQ(1, m_list.InsertItemTexts(1, "p", static_cast<LPCTSTR>(NULL), "never"));
    EXPECT_EQ((std::vector<std::string>{ "y", "" }), Column(1));
    EXPECT_EQ((std::vector<std::string>{ "z", "" }), Column(2));

    // The caller's item data lives beside the colours, whichever way it is read or written.
    int nItem = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, 2, "d", 0, 0, 0, 0x1234);
    EXPECT_EQ(0x1234u, m_list.GetItemData(nItem));
    m_list.SetCellTextColor(nItem, 0, RGB(1, 2, 3), FALSE);
    LVITEM item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = 0x5678;
    ASSERT_TRUE(m_list.SetItem(&item));
    item.lParam = 0;
    ASSERT_TRUE(m_list.GetItem(&item));
    EXPECT_EQ(0x5678, item.lParam);
    ASSERT_TRUE(m_list.SetItemData(nItem, 0x9abc));
    EXPECT_EQ(0x9abcu, m_list.GetItemData(nItem));
    ASSERT_TRUE(m_list.SetItem(nItem, 0, LVIF_PARAM, NULL, 0, 0, 0, 0x42));
    EXPECT_EQ(0x42u, m_list.GetItemData(nItem));
    EXPECT_EQ(RGB(1, 2, 3), m_list.GetCellTextColor(nItem, 0));

    m_list.SetItemText(0, 0, -42);
    m_list.SetItemText(0, 1, 4000000000u);
    m_list.SetItemText(0, 2, 'Q');
    EXPECT_EQ((std::vector<std::string>{ "-42", "4000000000", "Q" }),
              (std::vector<std::string>{ (LPCTSTR)m_list.GetItemText(0, 0), (LPCTSTR)m_list.GetItemText(0, 1),
                                         (LPCTSTR)m_list.GetItemText(0, 2) }));
    m_list.SetItemText(1, 0, 1.5);
    m_list.SetItemText(1, 1, 2.0);
    m_list.SetItemText(1, 2, 3.14159, 2);
    EXPECT_EQ((std::vector<std::string>{ "1.5", "2", "3.14" }),
              (std::vector<std::string>{ (LPCTSTR)m_list.GetItemText(1, 0), (LPCTSTR)m_list.GetItemText(1, 1),
                                         (LPCTSTR)m_list.GetItemText(1, 2) }));
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    m_list.SetItemText(1, 0, invalid);
    EXPECT_STREQ("", m_list.GetItemText(1, 0));
    m_list.SetItemText(1, 0, COleDateTime(2010, 3, 5, 14, 2, 7));
    EXPECT_NE(-1, m_list.GetItemText(1, 0).Find("2010"));
}

// ---------------------------------------------------------------------------------------------
// Sorting.

TEST_F(ReportCtrlTest, EachCellRuleOrdersItsKind)
{
    typedef std::vector<std::string> Texts;
    // Hexadecimal first: plain decimals keep their order, letters a-f are digits too.
    FillColumn({ "10", "A", "9", "0x0B" });
    EXPECT_EQ((Texts{ "9", "A", "0x0B", "10" }), SortedAscending());
    m_list.DeleteAllItems();
    // Reals and percentages; a cell that is neither ends in text order.
    FillColumn({ "12%", "1.5", "-2.25" });
    EXPECT_EQ((Texts{ "-2.25", "1.5", "12%" }), SortedAscending());
    m_list.DeleteAllItems();
    // Dates whose text order differs from their calendar order.
    FillColumn({ "2010-10-1", "2009-12-31", "2010-3-5" });
    EXPECT_EQ((Texts{ "2009-12-31", "2010-3-5", "2010-10-1" }), SortedAscending());
    m_list.DeleteAllItems();
    FillColumn({ "pear", "", "apple", "Zebra" });
    EXPECT_EQ((Texts{ "", "Zebra", "apple", "pear" }), SortedAscending());
    ASSERT_TRUE(m_list.SortColumn(0, FALSE));
    EXPECT_EQ((Texts{ "pear", "apple", "Zebra", "" }), Column(0));
}

TEST_F(ReportCtrlTest, LongNumbersSortByTheirFullValue)
{
    // Phone and serial numbers are longer than 32 bits; each must keep its place.
    FillColumn({ "13900000000", "13800138000", "2", "FFFFFFFF", "100000000", "13800138001", "FFFFFFFFF" });
    EXPECT_EQ((std::vector<std::string>{ "2", "FFFFFFFF", "100000000", "FFFFFFFFF", "13800138000", "13800138001",
                                         "13900000000" }),
              SortedAscending());
}

TEST_F(ReportCtrlTest, SeparatorRowsStayAndSplitTheSort)
{
    FillColumn({ "b", "a", "----", "d", "c", "----", "f", "e" });
    m_list.SetSeparatorText("----");
    EXPECT_STREQ("----", m_list.GetSeparatorText());
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "----", "c", "d", "----", "e", "f" }), SortedAscending());
    m_list.SetSeparatorText(NULL);
    EXPECT_EQ((std::vector<std::string>{ "----", "----", "a", "b", "c", "d", "e", "f" }), SortedAscending());
}

TEST_F(ReportCtrlTest, HeaderClicksAlternateTheOrderAndNotify)
{
    m_list.ParseColumnSpec("name;value");
    m_list.InsertItemTexts(0, "x", "2");
    m_list.InsertItemTexts(1, "y", "1");
    m_list.InsertItemTexts(2, "z", "3");
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    CRect rect;
    pHeader->GetItemRect(1, &rect);
    auto clickHeader = [&] {
        CPoint point = rect.CenterPoint();
        pHeader->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        pHeader->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    };
    clickHeader();
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3" }), Column(1));
    clickHeader();
    EXPECT_EQ((std::vector<std::string>{ "3", "2", "1" }), Column(1));
    clickHeader();
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3" }), Column(1));
    std::vector<Note> sorted = m_host.Take(WM_REPORT_SORTED);
    ASSERT_EQ(3u, sorted.size());
    EXPECT_EQ(1u, sorted[0].wParam);
    EXPECT_EQ((std::vector<LPARAM>{ 1, 0, 1 }), (std::vector<LPARAM>{ sorted[0].lParam, sorted[1].lParam, sorted[2].lParam }));

    // A change of text forgets the order, so the next click starts ascending again.
    m_list.SetItemText(0, 0, "w");
    EXPECT_EQ(-1, m_list.GetSortColumn());
    clickHeader();
    EXPECT_TRUE(m_list.IsSortAscending());
    EXPECT_EQ(1, m_list.GetSortColumn());

    m_list.SetSortable(false);
    EXPECT_EQ(-1, m_list.GetSortColumn());
    EXPECT_FALSE(m_list.SortColumn(1, FALSE));
    EXPECT_EQ((std::vector<std::string>{ "1", "2", "3" }), Column(1));
}

TEST_F(ReportCtrlTest, RowsCarryColoursImagesDataAndStatesThroughSortsMovesAndSwaps)
{
    m_list.SetImageListFromBitmap(IDB_REPORT_IMAGES, RGB(255, 0, 255));
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    m_list.ParseColumnSpec("key;other");
    const char* keys[] = { "c", "a", "d", "b" };
    for (int i = 0; i < 4; ++i) {
        int nItem = m_list.InsertItemTexts(i, keys[i], keys[i]);
        m_list.SetItemData(nItem, (DWORD_PTR)keys[i][0]);
        m_list.SetItemImage(nItem, 1, i);
        m_list.SetCellTextColor(nItem, 1, RGB(10 * i, 0, 0), FALSE);
        m_list.SetCellBkColor(nItem, 0, RGB(0, 10 * i, 0), FALSE);
    }
    m_list.SetCheck(0, TRUE);                                   // "c"
    m_list.SetItemStates(2, RC_ITEM_SELECTED | RC_ITEM_FOCUSED); // "d"

    // Each row, wherever it ends, still shows its own key in every column with its own things.
    auto expectRowsIntact = [&](const char* when) {
        for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem) {
            SCOPED_TRACE(std::string(when) + " row " + std::to_string(nItem));
            CString key = m_list.GetItemText(nItem, 0);
            int i = (int)(std::find_if(keys, keys + 4, [&](const char* k) { return key == k; }) - keys);
            ASSERT_LT(i, 4);
            EXPECT_EQ(key, m_list.GetItemText(nItem, 1));
            EXPECT_EQ((DWORD_PTR)keys[i][0], m_list.GetItemData(nItem));
            EXPECT_EQ(i, m_list.GetItemImage(nItem, 1));
            EXPECT_EQ(RGB(10 * i, 0, 0), m_list.GetCellTextColor(nItem, 1));
            EXPECT_EQ(RGB(0, 10 * i, 0), m_list.GetCellBkColor(nItem, 0));
            DWORD expected = (i == 0 ? RC_ITEM_CHECKED : RC_ITEM_UNCHECKED) |
                             (i == 2 ? RC_ITEM_SELECTED | RC_ITEM_FOCUSED : RC_ITEM_UNSELECTED | RC_ITEM_UNFOCUSED);
            EXPECT_EQ(expected, m_list.GetItemStates(nItem));
        }
    };
    EXPECT_EQ((std::vector<std::string>{ "a", "b", "c", "d" }), SortedAscending());
    expectRowsIntact("sorted");
    ASSERT_TRUE(m_list.SortColumn(0, FALSE));
    expectRowsIntact("sorted descending");

    m_list.MoveItemToTop(3);
    EXPECT_EQ(-1, m_list.GetSortColumn());
    EXPECT_EQ((std::vector<std::string>{ "a", "d", "c", "b" }), Column(0));
    m_list.MoveItemToBottom(0);
    m_list.MoveItemDown(0, 1);
    EXPECT_EQ((std::vector<std::string>{ "c", "d", "b", "a" }), Column(0));
    m_list.MoveItemUp(3, 1000);
    EXPECT_EQ((std::vector<std::string>{ "a", "c", "d", "b" }), Column(0));
    EXPECT_FALSE(m_list.MoveItem(9, 0));
    expectRowsIntact("moved");
    m_list.SwapItems(0, 2);
    EXPECT_EQ((std::vector<std::string>{ "d", "c", "a", "b" }), Column(0));
    EXPECT_FALSE(m_list.SwapItems(1, 1));
    expectRowsIntact("swapped");
    EXPECT_EQ(4, m_list.GetItemCount());
}

// ---------------------------------------------------------------------------------------------
// States and check boxes.

TEST_F(ReportCtrlTest, StateFiltersFindCountAndChangeRows)
{
    FillColumn({ "r0", "r1", "r2", "r3", "r4" });
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    m_list.SetCheck(1, TRUE);
    m_list.SetCheck(4, TRUE);
    m_list.SetItemStates(3, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    EXPECT_EQ((DWORD)(RC_ITEM_UNSELECTED | RC_ITEM_CHECKED | RC_ITEM_UNFOCUSED), m_list.GetItemStates(1));

    EXPECT_EQ(5, m_list.GetItemCountByState(RC_ITEM_ALL));
    EXPECT_EQ(0, m_list.GetItemCountByState(0));
    EXPECT_EQ(2, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_UNCHECKED | RC_ITEM_SELECTED));
    EXPECT_EQ(1, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(4, m_list.FindNextItemByState(RC_ITEM_CHECKED, 1));
    EXPECT_EQ(1, m_list.FindNextItemByState(RC_ITEM_CHECKED, -7));
    EXPECT_EQ(-1, m_list.FindNextItemByState(RC_ITEM_CHECKED, 4));
    // Searching upwards from "the end" must see the last row too.
    EXPECT_EQ(4, m_list.FindPrevItemByState(RC_ITEM_CHECKED, -1));
    EXPECT_EQ(4, m_list.FindPrevItemByState(RC_ITEM_CHECKED, 99));
    EXPECT_EQ(1, m_list.FindPrevItemByState(RC_ITEM_CHECKED, 4));
    EXPECT_EQ(-1, m_list.FindPrevItemByState(RC_ITEM_CHECKED, 1));

    m_list.InvertItemStates(RC_INVERT_CHECKMARK);
    EXPECT_EQ(3, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    m_list.InvertItemStates(RC_INVERT_SELECTION);
    EXPECT_EQ(4, m_list.GetItemCountByState(RC_ITEM_SELECTED));
    EXPECT_EQ(4, m_list.ChangeAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED));
    EXPECT_EQ(0, m_list.ChangeAllItemStates(RC_ITEM_ALL, 0));
    EXPECT_EQ(0, m_list.GetItemCountByState(RC_ITEM_SELECTED));

    // Deleting by filter takes exactly the matching rows.
    EXPECT_EQ(3, m_list.DeleteAllItems(RC_ITEM_CHECKED));
    EXPECT_EQ((std::vector<std::string>{ "r1", "r4" }), Column(0));
    EXPECT_EQ(0, m_list.DeleteAllItems(0));
    m_list.DeleteItem(0, TRUE);
    EXPECT_EQ((std::vector<std::string>{ "r4" }), Column(0));
    EXPECT_EQ((DWORD)RC_ITEM_SELECTED, m_list.GetItemStates(0) & RC_ITEM_SELECTED);
}

TEST_F(ReportCtrlTest, SingleCheckModeKeepsOneTickWhicheverWayItIsSet)
{
    FillColumn({ "r0", "r1", "r2", "r3" });
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    m_list.SetCheck(2, TRUE);
    m_list.SetCheck(0, TRUE);
    m_list.SetCheckMode(RC_CHKBOX_SINGLE); // the first ticked row stays
    EXPECT_EQ(0, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    m_list.SetCheck(3, TRUE); // a later row takes the tick from an earlier one
    EXPECT_EQ(3, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    m_list.SetCheck(1, TRUE);
    EXPECT_EQ(1, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    m_list.ChangeAllItemStates(RC_ITEM_ALL, RC_ITEM_CHECKED);
    EXPECT_EQ(0, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));

    m_list.SetCheckMode(RC_CHKBOX_NONE);
    EXPECT_EQ(0u, m_list.CListCtrl::GetExtendedStyle() & LVS_EX_CHECKBOXES);
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    EXPECT_EQ((DWORD)LVS_EX_CHECKBOXES, m_list.CListCtrl::GetExtendedStyle() & LVS_EX_CHECKBOXES);
    m_list.SetCheckMode(7);
    EXPECT_EQ(RC_CHKBOX_NORMAL, m_list.GetCheckMode());
}

TEST_F(ReportCtrlTest, ClickedCheckBoxesFollowTheCheckMode)
{
    FillColumn({ "r0", "r1", "r2" });
    m_list.SetItemStates(0, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    m_list.SetItemStates(2, RC_ITEM_SELECTED);

    // Free: the clicked row becomes the only selected one, takes the focus, and the parent hears.
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    m_list.SetCheck(2, TRUE);
    Click(WM_LBUTTONDOWN, CheckBoxPoint(1));
    EXPECT_EQ((DWORD)(RC_ITEM_SELECTED | RC_ITEM_CHECKED | RC_ITEM_FOCUSED), m_list.GetItemStates(1));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_SELECTED));
    EXPECT_EQ(2, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    std::vector<Note> checked = m_host.Take(WM_REPORT_CHECKED);
    ASSERT_EQ(1u, checked.size());
    EXPECT_EQ(1u, checked[0].wParam);
    EXPECT_EQ(WM_LBUTTONDOWN, (UINT)checked[0].lParam);

    // Single: ticking a row unticks the others.
    m_list.SetCheckMode(RC_CHKBOX_SINGLE);
    m_list.SetCheck(0, TRUE);
    m_host.m_notes.clear();
    Click(WM_LBUTTONDOWN, CheckBoxPoint(2));
    EXPECT_EQ(2, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1u, m_host.Take(WM_REPORT_CHECKED).size());

    // Read-only: the click is undone and nobody hears of it.
    m_list.SetCheckMode(RC_CHKBOX_DISABLED);
    m_host.m_notes.clear();
    Click(WM_LBUTTONDOWN, CheckBoxPoint(2));
    Click(WM_LBUTTONDOWN, CheckBoxPoint(0));
    EXPECT_EQ(2, m_list.FindNextItemByState(RC_ITEM_CHECKED));
    EXPECT_EQ(1, m_list.GetItemCountByState(RC_ITEM_CHECKED));
    EXPECT_TRUE(m_host.m_notes.empty());

    // The space bar never reaches the list view, so it cannot bypass these rules.
    m_list.SetCheckMode(RC_CHKBOX_NORMAL);
    EXPECT_TRUE(PressKey(m_list.m_hWnd, VK_SPACE));
}

// ---------------------------------------------------------------------------------------------
// Colours and images.

TEST_F(ReportCtrlTest, CellColoursApplyToCellRowColumnOrAllAndArePainted)
{
    m_list.ParseColumnSpec("a;b;c");
    for (int i = 0; i < 3; ++i)
        m_list.InsertItemTexts(i, "x", "y", "z");
    const COLORREF red = RGB(200, 0, 0), green = RGB(0, 180, 0), blue = RGB(0, 0, 220);
    m_list.SetCellTextColor(-1, -1, red, FALSE);
    m_list.SetCellTextColor(1, 99, green, FALSE);
    m_list.SetCellTextColor(-5, 2, blue, FALSE);
    m_list.SetCellTextColor(0, 0, RC_DEFAULT_COLOR, FALSE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), m_list.GetCellTextColor(0, 0));
    EXPECT_EQ(red, m_list.GetCellTextColor(0, 1));
    EXPECT_EQ(green, m_list.GetCellTextColor(1, 0));
    EXPECT_EQ(blue, m_list.GetCellTextColor(1, 2));
    EXPECT_EQ(RC_DEFAULT_COLOR, m_list.GetCellTextColor(3, 0));
    EXPECT_EQ(RC_DEFAULT_COLOR, m_list.GetCellBkColor(0, 3));
    m_list.SetCellTextColor(-1, -1, RC_DEFAULT_COLOR, TRUE);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), m_list.GetCellTextColor(1, 2));

    // A new column starts in the system colours in every row, and the others keep theirs.
    m_list.SetCellBkColor(2, -1, green, FALSE);
    m_list.InsertColumn(1, "new");
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), m_list.GetCellBkColor(2, 1));
    EXPECT_EQ(green, m_list.GetCellBkColor(2, 2));
    m_list.DeleteColumn(1);
    EXPECT_EQ(green, m_list.GetCellBkColor(2, 1));

    // The background is what the list view actually paints behind the cell.
    m_list.SetCellBkColor(1, 1, blue, TRUE);
    CRect cell;
    m_list.GetSubItemRect(1, 1, LVIR_LABEL, cell);
    CClientDC dc(&m_list);
    EXPECT_EQ(blue, ::GetPixel(dc, cell.right - 3, cell.CenterPoint().y));
    EXPECT_EQ(green, ::GetPixel(dc, cell.right - 3, cell.CenterPoint().y + cell.Height()));
}

TEST_F(ReportCtrlTest, HeaderImagesComeFromTheRowListOrTheirOwn)
{
    m_list.ParseColumnSpec("a;b");
    ASSERT_TRUE(m_list.SetImageListFromBitmap(IDB_REPORT_IMAGES, RGB(255, 0, 255)));
    ASSERT_NE(nullptr, m_list.GetImageList());
    EXPECT_EQ(4, m_list.GetImageList()->GetImageCount());
    EXPECT_FALSE(m_list.SetImageListFromBitmap(9999, RGB(255, 0, 255)));
    EXPECT_EQ(4, m_list.GetImageList()->GetImageCount());

    // The sort mark of a column: on the right of its title, from the row images by default.
    ASSERT_TRUE(m_list.SetHeaderImage(1, 2, FALSE));
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    EXPECT_EQ(m_list.GetImageList()->m_hImageList, pHeader->GetImageList()->m_hImageList);
    EXPECT_EQ(2, m_list.GetHeaderImage(1));
    HDITEM item = {};
    item.mask = HDI_FORMAT;
    pHeader->GetItem(1, &item);
    EXPECT_EQ(HDF_IMAGE | HDF_BITMAP_ON_RIGHT, item.fmt & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT));
    ASSERT_TRUE(m_list.SetHeaderImage(1, 3, TRUE));
    pHeader->GetItem(1, &item);
    EXPECT_EQ(HDF_IMAGE, item.fmt & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT));
    EXPECT_EQ(-1, m_list.GetHeaderImage(5));

    ASSERT_TRUE(m_list.SetHeaderImageListFromBitmap(IDB_REPORT_IMAGES, RGB(255, 0, 255)));
    EXPECT_NE(m_list.GetImageList()->m_hImageList, pHeader->GetImageList()->m_hImageList);
    EXPECT_STREQ("b", m_list.GetHeaderText(1));
    m_list.SetHeaderText(1, "新标题");
    EXPECT_STREQ("新标题", m_list.GetHeaderText(1));
}

// ---------------------------------------------------------------------------------------------
// The in-place editor.

TEST_F(ReportCtrlTest, SecondClickOpensTheEditorAndKeysCommitOrCancel)
{
    m_list.ParseColumnSpec("name;phone;note,100,1");
    m_list.InsertItemTexts(0, "a", "111", "n0");
    m_list.InsertItemTexts(1, "b", "222", "n1");
    m_list.SetEditable(TRUE);

    Click(WM_LBUTTONDOWN, CellPoint(1, 1));
    EXPECT_FALSE(m_list.IsEditing()); // the first click only selects
    Click(WM_LBUTTONDOWN, CellPoint(1, 1));
    ASSERT_TRUE(m_list.IsEditing());
    CEdit* pEdit = m_list.GetEditControl();
    EXPECT_STREQ("222", [&] { CString t; pEdit->GetWindowText(t); return t; }());

    pEdit->SetWindowText("13800138000");
    EXPECT_TRUE(PressKey(pEdit->m_hWnd, VK_RETURN));
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_FALSE(pEdit->IsWindowVisible());
    EXPECT_STREQ("13800138000", m_list.GetItemText(1, 1));
    std::vector<Note> edited = m_host.Take(WM_REPORT_EDITED);
    ASSERT_EQ(1u, edited.size());
    EXPECT_EQ(1u, edited[0].wParam);
    EXPECT_EQ(1, edited[0].lParam);

    // Esc leaves the text and tells nobody; an unchanged commit tells nobody either.
    m_host.m_notes.clear();
    m_list.BeginCellEdit(0, 0);
    m_list.GetEditControl()->SetWindowText("changed");
    EXPECT_TRUE(PressKey(m_list.GetEditControl()->m_hWnd, VK_ESCAPE));
    EXPECT_STREQ("a", m_list.GetItemText(0, 0));
    m_list.BeginCellEdit(0, 0);
    EXPECT_FALSE(m_list.EndCellEdit(TRUE));
    EXPECT_TRUE(m_host.m_notes.empty());

    // A click while editing only commits.
    m_list.BeginCellEdit(0, 0);
    m_list.GetEditControl()->SetWindowText("a2");
    Click(WM_LBUTTONDOWN, CellPoint(0, 0));
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_STREQ("a2", m_list.GetItemText(0, 0));
}

TEST_F(ReportCtrlTest, EditorTravelsWithTabAndArrowKeys)
{
    m_list.ParseColumnSpec("name;phone;note,100,1");
    m_list.InsertItemTexts(0, "a", "111", "n0");
    m_list.InsertItemTexts(1, "b", "222", "n1");
    m_list.SetEditable(TRUE);

    m_list.BeginCellEdit(0, 2); // a centred column gets a centred editor
    EXPECT_EQ((DWORD)ES_CENTER, m_list.GetEditControl()->GetStyle() & (ES_CENTER | ES_RIGHT));
    m_list.GetEditControl()->SetWindowText("note");
    PressKey(m_list.GetEditControl()->m_hWnd, VK_TAB); // from the last column back to column 0
    EXPECT_STREQ("note", m_list.GetItemText(0, 2));
    EXPECT_TRUE(m_list.IsEditing());
    EXPECT_EQ((DWORD)RC_ITEM_SELECTED | RC_ITEM_FOCUSED,
              m_list.GetItemStates(0) & (RC_ITEM_SELECTED | RC_ITEM_FOCUSED));
    EXPECT_EQ(0u, m_list.GetEditControl()->GetStyle() & (ES_CENTER | ES_RIGHT));

    EXPECT_FALSE(PressKey(m_list.GetEditControl()->m_hWnd, VK_UP)); // row 0: the key goes on
    EXPECT_TRUE(m_list.IsEditing());
    EXPECT_TRUE(PressKey(m_list.GetEditControl()->m_hWnd, VK_DOWN));
    EXPECT_TRUE(m_list.IsEditing());
    EXPECT_EQ((DWORD)RC_ITEM_SELECTED, m_list.GetItemStates(1) & RC_ITEM_SELECTED);
    EXPECT_EQ(0u, m_list.GetItemStates(0) & RC_ITEM_SELECTED);
    EXPECT_FALSE(PressKey(m_list.GetEditControl()->m_hWnd, VK_DOWN)); // last row

    // Changing the rows ends the edit: deleting the edited row cancels it.
    m_list.GetEditControl()->SetWindowText("lost");
    m_list.DeleteItem(1);
    EXPECT_FALSE(m_list.IsEditing());
    EXPECT_EQ((std::vector<std::string>{ "a" }), Column(0));
    m_list.SetEditable(FALSE);
    m_list.BeginCellEdit(0, 0);
    EXPECT_FALSE(m_list.IsEditing());
}

} // namespace
