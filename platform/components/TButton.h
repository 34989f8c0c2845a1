#pragma once
#include "components/TButtonControl.h"

// A push button. Return clicks the default button (when no other button has the focus), Escape
// the cancel button; a click sets the form's ModalResult to the button's.
class TButton : public TButtonControl {
    DECLARE_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel) { FCancel = cancel; }
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void UpdateDefaultLook(bool isDefault);

    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;  // drawn as the default button now
    int FModalResult = 0;
};
