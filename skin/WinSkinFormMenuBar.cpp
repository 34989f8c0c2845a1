// A skinned window's menu bar, drawn by the skin in the non-client area in place of the
// system's. Until the skinned menu bar is built, a window keeps its own menu (not drawn over a
// skinned frame) and no strip is set aside for it.
#include "WinSkinForm.h"

bool TWinSkinForm::MakeMenuBar() { return false; }

void TWinSkinForm::PaintMenuBar(HDC, const TRect&) {}

void TWinSkinForm::RebuildMenuBar(bool) {}

void TWinSkinForm::FreeMenuBar(bool) { MenuBar = nullptr; }

int TWinSkinForm::MenuBarLeftMargin() const { return 0; }

TMenu* TWinSkinForm::MenuBarMenu() const { return nullptr; }
