#pragma once
// The skin of a page of a page control: the page in the skin's face colour.
#include "SkinControl.h"

class TSkinTabSheet : public TSkinControl {
    DECLARE_CLASS(TSkinTabSheet, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;
};
