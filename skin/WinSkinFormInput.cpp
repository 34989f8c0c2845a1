// A skinned window's answers to the mouse in its non-client area: hit testing, the hover and
// press of title-bar buttons and menu-bar items, the title-bar buttons' actions, double clicks,
// and the system commands it keeps track of.
#include <algorithm>
#include <memory>

#include "ImgUtil.h"
#include "MenuBtn.h"
#include "SkinControl.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "WinSkinData.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "WinSkinMenu.h"
#include "WinSysButton.h"
#include "components/TTimer.h"

namespace {

// Title-button actions.
enum : int {
    baClose = 0, baMaximize = 1, baMinimize = 2, baSystemMenu = 3, baMDIMinimize = 7, baMDIRestore = 8, baMDIClose = 9,
    baIconMenu = 11, baMenuButton = 12, baRestoreMaximize = 22, baRestoreMinimize = 23,
    baMDIMinimize2 = 60, baMDIRestore2 = 61, baMDIClose2 = 62,
};

// The visibility of the MDI child's buttons, shown in an MDI form's menu bar.
constexpr int MDIButtonsVisibility = 100;

bool IsIconAction(int action) { return action == baSystemMenu || action == baIconMenu; }

bool IsPointIn(const TRect& r, const TPoint& p) { return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom; }

bool IsSystemCommand(WORD command) {
    switch (command) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
    case SC_CLOSE: case SC_RESTORE: return true;
    default: return false;
    }
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
    if (!CallDefault(message)) return;
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
    if ((GetVersion() & 0x80000000u) || RunsOnOldWindowsNT()) return true;
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
        // The menu's loop may unskin the window or free it.
        const std::weak_ptr<bool> life = FLife;
        ShowSystemMenu(corner.x, corner.y);
        if (life.expired()) return;
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
    TSkinControl* left = HoverControl;
    HoverControl = nullptr;
    left->SendMouseLeave();
}

// One title-bar button in the look of its state, straight onto the window.
void TWinSkinForm::PaintSysButton(TWinSysButton* button, int state) {
    if (!button || !button->Visible || State == wsGone) return;
    TDataSkinSysButton& d = *button->SkinButton;
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    try {
        if (IsIconAction(d.Action)) {
            DrawIcon(dc, button->Rect);
        } else if (!d.Image.Empty()) {
            // The MDI child's buttons in the bar keep their hot look in frame 4.
            const int frame = state == ncHot && d.Visibility == MDIButtonsVisibility ? 4 : state;
            DrawSkinFrameStretched(dc, button->Rect, &d.Image, true, UsableFrameCount(d.Frame), frame);
        }
    } catch (const std::exception& e) {
        // As the frame's own paint: dropped, never a box for every hover of the timer.
        SkinLog(std::string("paint: ") + e.what());
    }
    ReleaseDC(Handle, dc);
}
