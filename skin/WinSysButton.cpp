#include "WinSysButton.h"

#include "WinSkinForm.h"

void TWinSysButton::Paint() { Form->PaintSysButton(this, State); }
