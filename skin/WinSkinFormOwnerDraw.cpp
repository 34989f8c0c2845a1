// A skinned window's owner-drawn menu items: the drop-downs of its menu bar and the menus of
// raw windows, measured and drawn from the skin, through the component's item where there is
// one and through a stand-in of the item's text where there is none.
#include <algorithm>
#include <memory>

#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "components/TMenu.h"
#include "components/TScreen.h"

namespace {

// Command identifiers up to this are the component layer's own menu items.
constexpr UINT LastComponentCommand = 4095;
// Room the skin's item frame and glyph box take beside a measured menu text.
constexpr int RawItemPadding = 26;

std::string MenuString(HMENU menu, UINT command) {
    char text[80] = {0};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

// A menu item of no component, measured by its text in the menu font.
void MeasureByText(TSkinData* skinData, HMENU menu, MEASUREITEMSTRUCT& measure) {
    const std::string text = MenuString(menu, measure.itemID);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Screen->MenuFont()->Handle());
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int width = extent.cx + RawItemPadding;
    if (skinData && skinData->Objects.MenuItem) width += skinData->Objects.MenuItem->LeftWidth;
    int height = static_cast<int>(measure.itemHeight) + (text.empty() ? 8 : 4);
    if (GetVersion() & 0x80000000u) height += 4;
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
}

}  // namespace

void TWinSkinForm::MeasureItemMessage(TMessage& message) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (!measure || measure->CtlType != ODT_MENU || !MenuHandle) {
        CallDefault(message);
        return;
    }
    if (Control && MenuBar) {
        if (SkinManager) SkinManager->MarkPopupMenus();
        TMenu* menu = MenuBar->Menu();
        if (TMenuItem* item = menu ? menu->FindItemByCommand(static_cast<int>(measure->itemID)) : nullptr) {
            HDC dc = GetWindowDC(Handle);
            TCanvas canvas;
            canvas.SetHandle(dc);
            canvas.Font()->Assign(Screen->MenuFont());
            int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
            MeasureMenuItem(item, &canvas, width, height);
            canvas.SetHandle(nullptr);
            ReleaseDC(Handle, dc);
            measure->itemWidth = static_cast<UINT>(std::max(0, width));
            measure->itemHeight = static_cast<UINT>(std::max(0, height));
            message.Result = 1;
            return;
        }
        if (measure->itemID >= 1 && measure->itemID <= LastComponentCommand) {
            CallDefault(message);
            return;
        }
    }
    MeasureByText(SkinData, TrackedMenu, *measure);
    message.Result = 1;
}

void TWinSkinForm::DrawItemMessage(TMessage& message) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
    if (!draw || draw->CtlType != ODT_MENU || !MenuHandle || !SkinData || (WindowKind == wkMDIForm && RunsOnOldWindowsNT())) {
        CallDefault(message);
        return;
    }
    auto* menu = reinterpret_cast<HMENU>(draw->hwndItem);
    if (SkinManager) {
        SkinManager->AssignPopupWindow(menu);
        SkinManager->MarkPopupMenus();
    }
    const TRect r = TRect::From(draw->rcItem);
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    TCanvas canvas;
    canvas.SetHandle(draw->hDC);
    message.Result = 1;
    TMenu* barMenu = Control && MenuBar ? MenuBar->Menu() : nullptr;
    if (TMenuItem* item = barMenu ? barMenu->FindItemByCommand(static_cast<int>(draw->itemID)) : nullptr) {
        if (SkinData->Objects.MenuItem) DrawMenuItem(item, &canvas, r, selected);
        else DrawMenuItemPlain(item, &canvas, selected, r);
    } else if (barMenu && draw->itemID >= 1 && draw->itemID <= LastComponentCommand) {
        canvas.SetHandle(nullptr);
        CallDefault(message);
        return;
    } else {
        // An item of no component: drawn through a stand-in item of its text and state.
        const UINT state = GetMenuState(menu, draw->itemID, MF_BYCOMMAND);
        const std::string text = MenuString(menu, draw->itemID);
        const auto stand = std::make_unique<TMenuItem>(nullptr);
        stand->SetCaption(text.empty() ? "-" : text);
        stand->SetEnabled(state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED)));
        stand->SetChecked(state != static_cast<UINT>(-1) && (state & MF_CHECKED));
        DrawRawMenuItem(menu, stand.get(), selected, r, &canvas);
    }
    canvas.SetHandle(nullptr);
}
