#include "components/TCustomListView.h"

#include <commctrl.h>

#include <cstring>

#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TImageList.h"
#include "components/TextCodec.h"

const TEnumType ViewStyleType{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};

const TClassInfo& TCustomListView::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomListView>("TCustomListView")
        .Object("Columns", &TCustomListView::Columns, &TCustomListView::SetColumns)
        .Bool("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines).Default(0)
        .Bool("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection).Default(1)
        .Bool("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect).Default(0)
        .Bool("OwnerData", &TCustomListView::OwnerData, &TCustomListView::SetOwnerData).Default(0)
        .Bool("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly).Default(0)
        .Bool("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect).Default(0)
        .Object("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages)
        .Enum("ViewStyle", ViewStyleType, &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle).Default(vsIcon)
        .Event("OnSelectItem", &TCustomListView::OnSelectItem)
        .Event("OnData", &TCustomListView::OnData)
        .Build();
    return info;
}

const TClassInfo& TListView::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListView>("TListView").Build();
    return info;
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner), FItems(*this) {
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FColumns.OnUpdate = [this](TCollectionItem*) { UpdateColumns(); };
}

TCustomListView::~TCustomListView() { DestroyHandle(); }

void TCustomListView::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    StartCommonControls();
    params.BaseClassName = WC_LISTVIEWA;
    static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    params.Style |= styles[FViewStyle] | LVS_SHAREIMAGELISTS | (FReadOnly ? 0 : LVS_EDITLABELS) | (FHideSelection ? 0 : LVS_SHOWSELALWAYS) |
                    (FMultiSelect ? 0 : LVS_SINGLESEL) | (FOwnerData ? LVS_OWNERDATA : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::InitializeWindow() {
    TWinControl::InitializeWindow();
    UpdateExtendedStyle();
    if (FSmallImages) SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(FSmallImages->Handle()));
    UpdateColumns();
    FItems.PushToWindow();
}

void TCustomListView::UpdateExtendedStyle() {
    if (!HandleAllocated()) return;
    const DWORD style = (FRowSelect ? LVS_EX_FULLROWSELECT : 0) | (FGridLines ? LVS_EX_GRIDLINES : 0);
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, style);
}

void TCustomListView::UpdateColumns() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    while (SendMessageA(window, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < FColumns.Count(); ++i) {
        TListColumn* column = FColumns[i];
        std::string caption = column->Caption();
        LVCOLUMNA info{};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        info.fmt = column->Alignment() == taCenter ? LVCFMT_CENTER : column->Alignment() == taRightJustify ? LVCFMT_RIGHT : LVCFMT_LEFT;
        // The first column is always left-aligned by the list view itself.
        if (i == 0) info.fmt = LVCFMT_LEFT;
        info.cx = column->Width();
        info.pszText = caption.data();
        info.iSubItem = i;
        SendMessageA(window, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
}

void TCustomListView::SetViewStyle(TViewStyle style) {
    if (style == FViewStyle) return;
    FViewStyle = style;
    if (HandleAllocated()) {
        static const DWORD styles[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
        const LONG current = GetWindowLongA(Handle(), GWL_STYLE);
        SetWindowLongA(Handle(), GWL_STYLE, (current & ~static_cast<LONG>(LVS_TYPEMASK)) | static_cast<LONG>(styles[style]));
    }
}

void TCustomListView::SetReadOnly(bool readOnly) {
    if (readOnly == FReadOnly) return;
    FReadOnly = readOnly;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool rowSelect) {
    FRowSelect = rowSelect;
    UpdateExtendedStyle();
}

void TCustomListView::SetGridLines(bool gridLines) {
    FGridLines = gridLines;
    UpdateExtendedStyle();
}

void TCustomListView::SetHideSelection(bool hide) {
    if (hide == FHideSelection) return;
    FHideSelection = hide;
    RecreateWnd();
}

void TCustomListView::SetMultiSelect(bool multi) {
    if (multi == FMultiSelect) return;
    FMultiSelect = multi;
    RecreateWnd();
}

void TCustomListView::SetOwnerData(bool ownerData) {
    if (ownerData == FOwnerData) return;
    // The rows kept so far belong to the mode that ends.
    FItems.Clear();
    FOwnerData = ownerData;
    RecreateWnd();
}

void TCustomListView::SetSmallImages(TImageList* images) {
    if (FSmallImages) FSmallImages->RemoveFreeNotification(this);
    FSmallImages = images;
    if (images) images->FreeNotification(this);
    if (HandleAllocated())
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FSmallImages) FSmallImages = nullptr;
}

int TCustomListView::ItemIndex() {
    if (!HandleAllocated()) return -1;
    return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

TListItem* TCustomListView::Selected() {
    const int index = ItemIndex();
    return index >= 0 && index < FItems.Count() ? FItems.Item(index) : nullptr;
}

void TCustomListView::SetSelected(TListItem* item) {
    if (TListItem* current = Selected()) current->SetSelected(false);
    if (item) item->SetSelected(true);
}

void TCustomListView::GiveCellText(NMHDR* header) {
    const bool wide = header->code == LVN_GETDISPINFOW;
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    LVITEMA& cell = info->item;
    if (!(cell.mask & LVIF_TEXT) || cell.iItem < 0 || cell.iItem >= FItems.Count() || !cell.pszText || cell.cchTextMax <= 0) return;
    TListItem* item = FItems.Item(cell.iItem);
    if (cell.iSubItem == 0) FTextBuffer = item->Caption();
    else if (cell.iSubItem - 1 < item->SubItems()->Count()) FTextBuffer = item->SubItems()->Get(cell.iSubItem - 1);
    else FTextBuffer.clear();
    if (wide) {
        FWideBuffer = GbkToWide(FTextBuffer);
        auto* target = reinterpret_cast<wchar_t*>(cell.pszText);
        const size_t n = std::min(FWideBuffer.size(), static_cast<size_t>(cell.cchTextMax - 1));
        std::memcpy(target, FWideBuffer.data(), n * sizeof(wchar_t));
        target[n] = L'\0';
    } else {
        lstrcpynA(cell.pszText, FTextBuffer.c_str(), cell.cchTextMax);
    }
}

void TCustomListView::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        switch (header->code) {
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW:
            GiveCellText(header);
            break;
        case NM_CLICK:
            Click();
            break;
        case NM_DBLCLK:
            DblClick();
            break;
        case LVN_ITEMCHANGED: {
            auto* change = reinterpret_cast<NMLISTVIEW*>(m.LParam);
            const bool wasSelected = (change->uOldState & LVIS_SELECTED) != 0;
            const bool isSelected = (change->uNewState & LVIS_SELECTED) != 0;
            if ((change->uChanged & LVIF_STATE) && wasSelected != isSelected && OnSelectItem && change->iItem >= 0 && change->iItem < FItems.Count())
                OnSelectItem(this, FItems.Item(change->iItem), isSelected);
            break;
        }
        default:
            break;
        }
        return;
    }
    TWinControl::WndProc(m);
}
