// A skinned window's answers to the mouse and keys in its non-client area: hit testing, the
// title-bar buttons' hover, press and actions, opening the menu bar with the mouse and with
// Alt+letter, and its owner-drawn menu items.
#include <algorithm>
#include <memory>

#include "MenuBtn.h"
#include "MenuLoopHook.h"
#include "SkinControl.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "WinSysButton.h"
#include "components/TApplication.h"
#include "components/TCustomForm.h"
#include "components/TMenu.h"
#include "components/TScreen.h"
#include "components/TTimer.h"

namespace {

// Title-button actions.
enum : int {
    baClose = 0, baMaximize = 1, baMinimize = 2, baSystemMenu = 3, baMDIMinimize = 7, baMDIRestore = 8, baMDIClose = 9,
    baIconMenu = 11, baMenuButton = 12, baRestoreMaximize = 22, baRestoreMinimize = 23,
    baMDIMinimize2 = 60, baMDIRestore2 = 61, baMDIClose2 = 62,
};

// Command identifiers below this are the component layer's own menu items.
constexpr UINT LastComponentCommand = 4095;
// Room the skin's item frame and glyph box take beside a measured menu text.
constexpr int RawItemPadding = 26;
constexpr int MDIButtonsVisibility = 100;

bool IsIconAction(int action) { return action == baSystemMenu || action == baIconMenu; }

bool IsPointIn(const TRect& r, const TPoint& p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

bool RunsOnOldNT() {
    const DWORD version = GetVersion();
    return !(version & 0x80000000u) && LOBYTE(LOWORD(version)) < 5;
}

bool IsSystemCommand(WORD command) {
    switch (command) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
    case SC_CLOSE: case SC_RESTORE: return true;
    default: return false;
    }
}

std::string MenuString(HMENU menu, UINT command) {
    char text[80] = {0};
    GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

std::string WideToAnsiText(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr, nullptr);
    return result;
}

}  // namespace

// ---- where the mouse is ---------------------------------------------------------------------------

TPoint TWinSkinForm::ScreenToWindow(int x, int y) {
    POINT p{x, y};
    ScreenToClient(Handle, &p);
    if (WindowKind == wkMDIChild && ShowState == ssMinimized) return TPoint{p.x, p.y};
    return TPoint{p.x + BorderLeft, p.y + BorderTop + MenuBarHeight};
}

TWinSysButton* TWinSkinForm::SysButtonAt(const TPoint& p) const {
    for (const auto& button : SysButtons)
        if (button->Visible && button->SkinButton->Action >= 0 && IsPointIn(button->Rect, p)) return button.get();
    return nullptr;
}

TNCObject* TWinSkinForm::ObjectAt(const TPoint& p) const {
    if (TWinSysButton* button = SysButtonAt(p)) return button;
    return MenuBar ? MenuBar->ItemAt(p) : nullptr;
}

// The system knows nothing of the skin's title bar and menu bar: it calls them nowhere or its
// own caption, and they are told apart here.
void TWinSkinForm::HitTest(TMessage& message) {
    CallDefault(message);
    if (message.Result != HTNOWHERE && message.Result != HTCAPTION) return;
    const TPoint p = ScreenToWindow(MouseX(message.LParam), MouseY(message.LParam));
    if (p.Y > 3) message.Result = HTCAPTION;
    if (p.Y > BorderTop && MenuBarHeight > 0) message.Result = HTMENU;
}

// ---- the mouse on the title and menu bars ----------------------------------------------------

void TWinSkinForm::NCMouseMove(TMessage& message) {
    message.Result = 0;
    if (!Active) return;
    if (TNCObject* object = ObjectAt(ScreenToWindow(MouseX(message.LParam), MouseY(message.LParam)))) {
        object->MouseMove();
        return;
    }
    if (HotObject) HotObject->MouseLeave();
    CallDefault(message);
}

void TWinSkinForm::NCButtonDown(TMessage& message) {
    TNCObject* object = ObjectAt(ScreenToWindow(MouseX(message.LParam), MouseY(message.LParam)));
    if (!object) {
        // A maximised window is not moved by its title.
        if (ShowState == ssMaximized && Active && message.WParam == HTCAPTION) message.WParam = HTMENU;
        CallDefault(message);
        return;
    }
    message.Result = 0;
    if (!Active) SetForegroundWindow(Handle);
    object->ButtonDown();
    if (auto* item = dynamic_cast<TMenuBtn*>(object)) OpenMenuBarItem(item);
}

