#pragma once
// The skin of a group box: a rounded frame in the skin's shadow colour with the caption on the
// face colour across its top. A raw group box is painted over its own etched frame.
#include "SkinControl.h"

class TSkinGroupBox : public TSkinControl {
    DECLARE_CLASS(TSkinGroupBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;
};
