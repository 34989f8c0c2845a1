#include "components/TButton.h"

#include "components/TClassInfo.h"
#include "components/TCustomForm.h"

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TButton>("TButton")
        .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(0)
        .Bool("Default", &TButton::Default, &TButton::SetDefault).Default(0)
        .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0)
        .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    params.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
    if (isDefault == FDefault) return;
    FDefault = isDefault;
    TCustomForm* form = GetParentForm(this);
    UpdateDefaultLook(isDefault && (!form || !dynamic_cast<TButton*>(form->ActiveControl())));
}

void TButton::UpdateDefaultLook(bool isDefault) {
    if (isDefault == FActive) return;
    FActive = isDefault;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case CM_DIALOGKEY:
        // Return belongs to the focused button, or else to the default one.
        if (((m.WParam == VK_RETURN && FActive) || (m.WParam == VK_ESCAPE && FCancel)) && Enabled() && Visible()) {
            Click();
            m.Result = 1;
        }
        return;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TControl*>(m.LParam);
        if (dynamic_cast<TButton*>(focused)) UpdateDefaultLook(focused == this);
        else UpdateDefaultLook(FDefault);
        return;
    }
    default:
        break;
    }
    TButtonControl::WndProc(m);
}
