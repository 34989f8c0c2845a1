#include "components/TButtonControl.h"

#include "components/TClassInfo.h"

const TClassInfo& TButtonControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TButtonControl>("TButtonControl")
        .Str("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption)
        .Build();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "BUTTON";
}

void TButtonControl::AcceleratorPressed() { Click(); }

void TButtonControl::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGCHAR) {
        if (Enabled() && Visible() && IsAccel(static_cast<char>(m.WParam), Caption())) {
            if (CanFocus()) SetFocus();
            AcceleratorPressed();
            m.Result = 1;
        }
        return;
    }
    TWinControl::WndProc(m);
}
