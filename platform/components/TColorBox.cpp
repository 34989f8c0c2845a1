#include "components/TColorBox.h"

#include <commdlg.h>

#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"

const TEnumType ColorBoxStyleType{"TColorBoxStyles", {"cbStandardColors", "cbExtendedColors", "cbSystemColors", "cbIncludeNone",
                                                     "cbIncludeDefault", "cbCustomColor", "cbPrettyNames"}};

const TClassInfo& TColorBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TColorBox>("TColorBox")
        .Color("Selected", &TColorBox::Selected, &TColorBox::SetSelected)
        .Set("Style", ColorBoxStyleType, &TColorBox::ColorStyle, &TColorBox::SetColorStyle)
        .Build();
    return info;
}

namespace {
const char* const CustomEntry = "Custom...";
struct TNamedColor {
    TColor Value;
    const char* Name;
};
const TNamedColor ExtendedColors[] = {{0xC0DCC0, "clMoneyGreen"}, {0xF0CAA6, "clSkyBlue"}, {0xF0FBFF, "clCream"}, {0xA4A0A0, "clMedGray"}};
}  // namespace

TColorBox::TColorBox(TComponent* owner) : TCustomComboBox(owner) {
    TCustomComboBox::SetStyle(csOwnerDrawFixed);
    SetItemHeight(16);
}

void TColorBox::Loaded() {
    TCustomComboBox::Loaded();
    PopulateList();
}

void TColorBox::SetColorStyle(TColorBoxStyle style) {
    if (style == FColorStyle) return;
    FColorStyle = style;
    FPopulated = false;
    if (!InState(csLoading)) PopulateList();
}

void TColorBox::PopulateList() {
    if (FPopulated) return;
    FPopulated = true;
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    auto add = [&](TColor value, const std::string& name) {
        const std::string shown = (FColorStyle & cbPrettyNames) && name.rfind("cl", 0) == 0 ? name.substr(2) : name;
        items->AddObject(shown, reinterpret_cast<TObject*>(static_cast<INT_PTR>(value)));
    };
    if (FColorStyle & cbCustomColor) add(clBlack, CustomEntry);
    for (const auto& entry : ColorIdents.Entries) {
        const TColor value = static_cast<TColor>(entry.first);
        const bool system = (value & clSystemColor) != 0;
        if (value == clNone) {
            if (FColorStyle & cbIncludeNone) add(value, entry.second);
        } else if (value == clDefault) {
            if (FColorStyle & cbIncludeDefault) add(value, entry.second);
        } else if (system ? (FColorStyle & cbSystemColors) : (FColorStyle & cbStandardColors)) {
            add(value, entry.second);
        }
        if (entry.second == "clWhite" && (FColorStyle & cbExtendedColors))
            for (const auto& extended : ExtendedColors) add(extended.Value, extended.Name);
    }
    items->EndUpdate();
    SetSelected(FSelected);
}

TColor TColorBox::Colors(int index) { return static_cast<TColor>(reinterpret_cast<INT_PTR>(Items()->Objects(index))); }

std::string TColorBox::ColorNames(int index) { return Items()->Get(index); }

TColor TColorBox::Selected() {
    const int index = ItemIndex();
    if (index < 0) return FSelected;
    if ((FColorStyle & cbCustomColor) && index == 0) return FSelected;
    return Colors(index);
}

void TColorBox::SetSelected(TColor color) {
    FSelected = color;
    if (InState(csLoading) || !FPopulated) return;
    const int first = (FColorStyle & cbCustomColor) ? 1 : 0;
    for (int i = first; i < Items()->Count(); ++i)
        if (Colors(i) == color) return SetItemIndex(i);
    // A colour the list lacks: the custom entry holds it, or a new entry named by its value.
    if (FColorStyle & cbCustomColor) {
        Items()->PutObject(0, reinterpret_cast<TObject*>(static_cast<INT_PTR>(color)));
        return SetItemIndex(0);
    }
    Items()->Insert(0, "$" + IntToHex(static_cast<unsigned>(color), 6));
    Items()->PutObject(0, reinterpret_cast<TObject*>(static_cast<INT_PTR>(color)));
    SetItemIndex(0);
}

void TColorBox::InitializeWindow() {
    TCustomComboBox::InitializeWindow();
    PopulateList();
}

void TColorBox::PickCustomColor() {
    static COLORREF custom[16] = {0};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.rgbResult = ColorToRGB(FSelected);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&choose)) {
        FSelected = static_cast<TColor>(choose.rgbResult);
        Items()->PutObject(0, reinterpret_cast<TObject*>(static_cast<INT_PTR>(FSelected)));
        Invalidate();
    }
}

void TColorBox::Select() {
    if ((FColorStyle & cbCustomColor) && ItemIndex() == 0 && !DroppedDown()) PickCustomColor();
    else if (ItemIndex() >= 0) FSelected = Colors(ItemIndex());
    TCustomComboBox::Select();
}

void TColorBox::DrawItem(int index, const TRect& r, UINT state, HDC dc) {
    const bool selected = (state & ODS_SELECTED) != 0;
    HBRUSH back = CreateSolidBrush(ColorToRGB(selected ? clHighlight : Color()));
    const RECT rc = r.ToRECT();
    FillRect(dc, &rc, back);
    DeleteObject(back);
    if (index < 0) return;
    const TColor value = Colors(index);
    RECT swatch{r.Left + 2, r.Top + 2, r.Left + 2 + r.Height() - 4 + 8, r.Bottom - 2};
    HBRUSH fill = CreateSolidBrush(ColorToRGB(value));
    FillRect(dc, &swatch, fill);
    DeleteObject(fill);
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(selected ? clHighlightText : Font()->Color()));
    RECT text{swatch.right + 4, r.Top, r.Right, r.Bottom};
    const std::string name = Items()->Get(index);
    DrawTextA(dc, name.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
