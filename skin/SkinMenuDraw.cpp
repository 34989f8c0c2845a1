#include "SkinMenuDraw.h"

#include <algorithm>
#include <memory>

#include "SkinDraw.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"
#include "components/TImageList.h"
#include "components/TMenu.h"

namespace {

constexpr UINT MeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;  // 0x560
constexpr UINT DrawFlags = DT_EXPANDTABS | DT_SINGLELINE;                              // 0x60
constexpr int GlyphSize = 16;
constexpr int CheckMarkBitmap = 32760;  // the system's check mark (OBM_CHECK)

struct TItemLayout {
    TMenu* Menu = nullptr;
    TImageList* Images = nullptr;
    int Glyph = GlyphSize;
    int LeftWidth = 0;  // the skin's menu-item border, before the glyph
};

TItemLayout LayoutOf(TWinSkinForm* form, TMenuItem* item) {
    TItemLayout layout;
    layout.Menu = item->GetParentMenu();
    if (!layout.Menu) layout.Menu = form->MenuBarMenu();
    layout.Images = layout.Menu ? layout.Menu->Images() : nullptr;
    if (layout.Images) layout.Glyph = layout.Images->Width();
    if (item->Checked()) layout.Glyph = std::max(layout.Glyph, GlyphSize);
    if (form->SkinData && form->SkinData->Objects.MenuItem) layout.LeftWidth = form->SkinData->Objects.MenuItem->LeftWidth;
    return layout;
}

// The box filled with the checked-button pattern and sunk, under a checked item's image.
void DrawCheckedBox(HDC dc, RECT box) {
    static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
    HBRUSH brush = CreatePatternBrush(bits);
    const COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    FillRect(dc, &box, brush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    DeleteObject(brush);
    DeleteObject(bits);
    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
}

// The system's check mark in the button-text colour, its white left out.
void DrawCheckMark(HDC dc, const RECT& box, const RECT& item) {
    HBITMAP mark = LoadBitmapA(nullptr, MAKEINTRESOURCEA(CheckMarkBitmap));
    if (!mark) return;
    BITMAP info{};
    GetObjectA(mark, sizeof info, &info);
    TBitmap coloured;
    coloured.SetPixelFormat(pf24bit);
    coloured.SetSize(info.bmWidth, info.bmHeight);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, mark);
    HDC target = coloured.Canvas()->Handle();
    // A monochrome copy takes the text colour for its black and the background for its white.
    SetTextColor(target, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(target, ColorToRGB(SkinKeyColour));
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(mark);
    const int x = box.left + ((box.right - box.left) - info.bmWidth) / 2 + 1;
    const int y = item.top + ((item.bottom - item.top) - info.bmHeight) / 2 + 1;
    TransparentBlit(dc, TRect{x, y, x + info.bmWidth, y + info.bmHeight}, &coloured, SkinKeyColour);
}

void DrawGlyph(TItemLayout& layout, TMenuItem* item, TCanvas* canvas, const RECT& box, const RECT& r) {
    const int index = item->ImageIndex();
    if (layout.Images && index >= 0 && index < layout.Images->Count()) {
        if (item->Checked()) DrawCheckedBox(canvas->Handle(), box);
        layout.Images->Draw(canvas, box.left, box.top, index, item->Enabled());
    } else if (item->Checked()) {
        DrawCheckMark(canvas->Handle(), box, r);
    }
}

// Measures the caption in the rectangle and moves the rectangle down to centre it in the item.
RECT CentredCaption(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, bool selected, RECT text, const std::wstring& caption,
                    UINT measureFlags, int itemHeight, RECT& measured) {
    measured = text;
    DrawMenuItemText(form, item, canvas, measureFlags, selected, measured, caption);
    const int shift = (itemHeight - (measured.bottom - measured.top)) / 2;
    OffsetRect(&text, 0, shift);
    OffsetRect(&measured, 0, shift);
    return text;
}

}  // namespace

void DrawMenuItemText(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, UINT format, bool selected, RECT& r,
                      std::wstring text) {
    if ((format & DT_CALCRECT) && (text.empty() || text == L"&")) text += L' ';
    HDC dc = canvas->Handle();
    if (text == L"-") {
        if (format & DT_CALCRECT) return;
        RECT line = r;
        line.top += 4;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    canvas->Brush()->SetStyle(bsClear);
    if (item->Default()) canvas->Font()->SetStyle(canvas->Font()->Style() | fsBold);
    const TSkinColours& colours = form->SkinData->Colours();
    TColor colour = colours.MenuText;
    if (item->Enabled() && selected) colour = colours.HilightText;
    else if (!item->Enabled()) colour = colours.ButtonShadow == colours.MenuText ? clBtnShadow : colours.ButtonShadow;
    canvas->Font()->SetColor(colour);
    dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(colour));
    SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, text, r, format);
}

void DrawSkinMenuItem(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, bool selected, const RECT& r) {
    const std::wstring caption = AnsiToWide(item->Caption());
    TItemLayout layout = LayoutOf(form, item);
    if (layout.Menu && layout.Menu->IsRightToLeft()) return DrawSkinMenuItemRTL(form, item, canvas, selected, r);

    RECT box{r.left + 1 + layout.LeftWidth, r.top + 1, 0, r.top + 1 + layout.Glyph};
    box.right = box.left + layout.Glyph;
    if (caption == L"-") box.left = box.right = 0;
    DrawGlyph(layout, item, canvas, box, r);

    RECT measured{};
    const RECT text = CentredCaption(form, item, canvas, selected, RECT{box.right + 3, r.top, r.right - 1, r.bottom}, caption,
                                     MeasureFlags, r.bottom - r.top, measured);
    RECT drawn = text;
    DrawMenuItemText(form, item, canvas, DrawFlags, selected, drawn, caption);
    if (item->ShortCut()) {
        RECT shortCut{measured.right, text.top, r.right - 11, text.bottom};
        DrawMenuItemText(form, item, canvas, DrawFlags | DT_RIGHT, selected, shortCut, AnsiToWide(ShortCutToText(item->ShortCut())));
    }
}

void DrawSkinMenuItemRTL(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, bool selected, const RECT& r) {
    const std::wstring caption = AnsiToWide(item->Caption());
    TItemLayout layout = LayoutOf(form, item);
    RECT box{0, r.top + 1, r.right - 1 - layout.LeftWidth, r.top + 1 + layout.Glyph};
    box.left = box.right - layout.Glyph;
    if (caption == L"-") box.left = box.right = r.right;
    DrawGlyph(layout, item, canvas, box, r);

    RECT measured{};
    const RECT text = CentredCaption(form, item, canvas, selected, RECT{r.left + 1, r.top, box.left - 3, r.bottom}, caption,
                                     MeasureFlags | DT_RIGHT, r.bottom - r.top, measured);
    RECT drawn = text;
    DrawMenuItemText(form, item, canvas, DrawFlags | DT_RIGHT, selected, drawn, caption);
    if (item->ShortCut()) {
        // The caption ends at the right; the short cut stands left of where it begins.
        const LONG captionLeft = text.right - (measured.right - measured.left);
        RECT shortCut{r.left + 11, text.top, captionLeft, text.bottom};
        DrawMenuItemText(form, item, canvas, DrawFlags | DT_LEFT, selected, shortCut, AnsiToWide(ShortCutToText(item->ShortCut())));
    }
}
