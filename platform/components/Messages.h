#pragma once
// Messages between the component classes and their windows.
//
// The component notifications (CM_xxx) are sent through a control's Perform, so they pass its
// WindowProc only; CM_MENUCHANGED alone is sent to the form's window with SendMessage, so that
// every procedure subclassing the window sees it. Values given by the system's contract:
//
//   CM_DIALOGKEY 0xB005     a dialog key (Tab, Return, Escape, arrows) that no control took,
//                           sent to the form, then broadcast to its controls; Result 1 = handled
//   CM_DIALOGCHAR 0xB006    a character with Alt (or one the focused control does not want),
//                           broadcast for accelerators; Result 1 = handled
//   CM_FOCUSCHANGED 0xB007  broadcast to the controls of a form; LParam = the focused control
//   CM_ENABLEDCHANGED 0xB00C after Enabled changed
//   CM_MOUSEENTER 0xB013    the mouse came over the control
//   CM_MOUSELEAVE 0xB014    the mouse left the control
//   CM_MENUCHANGED 0xB015   the form's main menu changed (items, captions, states)
//   CM_EXIT 0xB01B          the control lost the focus to another control of the form
//   CM_RELEASE 0xB021       posted by TCustomForm::Release; the form frees itself
//   CM_RECREATEWND 0xB033   the control's window is to be destroyed and made anew
//
// Values of this library's own choice:
//
//   CM_ENTER 0xB040         the control got the focus
//   CM_VISIBLECHANGED 0xB041 after Visible changed; WParam = the new value (1 shown, 0 hidden)
//   CM_TEXTCHANGED 0xB042   after the caption or text changed
//   CM_COLORCHANGED 0xB043  after Color changed
//   CM_FONTCHANGED 0xB044   after Font changed
//
// Notification reflection: a message that a standard control sends to its parent (WM_COMMAND,
// WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLORxxx, WM_HSCROLL, WM_VSCROLL, ...) is passed
// back to the control that sent it as CN_BASE + the message (CN_NOTIFY 0xBC4E, CN_VSCROLL 0xBD15)
// with the same parameters; the control's Result is the parent's answer. Key messages reach the
// focused control first as CN_KEYDOWN, CN_CHAR, CN_SYSKEYDOWN and CN_SYSCHAR; a Result of 1 means
// the key was taken.
#include "components/Win32.h"

#include <functional>

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TWndMethod = std::function<void(TMessage&)>;

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGKEY = 0xB005;
constexpr UINT CM_DIALOGCHAR = 0xB006;
constexpr UINT CM_FOCUSCHANGED = 0xB007;
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
constexpr UINT CM_MENUCHANGED = 0xB015;
constexpr UINT CM_EXIT = 0xB01B;
constexpr UINT CM_RELEASE = 0xB021;
constexpr UINT CM_RECREATEWND = 0xB033;
constexpr UINT CM_ENTER = 0xB040;
constexpr UINT CM_VISIBLECHANGED = 0xB041;
constexpr UINT CM_TEXTCHANGED = 0xB042;
constexpr UINT CM_COLORCHANGED = 0xB043;
constexpr UINT CM_FONTCHANGED = 0xB044;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
