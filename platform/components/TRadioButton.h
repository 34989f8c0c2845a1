#pragma once
#include "components/TButtonControl.h"

// A radio button: checking it unchecks the other radio buttons of the same parent and runs
// OnClick, from a click or from code.
class TRadioButton : public TButtonControl {
    DECLARE_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWindow() override;
    void WndProc(TMessage& message) override;
    void AcceleratorPressed() override { SetChecked(true); }

private:
    bool FChecked = false;
};
