#pragma once
// A container that draws itself (panel, tool bar, tab sheet).
#include "components/TCanvas.h"
#include "components/TWinControl.h"

class TCustomControl : public TWinControl {
    DECLARE_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() { return &FCanvas; }

protected:
    void WndProc(TMessage& message) override;
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};

// Paints a self-drawn control: background in its colour, then its Paint on the canvas.
void PaintControl(TControl& control, TCanvas& canvas, TMessage& message, const std::function<void()>& paint);
// Fills the client area with the control's colour for WM_ERASEBKGND; false for other messages.
bool EraseControlBackground(TControl& control, TMessage& message);
