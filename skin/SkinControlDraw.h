#pragma once
// The painters several control skins share: captions, an image with its caption, a skin
// object's frame scaled to a rectangle, and glyph frames cut from a strip. Frames are counted
// from 1; a frame count below 1 counts as 1. An inverted rectangle draws nothing.
#include "components/Win32.h"

#include <commctrl.h>

#include <string>

#include "components/Colors.h"
#include "components/ControlTypes.h"

class TBitmap;
class TCanvas;
class TDataSkinObject;
class TImageList;
class TSkinControl;

// The text in the rectangle, centred vertically, aligned by DT_LEFT, DT_CENTER or DT_RIGHT;
// in the shadow colour when not enabled. Transparent, in the canvas's font.
void DrawSkinText(TSkinControl* skin, TCanvas* canvas, const TRect& r, const std::wstring& text, bool enabled,
                  int alignment);
// An image of the list and a one-line caption laid out as one group: alignment 0 left, 1
// centre, 2 right. Index -1 or an image as wide as the rectangle draws the caption alone.
void DrawTextWithImage(TSkinControl* skin, TCanvas* canvas, const TRect& r, TImageList* images, int imageIndex,
                       const std::wstring& text, int alignment);
// The same with an image list of the system's, as common controls hold them.
void DrawTextWithSystemImage(TSkinControl* skin, TCanvas* canvas, const TRect& r, HIMAGELIST images, int imageIndex,
                             const std::wstring& text, int alignment);
// Frame n of the object's strip, nine-grid scaled by its margins and tiling to the rectangle;
// without its magenta pixels when the object is transparent.
void DrawSkinObject(HDC dc, const TRect& r, TDataSkinObject* object, int frameIndex, int frameCount);
// Frame n of a horizontal strip stretched to the rectangle, magenta left out: through a
// canvas on the DC, on the canvas, or with a masked copy.
void DrawGlyphFrame(HDC dc, const TRect& r, TBitmap* strip, int frameIndex, int frameCount);
void DrawGlyphFrameTransparent(TCanvas* canvas, const TRect& r, TBitmap* strip, int frameIndex, int frameCount);
void DrawGlyphFrameMasked(HDC dc, const TRect& r, TBitmap* strip, int frameIndex, int frameCount);
// The shared back buffer, from its origin, onto the rectangle.
void BlitBackBuffer(HDC dc, const TRect& r);
// The text with the first occurrence of the pattern replaced.
std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement);
