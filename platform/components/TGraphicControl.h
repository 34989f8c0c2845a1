#pragma once
// A control that draws itself (label, shape, image, tool button): its window is of a class of
// its own, takes no focus and holds no other control.
#include "components/TCanvas.h"
#include "components/TControl.h"

class TGraphicControl : public TControl {
    DECLARE_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    TCanvas* Canvas() { return &FCanvas; }

protected:
    void WndProc(TMessage& message) override;
    // Draws the control on Canvas, whose background is already filled with Color.
    virtual void Paint() {}

private:
    TCanvas FCanvas;
};
