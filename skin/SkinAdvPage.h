#pragma once
// The skin of an advanced page control of another library: in page mode 4 its tab backgrounds
// are rendered from the skin's tab frames and handed to it; the control paints itself.
#include "SkinControl.h"

class TSkinAdvPage : public TSkinControl {
    DECLARE_CLASS(TSkinAdvPage, TSkinControl)
public:
    TSkinAdvPage(TComponent* owner, int pageMode) : TSkinControl(owner), PageMode(pageMode) {}

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    void RestoreColors() override;
    void PaintSkin(HDC dc, const TRect& r) override;
    void Reskin() override;

    int PageMode = 0;
    TSkinControl* UpDown = nullptr;  // owned by this skin

private:
    void SetTabBackgrounds();
};

// The page mode in which the tab backgrounds come from the skin.
constexpr int PageModeTabBackgrounds = 4;
