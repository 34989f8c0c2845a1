#include "WinSkinMenu.h"

#include <algorithm>

#include "SkinDraw.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSysButton.h"
#include "components/Graphics.h"
#include "components/TCustomForm.h"
#include "components/TMainMenu.h"
#include "components/TScreen.h"

namespace {

// Frames of the skin's menu-bar picture: active, then inactive.
constexpr int MenuBarFrames = 2;
// Room beside each caption, and where the first item begins without a picture or when the
// picture's margin does not fit the bar.
constexpr int CaptionPadding = 10;
constexpr int PlainLeftMargin = 6;
constexpr int NarrowBarMargin = 12;
// The MDI child's buttons in the bar show this visibility.
constexpr int MDIButtonsVisibility = 100;

bool IsPointIn(const TRect& r, const TPoint& p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

}  // namespace

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData)
    : FSkinData(skinData), FForm(form), FBackground(std::make_unique<TBitmap>()) {
    FBackground->SetPixelFormat(pf24bit);
}

TWinSkinMenu::~TWinSkinMenu() { FreeItems(); }

TMenuBtn* TWinSkinMenu::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return FItems[static_cast<std::size_t>(index)].get();
}

void TWinSkinMenu::FreeItems() {
    for (const auto& item : FItems)
        if (FForm->HotObject == item.get()) FForm->HotObject = nullptr;
    FItems.clear();
}

TMenu* TWinSkinMenu::Menu() const {
    auto* form = dynamic_cast<TCustomForm*>(FForm->Control);
    return form ? form->Menu() : nullptr;
}

bool TWinSkinMenu::RightToLeft() const {
    TMenu* menu = Menu();
    return FForm->RightToLeft || (menu && menu->IsRightToLeft());
}

// The window's menu, kept while the bar stands; false when the bar has nothing to show.
bool TWinSkinMenu::TakeWindowMenu() {
    if (HMENU current = GetMenu(FForm->Handle)) FMenuHandle = current;
    if (!FMenuHandle) return false;
    return !(FForm->Control && !Menu());
}

void TWinSkinMenu::BuildItems(bool takeMenu) {
    if ((WindowsVersion & 0x80000000u) || RunsOnOldWindowsNT()) {
        BuildFromComponent(takeMenu);
        return;
    }
    if (!TakeWindowMenu()) return;
    ReadItems(false);
    if (takeMenu) TakeMenuAway();
}

void TWinSkinMenu::TakeMenuAway() {
    if (GetMenu(FForm->Handle)) SetMenu(FForm->Handle, nullptr);
}

void TWinSkinMenu::UpdateItems() {
    if (!TakeWindowMenu()) return;
    ReadItems(true);
    TakeMenuAway();
}

void TWinSkinMenu::ReadItems(bool update) {
    FreeItems();
    TMenu* menu = Menu();
    const int count = GetMenuItemCount(FMenuHandle);
    for (int i = 0; i < count; ++i) {
        char text[80] = {0};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(FMenuHandle, static_cast<UINT>(i), TRUE, &info)) continue;
        auto item = std::make_unique<TMenuBtn>(FForm, FSkinData, i);
        item->SubMenu = info.hSubMenu;
        item->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        item->Visible = true;
        item->Command = info.wID;
        if (!(info.fType & (MFT_OWNERDRAW | MFT_BITMAP | MFT_SEPARATOR))) item->Caption = AnsiToWide(text);
        const bool lookUp = !update || text[0] != '\0';
        if (TMenuItem* found = lookUp && menu ? menu->FindItemByCommand(static_cast<int>(info.wID)) : nullptr) {
            item->Caption = AnsiToWide(found->Caption());
            item->Enabled = found->Enabled();
            item->MenuItem = found;
            item->SubMenu = found->Count() > 0 ? found->Handle() : nullptr;
            if (update) item->Command = static_cast<UINT>(found->Command());
        }
        FItems.push_back(std::move(item));
    }
}

void TWinSkinMenu::BuildFromComponent(bool takeMenu) {
    TMenu* menu = Menu();
    if (!TakeWindowMenu() || !menu) return;
    FreeItems();
    TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* source = root->Items(i);
        auto item = std::make_unique<TMenuBtn>(FForm, FSkinData, i);
        item->Visible = source->Visible();
        item->Enabled = source->Enabled();
        item->Command = static_cast<UINT>(source->Command());
        item->Caption = AnsiToWide(source->Caption());
        item->MenuItem = source;
        item->SubMenu = source->Count() > 0 ? source->Handle() : nullptr;
        FItems.push_back(std::move(item));
    }
    if (takeMenu) TakeMenuAway();
}

TMenuBtn* TWinSkinMenu::ItemAt(const TPoint& p) const {
    for (const auto& item : FItems)
        if (IsPointIn(item->Rect, p) && !item->Caption.empty()) return item.get();
    return nullptr;
}

int TWinSkinMenu::LeftMargin() const { return FFirstItemOffset; }

void TWinSkinMenu::Paint(HDC dc, const TRect& r) {
    const int width = r.Width(), height = r.Height();
    if (width <= 0 || height <= 0 || !FSkinData) return;
    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(width, height);
    TCanvas* canvas = buffer->Canvas();
    const TRect whole{0, 0, width, height};
    FFirstItemOffset = PaintBackground(canvas, whole);
    FBarRect = r;
    FBackground->SetSize(width, height);
    BitBlt(FBackground->Canvas()->Handle(), 0, 0, width, height, canvas->Handle(), 0, 0, SRCCOPY);

    canvas->Font()->Assign(Screen->MenuFont());
    canvas->Brush()->SetStyle(bsClear);
    SetBkMode(canvas->Handle(), TRANSPARENT);
    FPainting = true;
    LayoutAndDrawCaptions(canvas->Handle(), r);
    FPainting = false;
    PaintMDIButtons(canvas->Handle());
    BitBlt(dc, r.Left, r.Top, width, height, canvas->Handle(), 0, 0, SRCCOPY);
}