void TWinSkinForm::NCButtonUp(TMessage& message) {
    const int x = MouseX(message.LParam), y = MouseY(message.LParam);
    TNCObject* object = ObjectAt(ScreenToWindow(x, y));
    if (!object) {
        CallDefault(message);
        return;
    }
    message.Result = 0;
    if (dynamic_cast<TWinSysButton*>(object) && HotObject == object) {
        object->ButtonUp();
        TitleButtonAction(x, y);
    }
}

void TWinSkinForm::NCDoubleClick(TMessage& message) {
    message.Result = 0;
    if (TWinSysButton* button = SysButtonAt(ScreenToWindow(MouseX(message.LParam), MouseY(message.LParam)))) {
        if (IsIconAction(button->SkinButton->Action)) {
            if (Timer) Timer->SetEnabled(false);
            PostMessageA(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        return;
    }
    if (ShowState != ssNormal) Restore();
    else if (ButtonSet & bsMaximizeBox) MaximizeToggle();
    else CallDefault(message);
}

void TWinSkinForm::NCRightButtonDown(TMessage& message) {
    if (message.WParam != HTCAPTION || WindowKind == wkMDIChild) {
        CallDefault(message);
        return;
    }
    message.Result = 0;
    ShowSystemMenu(MouseX(message.LParam), MouseY(message.LParam));
}

// ---- what the title-bar buttons do -------------------------------------------------------------

void TWinSkinForm::TitleButtonAction(int x, int y) {
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button) return;
    switch (button->SkinButton->Action) {
    case baClose:
        if (!HasCloseCommand()) return;
        if (Timer) Timer->SetEnabled(false);
        PostMessageA(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case baMaximize:
    case baRestoreMaximize: MaximizeToggle(); return;
    case baMinimize:
    case baRestoreMinimize: MinimizeToggle(); return;
    case baSystemMenu:
    case baIconMenu:
    case baMenuButton: ShowSystemMenu(x + 1, y + 1); return;
    case baMDIMinimize:
    case baMDIMinimize2: MDIChildCommand(SC_MINIMIZE); return;
    case baMDIRestore:
    case baMDIRestore2: MDIChildCommand(SC_RESTORE); return;
    case baMDIClose:
    case baMDIClose2: MDIChildCommand(SC_CLOSE); return;
    default: PostMessageA(Handle, WM_SKINSYSACTION, static_cast<WPARAM>(button->SkinButton->Action), 0); return;
    }
}

void TWinSkinForm::MaximizeToggle() {
    if (ShowState == ssMaximized) {
        Restore();
        return;
    }
    if (WindowKind == wkMDIChild && SkinManager) SkinManager->SetMDIMaximized(true);
    ShowState = ssMaximized;
    PostMessageA(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::MinimizeToggle() {
    if (ShowState == ssMinimized) {
        Restore();
        return;
    }
    ShowState = ssMinimized;
    SetSysMenuStyle(false);
    PostMessageA(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Restore() {
    ShowState = ssNormal;
    PostMessageA(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::MDIChildCommand(WPARAM command) {
    if (WindowKind != wkMDIForm || !MDIClient) return;
    if (auto child = reinterpret_cast<HWND>(SendMessageA(MDIClient, WM_MDIGETACTIVE, 0, 0)))
        SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

bool TWinSkinForm::HasCloseCommand() const {
    if ((GetVersion() & 0x80000000u) || RunsOnOldNT()) return true;
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    return SystemMenu && GetMenuItemInfoA(SystemMenu, SC_CLOSE, FALSE, &info);
}

// ---- commands --------------------------------------------------------------------------------------

// The owner-drawn system menu's commands come as WM_COMMAND.
void TWinSkinForm::Command(TMessage& message) {
    const WORD command = LOWORD(message.WParam);
    if (!IsSystemCommand(command)) {
        CallDefault(message);
        return;
    }
    PostMessageA(Handle, WM_SYSCOMMAND, command, 0);
    message.Result = 0;
}

void TWinSkinForm::SysCommand(TMessage& message) {
    const WPARAM command = message.WParam & 0xFFF0;
    const auto key = static_cast<WORD>(message.LParam);
    if (!MenuTracking && command == SC_KEYMENU && key != ' ' && key != '-' && !GetCapture()) {
        // F10 or Alt alone opens the bar's first item.
        TMenuBtn* item = key ? FindMenuAccel(key) : MenuBar && MenuBar->Count() > 0 ? MenuBar->Items(0) : FindMenuAccel(0);
        if (key == 0 || item) {
            OpenMenuBarItem(item);
            message.Result = 1;
            return;
        }
    }
    if (command == SC_KEYMENU && key == ' ') {
        POINT corner{0, 0};
        ClientToScreen(Handle, &corner);
        ShowSystemMenu(corner.x, corner.y);
    }
    switch (command) {
    case SC_MINIMIZE:
        ShowState = ssMinimized;
        if (WindowKind == wkMDIChild) SetCaptionStyle(true);
        break;
    case SC_MAXIMIZE: ShowState = ssMaximized; break;
    case SC_RESTORE:
        ShowState = ssNormal;
        if (WindowKind == wkMDIChild) {
            SetCaptionStyle(false);
            if (SkinManager && SkinManager->MDIMaximized) SkinManager->SetMDIMaximized(false);
        }
        break;
    default: break;
    }
    CallDefault(message);
}

// ---- the menu bar from the mouse and keys -----------------------------------------------------

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
    if (!RunsOnOldNT()) MenuBar->MakeDropDownOwnerDraw(item->SubMenu);
    MenuTracking = true;
    const int x = WindowRect.Left + (RightToLeft ? item->Rect.Right : item->Rect.Left);
    const int y = WindowRect.Top + item->Rect.Bottom;
    if (SkinManager) {
        SkinManager->MenuContext = mcMenu;
        SkinManager->MarkNewPopups = true;
    }
    TrackedMenu = item->SubMenu;
    const bool enabled = item->Enabled;
    StartMenuLoopHook();
    if (enabled)
        TrackPopupMenu(TrackedMenu, TPM_RIGHTBUTTON | TPM_NONOTIFY | (RightToLeft ? TPM_RIGHTALIGN : 0), x, y, 0, Handle, nullptr);
    StopMenuLoopHook();
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
    if (OldWindowProc) OldWindowProc(message);
    if (message.Result != 0) return;
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
        const LRESULT answer = other->Perform(CM_DIALOGCHAR, message.WParam, message.LParam);
        if (answer != 0) {
            message.Result = answer;
            return;
        }
    }
    message.Result = 0;
    if (OldWindowProc) OldWindowProc(message);
}

// ---- hover ------------------------------------------------------------------------------------------

// Every 250 ms while the window is active: a hot title-bar button or menu item the mouse has
// left is let go (the system tells of no mouse leaving the non-client area).
void TWinSkinForm::TimerTick() {
    if (MenuTracking) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (HotObject && !IsPointIn(HotObject->Rect, ScreenToWindow(cursor.x, cursor.y))) HotObject->MouseLeave();
    if (Control || !HoverControl) return;
    RECT r{};
    GetWindowRect(HoverControl->Handle, &r);
    if (PtInRect(&r, cursor)) return;
    HoverControl->SendMouseLeave();
    HoverControl = nullptr;
}

// One title-bar button in the look of its state, straight onto the window.
void TWinSkinForm::PaintSysButton(TWinSysButton* button, int state) {
    if (!button || !button->Visible || State == wsGone) return;
    TDataSkinSysButton& d = *button->SkinButton;
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    if (IsIconAction(d.Action)) {
        DrawIcon(dc, button->Rect);
    } else if (!d.Image.Empty()) {
        // The MDI child's buttons in the bar keep their hot look in frame 4.
        const int frame = state == ncHot && d.Visibility == MDIButtonsVisibility ? 4 : state;
        DrawSkinFrameStretched(dc, button->Rect, &d.Image, true, UsableFrameCount(d.Frame), frame);
    }
    ReleaseDC(Handle, dc);
}

// ---- owner-drawn menu items -------------------------------------------------------------------

namespace {

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
    if (!draw || draw->CtlType != ODT_MENU || !MenuHandle || !SkinData || (WindowKind == wkMDIForm && RunsOnOldNT())) {
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
