// A skinned window's menu bar, drawn by the skin in the non-client area in place of the
// system's, and its items opened with the mouse and with Alt+letter.
#include "MenuBtn.h"
#include "MenuLoopHook.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "components/TApplication.h"
#include "components/TCustomForm.h"
#include "components/TMainMenu.h"

namespace {

std::string WideToAnsiText(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace

bool TWinSkinForm::MakeMenuBar() {
    FreeMenuBar(false);
    MenuBar = new TWinSkinMenu(this, SkinData);
    // The window keeps its menu until its frame is laid out for the skin, so that its client
    // area keeps its size meanwhile.
    MenuBar->BuildItems(false);
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
    else MenuBar->BuildItems(Started);
    PaintNonClient(nullptr);
}

void TWinSkinForm::FollowWindowMenu() {
    if (!MenuBar || !Started || WindowKind != wkPlain) return;
    HMENU current = GetMenu(Handle);
    if (current && current != MenuBar->MenuHandle()) RebuildMenuBar(false);
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

// ---- opening the bar's items ------------------------------------------------------------------

bool TWinSkinForm::OpenMenuBarItem(TMenuBtn* item) {
    if (!item) return false;
    PostMessageA(Handle, WM_COMMAND, item->Command, 0);
    if (!item->SubMenu) return false;
    // Hiding separators changes the menu, and a changed menu rebuilds the bar's items: the item
    // is looked up again by its place.
    const int index = item->Index;
    if (item->MenuItem) HideExtraSeparators(item->MenuItem);
    item = MenuBar ? MenuBar->Items(index) : nullptr;
    if (!item || !item->SubMenu) return false;

    SetMenuLoopItem(this, index);
    RECT window{};
    GetWindowRect(Handle, &window);
    WindowRect = TRect::From(window);
    if (!RunsOnOldWindowsNT()) MenuBar->MakeDropDownOwnerDraw(item->SubMenu);
    MenuTracking = true;
    const int x = WindowRect.Left + (RightToLeft ? item->Rect.Right : item->Rect.Left);
    const int y = WindowRect.Top + item->Rect.Bottom;
    if (SkinManager) {
        SkinManager->MenuContext = mcMenu;
        SkinManager->MarkNewPopups = true;
    }
    TrackedMenu = item->SubMenu;
    const bool enabled = item->Enabled;
    // The drop-down's loop handles every message meanwhile: a timer or box in it may unskin the
    // window or free it.
    const std::weak_ptr<bool> life = FLife;
    StartMenuLoopHook();
    if (enabled)
        TrackPopupMenu(TrackedMenu, TPM_RIGHTBUTTON | TPM_NONOTIFY | (RightToLeft ? TPM_RIGHTALIGN : 0), x, y, 0, Handle, nullptr);
    StopMenuLoopHook();
    if (life.expired()) return true;
    MenuTracking = false;
    return true;
}

// The open drop-down (if any) is ended first, so that the click opens the item once the loop
// is over rather than inside it.
void TWinSkinForm::OpenMenuItem(TMenuBtn* item) {
    if (!item) return;
    RECT window{};
    GetWindowRect(Handle, &window);
    WindowRect = TRect::From(window);
    if (MenuTracking) EndMenu();
    const POINT at{WindowRect.Left + item->Rect.Left + 1, WindowRect.Top + item->Rect.Top + 1};
    PostMessageA(Handle, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
}

TMenuBtn* TWinSkinForm::FindMenuAccel(WORD key) const {
    if (!MenuBar) return nullptr;
    for (int i = 0; i < MenuBar->Count(); ++i) {
        TMenuBtn* item = MenuBar->Items(i);
        if (!item->Visible || !item->Enabled) continue;
        const std::string caption = item->MenuItem ? item->MenuItem->Caption() : WideToAnsiText(item->Caption);
        if (IsAccel(static_cast<char>(key), caption)) return item;
    }
    return nullptr;
}

// WM_SKINMENUBAR: the menu-bar item under the point is opened.
void TWinSkinForm::MenuBarMessage(TMessage& message) {
    message.Result = 0;
    if (auto* item = dynamic_cast<TMenuBtn*>(ObjectAt(ScreenToWindow(MouseX(message.LParam), MouseY(message.LParam)))))
        OpenMenuBarItem(item);
}

// CM_DIALOGCHAR in the form hook: Alt+letter opens the menu-bar item of that accelerator. A
// letter no control and no item of this window takes goes to the main form (or, from an MDI
// child, to the MDI form), but never to a main form that a modal window has disabled: its menu
// would open and run its commands behind the modal window.
void TWinSkinForm::DialogChar(TMessage& message) {
    if (!PassToForm(message) || message.Result != 0) return;
    const WORD key = static_cast<WORD>(message.WParam);
    TMenuBtn* item = FindMenuAccel(key);
    if (item && (KeyDataToShiftState(message.LParam) & (ssShift | ssAlt | ssCtrl)) == ssAlt) {
        OpenMenuItem(item);
        message.Result = 1;
        return;
    }
    TControl* other = nullptr;
    if (WindowKind == wkMDIChild) other = SkinManager ? SkinManager->MDIForm : nullptr;
    else if (Application && Application->MainForm() != Control) other = Application->MainForm();
    auto* otherWindow = dynamic_cast<TWinControl*>(other);
    if (otherWindow && otherWindow->HandleAllocated() && IsWindowEnabled(otherWindow->Handle())) {
        const std::weak_ptr<bool> life = FLife;
        const LRESULT answer = other->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
        if (answer != 0 || life.expired()) {
            message.Result = answer;
            return;
        }
    }
    message.Result = 0;
    PassToForm(message);
}
