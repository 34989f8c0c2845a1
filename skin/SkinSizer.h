#pragma once
// The skin of a size-grip scroll bar: the grip becomes plain face colour.
#include "SkinControl.h"

class TSkinSizer : public TSkinControl {
    DECLARE_CLASS(TSkinSizer, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void PaintSkin(HDC dc, const TRect& r) override;
};
