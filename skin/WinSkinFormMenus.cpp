// Menu items and tool bars of a skinned window drawn from the skin: the owner-draw handlers of
// its menus, the separator, the tool bar's background and its buttons' frames.
#include <algorithm>

#include "SkinDraw.h"
#include "SkinMenuDraw.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "components/TImageList.h"
#include "components/TMenu.h"
#include "components/TScreen.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

namespace {

constexpr int MenuItemFrames = 5;
constexpr int ButtonFrames = 5;
constexpr int ItemFrameNormal = 1;
constexpr int ItemFrameSeparator = 2;
constexpr int ItemFrameSelected = 4;
// A popup menu's window draws its items 3 pixels in from its edges.
constexpr int PopupFrameWidth = 3;

bool IsRegistered(TSkinData* skinData) {
    if (!skinData || !SkinManager) return false;
    const auto& all = SkinManager->SkinDatas();
    return std::find(all.begin(), all.end(), skinData) != all.end();
}

std::unique_ptr<TBitmap> ItemBitmap(const TRect& r) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(r.Width(), r.Height());
    bitmap->Canvas()->Font()->Assign(Screen->MenuFont());
    return bitmap;
}

}  // namespace

bool TWinSkinForm::MenuHasImages(TMenuItem* item) const {
    TMenu* menu = item ? item->GetParentMenu() : nullptr;
    return menu && menu->Images();
}

void TWinSkinForm::MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    TMenu::MeasureItem(item, *canvas, width, height);
    if (SkinData && SkinData->Objects.MenuItem) width += SkinData->Objects.MenuItem->LeftWidth;
    width += 10;
    if (!MenuHasImages(item)) width += 25;
}

// The same for handlers that may outlive the skin they were given for: the skin is asked only
// while its component is still there.
void TWinSkinForm::MeasureMenuItemSafe(TObject* sender, TCanvas*, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (IsRegistered(SkinData) && SkinData->Objects.MenuItem) width += SkinData->Objects.MenuItem->LeftWidth;
    width += 12;
    if (!MenuHasImages(item)) width += 23;
}

void TWinSkinForm::DrawMenuItem(TObject* sender, TCanvas* canvas, TRect r, bool selected) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas || !SkinData) return;
    if (!SkinData->Objects.MenuItem) {
        DrawMenuItemPlain(item, canvas, selected, r);
        return;
    }
    HMENU parentMenu = item->Parent() ? item->Parent()->Handle() : nullptr;
    if (parentMenu && SkinManager) SkinManager->AssignPopupWindow(parentMenu);
    PaintMenuItemBitmap(item, parentMenu, canvas, r, selected, item->IsLine());
}

void TWinSkinForm::DrawRawMenuItem(HMENU menu, TMenuItem* item, bool selected, const TRect& r, TCanvas* canvas) {
    if (!item || !canvas || !SkinData || !SkinData->Objects.MenuItem) return;
    PaintMenuItemBitmap(item, menu, canvas, r, selected, false);
}