// The skin's picture (or the bar colour); returns where the first item begins.
int TWinSkinMenu::PaintBackground(TCanvas* canvas, const TRect& whole) {
    TDataSkinObject* bar = FSkinData->Objects.MenuBar.get();
    if (!bar || !bar->HasImage()) {
        canvas->Brush()->SetColor(FSkinData->Colours().Menubar);
        canvas->FillRect(whole);
        return PlainLeftMargin;
    }
    const int frame = FForm->Active ? 1 : 2;
    if (bar->Tile == 1) DrawSkinFrame(canvas->Handle(), whole, &bar->Image, false, true, false, MenuBarFrames, frame, bar->Margins());
    else DrawSkinFrameToCanvas(canvas, whole, &bar->Image, false, false, MenuBarFrames, frame, bar->Margins());
    const int margin = RightToLeft() ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    return margin > whole.Width() ? NarrowBarMargin : margin;
}

void TWinSkinMenu::LayoutAndDrawCaptions(HDC dc, const TRect& r) {
    const bool rightToLeft = RightToLeft();
    int x = rightToLeft ? r.Width() - FFirstItemOffset : FFirstItemOffset;
    for (const auto& item : FItems) {
        if (!item->Visible) {
            item->Rect = TRect{};
            continue;
        }
        RECT measured{0, 0, 0, 0};
        DrawTextWide(dc, item->Caption, measured, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        int itemWidth = measured.right - measured.left;
        if (itemWidth > 0) itemWidth += CaptionPadding;
        TRect box = rightToLeft ? TRect{x - itemWidth, 0, x, r.Height() - 1} : TRect{x, 0, x + itemWidth, r.Height() - 1};
        x = rightToLeft ? box.Left : box.Right;
        DrawItemCaption(dc, *item, box);
        item->Rect = TRect{box.Left + r.Left, box.Top + r.Top, box.Right + r.Left, r.Bottom - 1};
    }
}

void TWinSkinMenu::DrawItemCaption(HDC dc, const TMenuBtn& item, const TRect& box) const {
    const TColor colour = item.Enabled ? FSkinData->Colours().MenuBarText : FSkinData->Colours().ButtonShadow;
    SetTextColor(dc, ColorToRGB(colour));
    SetBkMode(dc, TRANSPARENT);
    RECT r = box.ToRECT();
    DrawTextWide(dc, item.Caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// An MDI form whose active child is maximised shows the child's buttons in its bar.
void TWinSkinMenu::PaintMDIButtons(HDC dc) {
    if (FForm->WindowKind != wkMDIForm || !FForm->IsMDIChildMaximized()) return;
    for (const auto& button : FForm->SysButtons) {
        TDataSkinSysButton& d = *button->SkinButton;
        if (d.Visibility != MDIButtonsVisibility || d.Image.Empty()) continue;
        const TRect at{button->Rect.Left - FForm->BorderLeft, button->Rect.Top - FForm->BorderTop,
                       button->Rect.Right - FForm->BorderLeft, button->Rect.Bottom - FForm->BorderTop};
        DrawSkinFrameStretched(dc, at, &d.Image, true, UsableFrameCount(d.Frame), 1);
    }
    if (SkinManager && !SkinManager->MDIMaximized) SkinManager->SetMDIMaximized(true);
}

// ---- the drop-downs ----------------------------------------------------------------------------

void HideExtraSeparators(TMenuItem* item) {
    if (!item) return;
    const int count = item->Count();
    int i = 0;
    // None at the start.
    for (; i < count; ++i) {
        TMenuItem* each = item->Items(i);
        if (!each->Visible()) continue;
        if (!each->IsLine()) break;
        each->SetVisible(false);
    }
    // One of each run: the last of it, shown again when an item follows.
    TMenuItem* pending = nullptr;
    for (; i < count; ++i) {
        TMenuItem* each = item->Items(i);
        if (each->IsLine()) {
            if (pending && pending->Visible()) pending->SetVisible(false);
            pending = each;
        } else if (each->Visible() && pending) {
            if (!pending->Visible()) pending->SetVisible(true);
            pending = nullptr;
        }
    }
    // None at the end.
    for (int j = count - 1; j >= 0; --j) {
        TMenuItem* each = item->Items(j);
        if (!each->Visible()) continue;
        if (!each->IsLine()) break;
        each->SetVisible(false);
    }
}

void TWinSkinMenu::MakeDropDownOwnerDraw(HMENU dropDown) { MakeMenuOwnerDraw(dropDown, &FOwnerDrawn); }

void TWinSkinMenu::GiveOwnerDrawBack() {
    for (const auto& [menu, position] : FOwnerDrawn) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (!IsMenu(menu) || !GetMenuItemInfoA(menu, position, TRUE, &info) || !(info.fType & MFT_OWNERDRAW)) continue;
        info.fType &= ~static_cast<UINT>(MFT_OWNERDRAW);
        SetMenuItemInfoA(menu, position, TRUE, &info);
    }
    FOwnerDrawn.clear();
}

void MakeMenuOwnerDraw(HMENU menu, std::vector<std::pair<HMENU, UINT>>* changed) {
    if (!menu) return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.hSubMenu) MakeMenuOwnerDraw(info.hSubMenu, changed);
        if (info.fType & MFT_OWNERDRAW) continue;
        info.fMask = MIIM_FTYPE;
        info.fType |= MFT_OWNERDRAW;
        if (SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) && changed) changed->emplace_back(menu, static_cast<UINT>(i));
    }
}
