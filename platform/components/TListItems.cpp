#include "components/TListItems.h"

#include "components/Win32.h"

#include <commctrl.h>

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TCustomListView.h"
#include "components/TListItem.h"

const TClassInfo& TListItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListItem>("TListItem").Build();
    return info;
}

const TClassInfo& TListItems::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListItems>("TListItems").Build();
    return info;
}

// ---- one row ----------------------------------------------------------------------------------

TListItem::TListItem(TListItems* owner) : FOwner(owner) {
    FSubItems.OnChange = [this](TObject*) {
        if (FOwner) FOwner->ItemChanged(this);
    };
}

void TListItem::SetCaption(const std::string& caption) {
    FCaption = caption;
    if (FOwner) FOwner->ItemChanged(this);
}

void TListItem::SetImageIndex(int index) {
    FImageIndex = index;
    if (FOwner) FOwner->ItemChanged(this);
}

int TListItem::Index() const {
    if (FOwnerDataIndex >= 0) return FOwnerDataIndex;
    return FOwner ? FOwner->IndexOf(this) : -1;
}

bool TListItem::Selected() const {
    TCustomListView& view = FOwner->View();
    if (!view.HandleAllocated()) return false;
    return SendMessageA(view.Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_SELECTED) != 0;
}

void TListItem::SetSelected(bool selected) {
    TCustomListView& view = FOwner->View();
    if (!view.HandleAllocated()) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = selected ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
    SendMessageA(view.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::Delete() { FOwner->Delete(Index()); }

// ---- the rows -----------------------------------------------------------------------------------

TListItems::~TListItems() {
    for (TListItem* item : FItems) delete item;
}

bool TListItems::OwnerData() const { return FView.OwnerData(); }

int TListItems::Count() const { return OwnerData() ? FOwnerDataCount : static_cast<int>(FItems.size()); }

void TListItems::SetCount(int count) {
    if (!OwnerData()) return;
    FOwnerDataCount = std::max(0, count);
    // The rows shown are painted anew; the view keeps its scroll position.
    if (FView.HandleAllocated()) SendMessageA(FView.Handle(), LVM_SETITEMCOUNT, static_cast<WPARAM>(FOwnerDataCount), LVSICF_NOSCROLL);
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    if (!OwnerData()) return FItems[static_cast<size_t>(index)];
    auto& self = const_cast<TListItems&>(*this);
    if (!self.FOwnerDataItem) self.FOwnerDataItem = std::make_unique<TListItem>(nullptr);
    TListItem* item = self.FOwnerDataItem.get();
    item->FOwner = nullptr;  // filling it must not reach the window
    item->FCaption.clear();
    item->FSubItems.Clear();
    item->FData = nullptr;
    item->FImageIndex = -1;
    item->FOwnerDataIndex = index;
    if (FView.OnData) FView.OnData(&FView, item);
    item->FOwner = &self;
    return item;
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
    if (OwnerData()) throw EListError("An owner-data list view keeps no rows of its own");
    index = std::max(0, std::min(index, Count()));
    auto* item = new TListItem(this);
    FItems.insert(FItems.begin() + index, item);
    InsertIntoWindow(index);
    return item;
}

void TListItems::Delete(int index) {
    if (OwnerData()) throw EListError("An owner-data list view keeps no rows of its own");
    TListItem* item = Item(index);
    FItems.erase(FItems.begin() + index);
    if (FView.HandleAllocated()) SendMessageA(FView.Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    item->FOwner = nullptr;
    delete item;
}

void TListItems::Clear() {
    if (OwnerData()) {
        SetCount(0);
        return;
    }
    if (FView.HandleAllocated()) SendMessageA(FView.Handle(), LVM_DELETEALLITEMS, 0, 0);
    for (TListItem* item : FItems) delete item;
    FItems.clear();
}

int TListItems::IndexOf(const TListItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TListItems::BeginUpdate() {
    if (FUpdateCount++ == 0 && FView.HandleAllocated()) SendMessageA(FView.Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FView.HandleAllocated()) {
        SendMessageA(FView.Handle(), WM_SETREDRAW, TRUE, 0);
        FView.Invalidate();
    }
}

void TListItems::InsertIntoWindow(int index) {
    if (!FView.HandleAllocated()) return;
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_PARAM;
    row.iItem = index;
    row.pszText = LPSTR_TEXTCALLBACKA;
    row.lParam = reinterpret_cast<LPARAM>(FItems[static_cast<size_t>(index)]);
    SendMessageA(FView.Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    // Every cell asks the row for its text when shown (LVN_GETDISPINFO).
    for (int column = 1; column < FView.Columns()->Count(); ++column) {
        LVITEMA cell{};
        cell.iSubItem = column;
        cell.pszText = LPSTR_TEXTCALLBACKA;
        SendMessageA(FView.Handle(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
    }
}

void TListItems::PushToWindow() {
    if (OwnerData()) {
        SetCount(FOwnerDataCount);
        return;
    }
    for (int i = 0; i < Count(); ++i) InsertIntoWindow(i);
}

void TListItems::ItemChanged(TListItem* item) {
    // Within an update the whole view is shown again at its end; an owner-data row changes
    // where its owner keeps it.
    if (FUpdateCount > 0 || OwnerData()) return;
    const int index = IndexOf(item);
    if (index >= 0 && FView.HandleAllocated()) SendMessageA(FView.Handle(), LVM_UPDATE, static_cast<WPARAM>(index), 0);
}
