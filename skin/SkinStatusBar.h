#pragma once
// The skin of a status bar: its panels (or its simple text) on the skin's edge frames, the size
// grip from the extra images, all painted in place of the bar's own painting.
#include "SkinControl.h"

class TSkinStatusBar : public TSkinControl {
    DECLARE_CLASS(TSkinStatusBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

private:
    // Frame 1 sunken, 2 raised, 3 flat; bevels of the system's colours without an edge image.
    void PaintFrame(HDC dc, const TRect& r, int frameIndex);
    void PaintSimpleText(TCanvas* canvas, const TRect& r);
    void PaintPanels(TCanvas* canvas, const TRect& r);
    void PaintSizeGrip(HDC dc, const TRect& r);
    void CallDrawPanelHandler(HDC dc);  // the owner-drawn panels, after the skin
};
