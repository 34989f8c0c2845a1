#include "components/TMainMenu.h"

#include "components/TClassInfo.h"
#include "components/TCustomForm.h"

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu").Build();
    return info;
}

HWND TMainMenu::WindowHandle() const { return FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr; }

void TMainMenu::MenuChanged() {
    // Sent to the window, not performed: whatever subclasses the form's window hears of it.
    if (HWND window = WindowHandle()) SendMessageA(window, CM_MENUCHANGED, 0, 0);
}
