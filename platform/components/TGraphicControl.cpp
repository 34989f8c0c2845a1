#include "components/TGraphicControl.h"

#include "components/TClassInfo.h"
#include "components/TCustomControl.h"

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGraphicControl>("TGraphicControl").Build();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) { SetControlStyle(csClickEvents | csDoubleClicks); }

void TGraphicControl::WndProc(TMessage& m) {
    if (EraseControlBackground(*this, m)) return;
    if (m.Msg == WM_PAINT) return PaintControl(*this, FCanvas, m, [this] { Paint(); });
    TControl::WndProc(m);
}
