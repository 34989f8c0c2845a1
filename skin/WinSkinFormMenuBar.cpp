// A skinned window's menu bar, drawn by the skin in the non-client area in place of the
// system's.
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "components/TCustomForm.h"
#include "components/TMainMenu.h"

bool TWinSkinForm::MakeMenuBar() {
    FreeMenuBar(false);
    auto* form = dynamic_cast<TCustomForm*>(Control);
    MenuBar = new TWinSkinMenu(this, SkinData, form ? form->Menu() : nullptr);
    MenuBar->BuildItems();
    return true;
}

void TWinSkinForm::PaintMenuBar(HDC dc, const TRect& r) {
    if (MenuBar) MenuBar->Paint(dc, r);
}

// The menu changed: the bar reads its items again, from the window's menu handle as it is now
// (a new frame menu of an MDI form) or as the bar is built at first.
void TWinSkinForm::RebuildMenuBar(bool fromMenuHandle) {
    if (!MenuBar) return;
    if (fromMenuHandle) MenuBar->UpdateItems();
    else MenuBar->BuildItems();
    PaintNonClient(nullptr);
}

void TWinSkinForm::FreeMenuBar(bool giveMenuBack) {
    if (!MenuBar) return;
    if (giveMenuBack && MenuBar->MenuHandle() && IsWindow(Handle)) {
        MenuBar->GiveOwnerDrawBack();
        SetMenu(Handle, MenuBar->MenuHandle());
    }
    delete MenuBar;
    MenuBar = nullptr;
}

int TWinSkinForm::MenuBarLeftMargin() const { return MenuBar ? MenuBar->LeftMargin() : 0; }

TMenu* TWinSkinForm::MenuBarMenu() const { return MenuBar ? MenuBar->Menu() : nullptr; }
