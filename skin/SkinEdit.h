#pragma once
// The skin of an edit: its sunken border replaced by a flat one in the skin's shadow colour,
// and an up-down inside it (a spin edit's) skinned as part of it.
#include <memory>

#include "SkinControl.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    DECLARE_CLASS(TSkinEdit, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // The skin of the up-down inside the edit; nullptr until one was found (or after it went).
    TSkinUpDown* UpDown() const;

private:
    void AttachSpinChild();
    void PrintFrame(HDC dc);
    void RestoreGivenDC(const TMessage& message);

    TSkinUpDown* FUpDown = nullptr;
    std::weak_ptr<bool> FUpDownLife;  // the up-down's skin goes with its window
    int FSavedDC = 0;  // the state of a DC given with WM_PAINT, before the edit painted into it
};

// Whether a window class (any letter case) is one of the spin buttons an edit may hold.
bool IsSpinClassName(const std::string& className);