// The item assembled in a bitmap of its size: the popup's background (or the menu colour),
// the skin's item frame, then glyph, caption and short cut; a separator gets its line instead.
void TWinSkinForm::PaintMenuItemBitmap(TMenuItem* item, HMENU parentMenu, TCanvas* canvas, const TRect& r, bool selected,
                                       bool separator) {
    const auto bitmap = ItemBitmap(r);
    if (bitmap->Empty()) return;
    HDC dc = bitmap->Canvas()->Handle();
    TBitmap* background = SkinManager ? SkinManager->PopupBitmap(parentMenu) : nullptr;
    if (background && !background->Empty()) {
        BitBlt(dc, 0, 0, r.Width(), r.Height(), background->Canvas()->Handle(), r.Left + PopupFrameWidth, r.Top + PopupFrameWidth,
               SRCCOPY);
    } else {
        bitmap->Canvas()->Brush()->SetColor(SkinData->Colours().Menu);
        bitmap->Canvas()->FillRect(TRect{0, 0, r.Width(), r.Height()});
    }
    if (separator) {
        BitBlt(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), dc, 0, 0, SRCCOPY);
        DrawMenuSeparator(canvas, r);
        return;
    }
    TDataSkinObject& look = *SkinData->Objects.MenuItem;
    const TRect whole{0, 0, r.Width(), r.Height()};
    DrawSkinFrame(dc, whole, &look.Image, false, look.Tile != 0, look.Trans != 0, MenuItemFrames,
                  selected ? ItemFrameSelected : ItemFrameNormal, look.Margins());
    DrawSkinMenuItem(this, item, bitmap->Canvas(), selected, whole.ToRECT());
    BitBlt(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::DrawMenuItemPlain(TMenuItem* item, TCanvas* canvas, bool selected, const TRect& r) {
    if (!item || !canvas || !SkinData) return;
    const auto bitmap = ItemBitmap(r);
    if (bitmap->Empty()) return;
    bitmap->Canvas()->Brush()->SetColor(selected ? SkinData->Colours().Hilight : SkinData->Colours().Menu);
    bitmap->Canvas()->FillRect(TRect{0, 0, r.Width(), r.Height()});
    DrawSkinMenuItem(this, item, bitmap->Canvas(), selected, RECT{0, 0, r.Width(), r.Height()});
    BitBlt(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The separator from frame 2 of the item image: its bottom rows when the image is taller than
// the rectangle, the side borders at their width and the middle stretched.
void TWinSkinForm::DrawMenuSeparator(TCanvas* canvas, const TRect& r) {
    if (!SkinData || !SkinData->Objects.MenuItem || r.Width() <= 0 || r.Height() <= 0) return;
    TDataSkinObject& look = *SkinData->Objects.MenuItem;
    if (!look.HasImage()) return;
    TPixelRect frame = FrameRect(look.Image.Width(), look.Image.Height(), false, MenuItemFrames, ItemFrameSeparator);
    if (frame.Height() > r.Height()) frame.Top = frame.Bottom - r.Height();
    TBitmap line;
    line.SetPixelFormat(pf24bit);
    line.SetSize(r.Width(), r.Height());
    line.Canvas()->SetStretchMode(COLORONCOLOR);
    HDC target = line.Canvas()->Handle();
    HDC source = look.Image.Canvas()->Handle();
    for (const TFramePiece& piece : SlicedPieces(frame, TPixelRect{0, 0, r.Width(), r.Height()}, look.LeftWidth, look.RightWidth)) {
        const TPixelRect& s = piece.Source;
        ForEachCopy(piece, [&](const TPixelRect& d) {
            StretchBlt(target, d.Left, d.Top, d.Width(), d.Height(), source, s.Left, s.Top, s.Width(), s.Height(), SRCCOPY);
        });
    }
    TransparentBlit(canvas->Handle(), r, &line, SkinKeyColour);
}

void TWinSkinForm::DrawToolbarBackground(TToolBar* toolBar, const TRect& r, bool&) {
    if (!toolBar || !SkinData || (SkinData->Options() & SkinOptionBit(xoToolbarBK))) return;
    TDataSkinObject* background = SkinData->Objects.Toolbar.get();
    if (!background || !background->HasImage()) return;
    HDC dc = toolBar->Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), background->Image.Canvas()->Handle(), 0, 0, background->Image.Width(),
               background->Image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// The skin's push-button frame behind a tool button that is pressed, focused or hot; the tool
// bar still draws the button's image and caption over it. Tool buttons are windows of their
// own here: the frame goes onto the button's canvas, in its own coordinates.
void TWinSkinForm::DrawToolButton(TToolBar*, TToolButton* button, unsigned state, bool&) {
    TDataSkinButton* look = SkinData ? SkinData->Objects.Button.get() : nullptr;
    if (!button || !look || !look->HasImage() || State != wsSkinned) return;
    int frame = 0;
    if (state & cdsSelected) frame = 2;
    else if (state & (cdsFocused | cdsHot)) frame = 4;
    else if (!(state & (cdsGrayed | cdsDisabled)) && (state & cdsDefault)) frame = 1;
    if (frame == 0) return;
    TCanvas* canvas = button->Canvas();
    if (frame == 1 && look->HasNormalColour2) canvas->Font()->SetColor(look->NormalColour2);
    else if (frame == 4 && look->HasMouseOverColour2) canvas->Font()->SetColor(look->MouseOverColour2);
    else if (frame == 2 && look->HasPressedColour2) canvas->Font()->SetColor(look->PressedColour2);
    const TRect bounds = button->ClientRect();
    const TRect inside{bounds.Left + 1, bounds.Top + 1, bounds.Right - 1, bounds.Bottom - 1};
    DrawSkinFrame(canvas->Handle(), inside, &look->Image, false, false, look->Trans != 0, ButtonFrames, frame, look->Margins());
}
