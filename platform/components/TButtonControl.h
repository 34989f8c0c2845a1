#pragma once
#include "components/TWinControl.h"

// Base of the controls built on the standard button window (push button, check box, radio).
class TButtonControl : public TWinControl {
    DECLARE_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    // Alt plus the caption's accelerator (or the accelerator alone) clicks the control.
    virtual void AcceleratorPressed();
};
