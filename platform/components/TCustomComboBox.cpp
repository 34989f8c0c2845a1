#include "components/TCustomComboBox.h"

#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TEnumType ComboBoxStyleType{"TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}};

const TClassInfo& TCustomComboBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomComboBox>("TCustomComboBox")
        .Int("DropDownCount", &TCustomComboBox::DropDownCount, &TCustomComboBox::SetDropDownCount).Default(8)
        .Int("ItemHeight", &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight)
        .Object("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
        .Int("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex).Default(-1)
        .Bool("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted).Default(0)
        .Enum("Style", ComboBoxStyleType, &TCustomComboBox::Style, &TCustomComboBox::SetStyle).Default(csDropDown)
        .Str("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText)
        .Event("OnChange", &TCustomComboBox::OnChange)
        .Event("OnSelect", &TCustomComboBox::OnSelect)
        .Build();
    return info;
}

const TClassInfo& TComboBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComboBox>("TComboBox").Build();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TItemStrings>(*this, ComboBoxMessages)) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() { DestroyHandle(); }

void TCustomComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "COMBOBOX";
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | styles[FStyle] | (FSorted ? CBS_SORT : 0);
    if (FStyle >= csOwnerDrawFixed) params.Style |= CBS_HASSTRINGS;
}

int TCustomComboBox::WindowHeightFor(int height) const {
    return FStyle == csSimple ? height : height + FItemHeight * FDropDownCount + 2;
}

void TCustomComboBox::InitializeWindow() {
    TWinControl::InitializeWindow();
    FItems->PushToWindow();
    if (FItemIndex >= 0) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TCustomComboBox::DestroyWnd() {
    FItemIndex = ItemIndex();
    FItems->PullFromWindow();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
}

int TCustomComboBox::ItemIndex() {
    if (HandleAllocated()) return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    return FItemIndex;
}

void TCustomComboBox::SetItemIndex(int index) {
    FItemIndex = index;
    if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == FStyle) return;
    FStyle = style;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool sorted) {
    if (sorted == FSorted) return;
    FSorted = sorted;
    RecreateWnd();
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::SetDroppedDown(bool down) { SendMessageA(Handle(), CB_SHOWDROPDOWN, down, 0); }

void TCustomComboBox::Clear() {
    FItems->Clear();
    SetText("");
}

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect) OnSelect(this);
    else Change();
}

void TCustomComboBox::DrawItem(int index, const TRect& r, UINT state, HDC dc) {
    const bool selected = (state & ODS_SELECTED) != 0;
    SetBkColor(dc, ColorToRGB(selected ? clHighlight : Color()));
    SetTextColor(dc, ColorToRGB(selected ? clHighlightText : Font()->Color()));
    const RECT rc = r.ToRECT();
    const std::string text = index >= 0 ? FItems->Get(index) : "";
    ExtTextOutA(dc, r.Left + 2, r.Top + 1, ETO_OPAQUE | ETO_CLIPPED, &rc, text.data(), static_cast<UINT>(text.size()), nullptr);
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
            // The edit part shows the new item only after this notice; the text is set now.
            if (ItemIndex() >= 0) SetWindowTextA(Handle(), FItems->Get(ItemIndex()).c_str());
            Select();
            break;
        case CBN_EDITCHANGE:
            Change();
            break;
        default:
            break;
        }
        return;
    case CN_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        DrawItem(static_cast<int>(draw->itemID), TRect::From(draw->rcItem), draw->itemState, draw->hDC);
        if (draw->itemState & ODS_FOCUS) DrawFocusRect(draw->hDC, &draw->rcItem);
        m.Result = 1;
        return;
    }
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(FItemHeight);
        m.Result = 1;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}
