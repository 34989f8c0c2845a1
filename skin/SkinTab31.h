#pragma once
// The skin of a tab set (the older row of tabs under a notebook): the tabs drawn on the skin's
// tab frames, turned upside down, from the set's first shown tab as far as they fit.
#include "SkinControl.h"
#include "components/TBitmap.h"

class TSkinTab31 : public TSkinControl {
    DECLARE_CLASS(TSkinTab31, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    bool BeforeMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;
    void Reskin() override;

    // The tab set's scroll control and the up-down skin over it, while one is known: the tabs
    // then leave room for it.
    TControl* ScrollControl = nullptr;
    TSkinControl* UpDown = nullptr;

private:
    void PrepareImage();
    int TabCaptionWidth(TCanvas* canvas, const std::wstring& caption);

    TBitmap FTabImage;
    TBitmap FWork;
};
