#include "components/TCustomControl.h"

#include "components/TClassInfo.h"

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomControl>("TCustomControl").Build();
    return info;
}

void PaintControl(TControl& control, TCanvas& canvas, TMessage& m, const std::function<void()>& paint) {
    PAINTSTRUCT ps{};
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(control.Handle(), &ps);
    const int saved = SaveDC(dc);
    canvas.SetHandle(dc);
    canvas.Font()->Assign(control.Font());
    canvas.Brush()->SetColor(control.Color());
    try {
        paint();
    } catch (...) {
        canvas.SetHandle(nullptr);
        RestoreDC(dc, saved);
        if (!m.WParam) EndPaint(control.Handle(), &ps);
        throw;
    }
    canvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
    if (!m.WParam) EndPaint(control.Handle(), &ps);
    m.Result = 0;
}

bool EraseControlBackground(TControl& control, TMessage& m) {
    if (m.Msg != WM_ERASEBKGND) return false;
    RECT r;
    GetClientRect(control.Handle(), &r);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, control.BackgroundBrush());
    m.Result = 1;
    return true;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { SetControlStyle(csClickEvents | csDoubleClicks | csAcceptsControls); }

void TCustomControl::WndProc(TMessage& m) {
    if (EraseControlBackground(*this, m)) return;
    if (m.Msg == WM_PAINT) return PaintControl(*this, FCanvas, m, [this] { Paint(); });
    TWinControl::WndProc(m);
}
