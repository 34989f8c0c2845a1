#pragma once
// The skin of a panel (and of the other plain containers): it hooks nothing and only gives the
// container the skin's face colour, which it hands back when the skin goes.
#include "SkinControl.h"

// State of a box whose colours are given back already.
enum : int { scColorsRestored = 2, scKeepColors = 4 };

class TSkinBox : public TSkinControl {
    DECLARE_CLASS(TSkinBox, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void RestoreColors() override;
    void AfterMessage(TMessage&) override {}
};
