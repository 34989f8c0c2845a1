#include "components/TCustomGroupBox.h"

#include "components/TClassInfo.h"
#include "components/TCustomControl.h"

const TClassInfo& TCustomGroupBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomGroupBox>("TCustomGroupBox")
        .Str("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption)
        .Build();
    return info;
}

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGroupBox>("TGroupBox").Build();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 105);
    SetControlStyle(csAcceptsControls);
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = "BUTTON";
    params.Style |= BS_GROUPBOX;
}

void TCustomGroupBox::WndProc(TMessage& m) {
    // The standard group box leaves its inside unpainted: it gets the box's colour.
    if (EraseControlBackground(*this, m)) return;
    // A group box is a frame, not a place for the mouse: clicks reach the controls inside.
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTCLIENT;
        return;
    }
    TWinControl::WndProc(m);
}
