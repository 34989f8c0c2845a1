#pragma once
// The bitmap button's skin: the push-button picture with a glyph (a strip of up to four
// looks, or an image of an image list) and the caption laid out by the button's Layout, Margin
// and Spacing, as the button itself would.
#include "SkinButton.h"

class TBitmap;

// Where glyph and text stand in a client area of CW x CH.
struct TGlyphLayout {
    TRect Glyph;
    TRect Text;
    UINT Format = DT_WORDBREAK;
};

// What the layout is made from: the glyph's size, Layout (0 glyph left, 1 right, 2 top, 3
// bottom), Margin and Spacing (-1: worked out), and whether the group is centred.
struct TGlyphLayoutInput {
    int ClientWidth = 0;
    int ClientHeight = 0;
    int GlyphWidth = 0;
    int GlyphHeight = 0;
    int Layout = 0;
    int Margin = -1;
    int Spacing = -1;
    bool Centred = false;       // "Alignment" taCenter
    bool SpeedButton = false;   // a given Spacing with Margin -1 puts the group one pixel further
};

// Measures the text (its first "||" already a line break) with the DC's font and lays out.
TGlyphLayout LayOutGlyphAndText(HDC dc, const std::wstring& text, const TGlyphLayoutInput& input);
// Layout names of the component libraries (blGlyphLeft ... blGlyphBottom) as 0 to 3.
int LayoutIndex(const std::string& layoutName);

class TSkinBitButton : public TSkinButton {
    DECLARE_CLASS(TSkinBitButton, TSkinButton)
public:
    using TSkinButton::TSkinButton;

    void PaintSkin(HDC dc, const TRect& r) override;
    // Glyph n of the strip (the first when n is above the count; 2, disabled, greyed), its
    // bottom-left colour transparent, at the rectangle's top-left.
    static void DrawGlyph(TCanvas* canvas, const TRect& r, int frameCount, int glyphIndex, TBitmap* strip);

    // A graphic property read in place of "Glyph", not cut into looks; empty: "Glyph".
    std::string GraphicProperty;

protected:
    // The glyph strip the control shows (its "Glyph", or GraphicProperty's picture) and its
    // count of looks.
    TBitmap* GlyphStrip(int& frameCount) const;
    // Caption, glyph and focus over the buffer, the frame already drawn.
    void PaintContent(TCanvas* canvas, const TRect& area, int frame, int glyphIndex, bool centredByAlignment,
                      bool speedButton, bool focusRect);
};
