#include "components/TPopupMenu.h"

#include "components/TApplication.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TCustomForm.h"

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPopupMenu>("TPopupMenu")
        .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(1)
        .Event("OnPopup", &TPopupMenu::OnPopup)
        .Build();
    return info;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    // The menu's messages (item drawing, the menu loop) go to the form it pops up over.
    HWND owner = Application->Handle();
    if (auto* control = dynamic_cast<TControl*>(FPopupComponent))
        if (TCustomForm* form = GetParentForm(control))
            if (form->HandleAllocated()) owner = form->Handle();
    SetForegroundWindow(owner);
    const UINT flags = TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD;
    const int command = TrackPopupMenuEx(Handle(), flags, x, y, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (command) DispatchCommand(static_cast<WORD>(command));
}
