#pragma once
#include "components/TMenu.h"

class TCustomForm;

// The menu bar of a form (the form's Menu). Changes reach the form's window as CM_MENUCHANGED.
class TMainMenu : public TMenu {
    DECLARE_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

    bool IsMenuBar() const override { return true; }
    TCustomForm* Form() const { return FForm; }
    void SetForm(TCustomForm* form) { FForm = form; }
    HWND WindowHandle() const;
    void MenuChanged() override;

private:
    TCustomForm* FForm = nullptr;
};
