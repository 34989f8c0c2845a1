#pragma once
// What the check-box and radio-button skins share: the mark cut from the skin's strip, placed at
// the left or (BS_LEFTTEXT) the right edge, and for controls of the component layer the caption
// beside it. A raw window keeps the system's drawing and gets only the skinned mark over it.
#include "SkinControl.h"

class TBitmap;

class TSkinMarkButton : public TSkinControl {
    DECLARE_CLASS(TSkinMarkButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    // Kind 1 for a control of the component layer: it is painted whole, caption included.
    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;

    // The parent's background shows behind the mark and caption instead of the face colour.
    bool Transparent = false;

protected:
    // The skin's strip of marks and its count of frames; nullptr when the skin has none.
    virtual TBitmap* MarkStrip(int& frameCount) const = 0;
    // The frame of the strip that shows the control's state.
    virtual int MarkFrame(int frameCount) = 0;
    // Pixels between the mark and the right edge when it stands there.
    virtual int RightInset() const { return 0; }

private:
    bool HasMarks() const;
    void PaintCaption(HDC dc, const TRect& textArea, UINT alignment);
};
