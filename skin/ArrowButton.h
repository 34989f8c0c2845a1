#pragma once
// The drop-down button laid over a date-time picker's own: the skin's combo arrow, lit while
// the mouse is over it; a click on it is handed to the picker, which opens its calendar.
#include "components/TCustomControl.h"

class TSkinDateTime;

class TArrowButton : public TCustomControl {
    DECLARE_CLASS(TArrowButton, TCustomControl)
public:
    explicit TArrowButton(TComponent* owner);

    // Puts the button over the picker's drop-down button, inside the picker's window.
    void Bind(TWinControl* picker, TSkinDateTime* skin);

    int ButtonSize = 0;
    TControl* Picker = nullptr;
    TSkinDateTime* Skin = nullptr;
    HWND PickerWindow = nullptr;
    bool Hot = false;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;

private:
    bool PickerEnabled() const;
};
