#pragma once
// Painters the panel, tab, header and scroll-bar skins share.
#include "components/Win32.h"

#include <string>

#include "components/Colors.h"
#include "components/ControlTypes.h"

class TCanvas;

// The canvas takes the window's font (WM_GETFONT; the GUI font for a window without one).
void SelectWindowFont(TCanvas* canvas, HWND window);
// The rectangle filled with the colour.
void FillColour(HDC dc, const TRect& r, TColor colour);
// A tab's caption centred in the rectangle: alignment 0 left, 1 right, 2 centre; in the shadow
// colour when not enabled. Transparent, in the canvas's font with its style cleared.
void DrawTabCaption(TCanvas* canvas, const TRect& r, const std::wstring& text, int alignment, bool enabled);
