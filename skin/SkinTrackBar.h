#pragma once
// The skin of a track bar, through the bar's custom drawing: the thumb and the channel come
// from the skin, the tick marks stay the bar's own.
#include "SkinControl.h"

#include <commctrl.h>

class TSkinTrackBar : public TSkinControl {
    DECLARE_CLASS(TSkinTrackBar, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void Reskin() override;

private:
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
    void DrawThumb(HDC dc);
    void DrawChannel(HDC dc);
};
