// A skinned window's controls each get the control skin their kind calls for, when the window
// starts skinning; until the control skins are built, the controls keep their own looks.
#include "WinSkinForm.h"

// Every control of the form (by ownership, then in tab order).
void TWinSkinForm::SkinChildControls(TControl*) {}

// The child windows of a window that the component layer did not make, one level deep.
void TWinSkinForm::SkinChildWindows(HWND) {}

// One child window, by its window class and style.
void TWinSkinForm::SkinChildWindow(HWND) {}

// WM_SKINSCROLLBAR: the scroll-bar skin of the control is made anew.
void TWinSkinForm::ReskinScrollbar(HWND) {}
