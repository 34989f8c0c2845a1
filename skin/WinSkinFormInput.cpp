// A skinned window's answers to the mouse and keys in its non-client area: hit testing, the
// title-bar buttons' hover, press and actions, the window's own system menu, opening the menu
// bar with the mouse and with Alt+letter, and its owner-drawn menu items. Until they are built
// the window's own procedure answers as it did before the window was skinned.
#include "WinSkinForm.h"
#include "WinSysButton.h"

void TWinSkinForm::HitTest(TMessage& message) { CallDefault(message); }

void TWinSkinForm::NCMouseMove(TMessage& message) { CallDefault(message); }

void TWinSkinForm::NCButtonDown(TMessage& message) { CallDefault(message); }

void TWinSkinForm::NCButtonUp(TMessage& message) { CallDefault(message); }

void TWinSkinForm::NCDoubleClick(TMessage& message) { CallDefault(message); }

void TWinSkinForm::NCRightButtonDown(TMessage& message) { CallDefault(message); }

void TWinSkinForm::SysCommand(TMessage& message) { CallDefault(message); }

void TWinSkinForm::Command(TMessage& message) { CallDefault(message); }

void TWinSkinForm::MeasureItemMessage(TMessage& message) { CallDefault(message); }

void TWinSkinForm::DrawItemMessage(TMessage& message) { CallDefault(message); }

// WM_SKINMENUBAR: the menu-bar item under the point is opened.
void TWinSkinForm::MenuBarMessage(TMessage&) {}

// CM_DIALOGCHAR in the form hook: Alt+letter opens the menu-bar item of that accelerator.
void TWinSkinForm::DialogChar(TMessage& message) {
    if (OldWindowProc) OldWindowProc(message);
}

// Every 250 ms while the window is active: a hot title-bar button or menu item the mouse has
// left is let go.
void TWinSkinForm::TimerTick() {}

// One title-bar button in the look of its state, straight onto the window.
void TWinSkinForm::PaintSysButton(TWinSysButton*, int) {}
