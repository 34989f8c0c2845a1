#pragma once
// Bitmap utilities of the skin painters: a window region from a picture, a control's parent
// painted behind it, pixel changes on 24-bit pictures (gray, recolour, mirror, flip, rotate),
// colour mixing and saturation, cached gradient fills.
#include <string>

#include "components/TBitmap.h"

class TControl;

// The region of the picture's pixels that are not the key colour (each channel from the key's
// value up to the value plus its tolerance counts as key), moved by the offsets. The caller
// owns it; a picture of nothing but the key gives an empty region.
HRGN BitmapToRegion(TBitmap* bitmap, int xOffset, int yOffset, int blueTolerance, int greenTolerance, int redTolerance,
                    TColor key);

// Paints what the control's parent shows under the control into the context, in the control's
// own coordinates; nothing for a control without a parent.
void PaintParentBackground(TControl* control, HDC dc);

// The picture made 24-bit, each pixel the mean of its three channels.
void GrayBitmap(TBitmap* bitmap);
// The picture made 24-bit, its magenta pixels in the colour.
void RecolorMaskedBitmap(TBitmap* bitmap, TColor colour);
// The picture (made 24-bit) turned left to right, or top to bottom.
void MirrorBitmap(TBitmap* bitmap);
// Each frame of a horizontal strip (made 24-bit) turned left to right where it stands, so that
// the frames keep their order.
void MirrorFrames(TBitmap* bitmap, int frameCount);
void FlipBitmap(TBitmap* bitmap);
// The picture (made 24-bit) turned a quarter counter-clockwise or clockwise: its width and
// height swap.
void RotateBitmapLeft(TBitmap* bitmap);
void RotateBitmapRight(TBitmap* bitmap);

// The target given the source's size and pixel format, with the source drawn on it (without its
// transparent colour when the source is transparent).
void CopyBitmap(TBitmap* source, TBitmap* target);

// Colour 1 mixed into colour 2, system colours resolved first: a weight of 0 to 99 is a
// percentage of colour 1, 100 and more are thousandths (100 is 10 %).
TColor Blend(TColor colour1, TColor colour2, int weight);

// The rectangle filled with the colours from colour 1 to colour 2, top to bottom (vertical) or
// left to right; only the lines inside the clip box are filled, each in the colour it has in
// the whole ramp.
void GradientFillRect(HDC dc, const TRect& r, TColor colour1, bool vertical, TColor colour2);

// How saturated the colour (a system colour resolved) looks: 0 to 255 when a channel reaches
// 160, else 200.
int SaturationLevel(TColor colour);

// Where the engine's trace points report; it keeps nothing.
void SkinLog(const std::string& text);
