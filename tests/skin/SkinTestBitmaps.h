#pragma once
// Pictures the skin drawing tests make for themselves: flat-coloured frame strips in which
// every frame and every zone of its nine-grid has a colour of its own, so that a pixel of the
// result tells which frame and which piece was drawn there.
#include <memory>

#include "FrameGeometry.h"
#include "components/TBitmap.h"

// Zone (column, row) of frame n (from 1): columns and rows 0, 1, 2 are border, middle, border.
// No zone colour is magenta or white.
TColor ZoneColour(int frame, int column, int row);

// A 24-bit bitmap of one colour.
std::unique_ptr<TBitmap> FlatBitmap(int width, int height, TColor colour);

// `frames` frames of frameWidth x frameHeight side by side (or stacked), each cut into nine
// zones by the margins.
std::unique_ptr<TBitmap> ZonedStrip(int frames, int frameWidth, int frameHeight, bool vertical, const TFrameMargins& zones);

// The zone colour the pixel of a frame falls in, for a frame of that size cut by the margins.
TColor ExpectedZone(int frame, int x, int y, int frameWidth, int frameHeight, const TFrameMargins& zones);

TColor PixelOf(TBitmap& bitmap, int x, int y);
void Fill(TBitmap& bitmap, const TRect& r, TColor colour);
