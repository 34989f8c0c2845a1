#pragma once
// The push button's skin: the skin's five-frame button picture (normal, pressed, disabled, hot,
// focused) with the caption over it. The button keeps its own behaviour (clicks, focus, keys);
// its presses pass through its own procedure with its drawing held, so that only the skin shows.
#include <string>

#include "SkinControl.h"

class TCanvas;
class TDataSkinButton;

class TSkinButton : public TSkinControl {
    DECLARE_CLASS(TSkinButton, TSkinControl)
public:
    using TSkinControl::TSkinControl;

    void AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void PaintSkin(HDC dc, const TRect& r) override;
    // Text centred (DT_CENTER) or aligned in the rectangle, its first "||" a line break, with a
    // focus rectangle when focused.
    void DrawCaption(TCanvas* canvas, const TRect& r, UINT alignment);

    // The parent's background shows around the picture instead of the face colour.
    bool Transparent = false;

protected:
    // The skin's push-button object; nullptr when it has no picture.
    TDataSkinButton* ButtonObject() const;
    // The component whose published properties the picture reads: the control, or the
    // windowless control painted through its own canvas.
    TControl* Source() const { return Control ? Control : GraphicControl; }
    // The caption: the control's "Caption", or the window's text.
    void ReadText();
    // The message through the control's own procedure with its drawing held. False when the
    // skin or the window went meanwhile (the click's handler closed the form): nothing of the
    // skin may be touched then.
    bool PassQuietly(TMessage& message);
    // The text colour of the frame: the skin's for normal, hot and pressed where it gives one,
    // the shadow colour when disabled, else the colour given.
    TColor FrameTextColour(int frame, TColor own) const;
    // The buffer's background: the parent's, or the face colour.
    void PaintBackground(HDC dc, const TRect& r);
    // The control's "Font" on the canvas, or the raw window's own font.
    void TakeFont(TCanvas* canvas);
    void ReadTransparent();

private:
    int Frame() const;
};

// Tag of a control whose button skin shows its parent's background.
constexpr int TransparentButtonTag = 5555;
