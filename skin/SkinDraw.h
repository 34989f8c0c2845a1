#pragma once
// Drawing skin frames: frame n of a frame strip cut out and drawn into a target rectangle,
// opaque or with magenta as the transparent colour, nine-grid scaled, stretched, centred or in
// slices; and the scratch bitmap the control painters share. A target rectangle whose right is
// left of its left, or whose bottom is above its top, draws nothing.
#include <memory>

#include "FrameGeometry.h"
#include "components/TBitmap.h"

class TCanvas;

// The transparent colour of skin images: magenta.
constexpr TColor SkinKeyColour = clFuchsia;

// Frame n of the strip scaled to the rectangle's size with its borders unscaled, the centre
// stretched or, with `tile`, repeated: a new bitmap of the rectangle's size (empty for an
// inverted rectangle).
std::unique_ptr<TBitmap> MakeSkinFrameBitmap(const TRect& r, TBitmap* strip, const TFrameMargins& margins, bool vertical,
                                             bool tile, int frameCount, int frameIndex);

// The nine-grid frame drawn at the rectangle, leaving magenta pixels out when transparent.
void DrawSkinFrame(HDC dc, const TRect& r, TBitmap* strip, bool vertical, bool tile, bool transparent, int frameCount,
                   int frameIndex, const TFrameMargins& margins);

// The frame in three slices: left border, middle repeated at its own width, right border, all
// stretched to the rectangle's height (the top and bottom margins are not used).
void DrawSkinFrameToCanvas(TCanvas* canvas, const TRect& r, TBitmap* strip, bool vertical, bool transparent, int frameCount,
                           int frameIndex, const TFrameMargins& margins);

// Frame n of a horizontal strip stretched over the whole rectangle.
void DrawSkinFrameStretched(HDC dc, const TRect& r, TBitmap* strip, bool transparent, int frameCount, int frameIndex);

// Frame n of a horizontal strip at its own size, centred in the rectangle (not cut when larger).
void DrawSkinFrameCentered(HDC dc, const TRect& r, TBitmap* strip, bool transparent, int frameCount, int frameIndex);

// Left slice, stretched middle, right slice straight into the context, always opaque; a
// rectangle narrower than the frame takes the whole frame stretched.
void DrawSkinFrameSliced(HDC dc, const TRect& r, TBitmap* strip, bool vertical, int frameCount, int frameIndex,
                         const TFrameMargins& margins);

// How a transparent copy is made: one masked copy (Windows NT), or the older sequence of
// exclusive-or, and, exclusive-or copies that every version of Windows has.
enum class TTransparentBlitMethod { Automatic, MaskBlt, InvertAndMask };

// The bitmap's top-left part, of the rectangle's size, copied to the rectangle, pixels of the
// key colour leaving the target as it was.
void TransparentBlit(HDC dc, const TRect& r, TBitmap* bitmap, TColor key,
                     TTransparentBlitMethod method = TTransparentBlitMethod::Automatic);

// The one scratch bitmap the control painters size and draw into before copying to the screen;
// its canvas stretches colour on colour.
TBitmap* SkinBackBuffer();
