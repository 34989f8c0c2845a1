#pragma once
// The skin of a speed button, a button without a window of its own that the component layer
// paints through the control's canvas: it is hooked through the control's WindowProc and
// paints there. Flat buttons show the bare background at rest; a button held down shows the
// pressed picture with its own glyph.
#include "SkinBitButton.h"

class TSkinSpeedButton : public TSkinBitButton {
    DECLARE_CLASS(TSkinSpeedButton, TSkinBitButton)
public:
    using TSkinBitButton::TSkinBitButton;

    // Hooks the speed button (the owner).
    void AttachGraphic(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas);
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintMessage(HDC dc) override;
    void PaintSkin(HDC dc, const TRect& r) override;
    // The picture on the canvas over the rectangle.
    void PaintOnCanvas(TCanvas* canvas, const TRect& r);

    // The frame and glyph of a look: 1 normal, 2 pressed, 3 disabled, 4 hot.
    struct TLook {
        int Frame = 1;
        int Glyph = 1;
    };
    static TLook LookOf(unsigned mouseState, bool enabled, bool down);

private:
    // WM_PAINT through the control's canvas, on the message's DC or a paint DC.
    void PaintOnControlCanvas(TMessage& message);
    TRect ClientArea() const;
    bool FPainting = false;
};
