#pragma once
// A button of a skinned title bar, made from one title-button description of the skin. The
// window lays the buttons out and decides which show; each knows its description and draws the
// frame of its state through the window.
#include "NCObject.h"

class TDataSkinSysButton;

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* skinButton) : TNCObject(form), SkinButton(skinButton) {}

    void Paint() override;

    TDataSkinSysButton* SkinButton;  // owned by the skin data
};
