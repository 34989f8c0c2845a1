#pragma once
// The skin of a date-time picker: a flat border in the skin's shadow colour and the skin's
// arrow button over the picker's own drop-down button.
#include "SkinControl.h"

class TArrowButton;

class TSkinDateTime : public TSkinControl {
    DECLARE_CLASS(TSkinDateTime, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    TArrowButton* ArrowButton = nullptr;  // owned: it goes with the skin
};
