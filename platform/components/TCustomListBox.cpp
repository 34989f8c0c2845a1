#include "components/TCustomListBox.h"

#include "components/TClassInfo.h"

const TClassInfo& TCustomListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomListBox>("TCustomListBox")
        .Object("Items", &TCustomListBox::Items, &TCustomListBox::SetItems)
        .Int("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1)
        .Bool("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(0)
        .Bool("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(0)
        .Build();
    return info;
}

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TListBox>("TListBox").Build();
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner), FItems(std::make_unique<TItemStrings>(*this, ListBoxMessages)) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() { DestroyHandle(); }

void TCustomListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | (FSorted ? LBS_SORT : 0) | (FMultiSelect ? LBS_EXTENDEDSEL : 0);
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::InitializeWindow() {
    TWinControl::InitializeWindow();
    FItems->PushToWindow();
    if (FItemIndex >= 0) SetItemIndex(FItemIndex);
}

void TCustomListBox::DestroyWnd() {
    FItemIndex = ItemIndex();
    FItems->PullFromWindow();
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
    if (!HandleAllocated()) return FItemIndex;
    const UINT message = FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
    return static_cast<int>(SendMessageA(Handle(), message, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
    FItemIndex = index;
    if (!HandleAllocated()) return;
    if (FMultiSelect) SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    else SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomListBox::Selected(int index) { return SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0) > 0; }

void TCustomListBox::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    FSorted = sorted;
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool multi) {
    if (multi == FMultiSelect) return;
    FMultiSelect = multi;
    RecreateWnd();
}

void TCustomListBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        switch (HIWORD(m.WParam)) {
        case LBN_SELCHANGE: Click(); break;
        case LBN_DBLCLK: DblClick(); break;
        default: break;
        }
        return;
    }
    TWinControl::WndProc(m);
}
