#pragma once
// Control skins on skinned forms in the test's own process: controls placed on a form that the
// engine has skinned, and controls rendered into memory bitmaps through their own WM_PAINT with
// the bitmap's DC, read against the colour plan of the console's skin (skin/data/COLOURS.md).
#include "SkinWindowSupport.h"
#include "components/TWinControl.h"

// Image numbers of the colour plan.
enum { PushButtonImage = 7, CheckImage = 8, RadioImage = 9, Check4Image = 10, Radio4Image = 11 };

// A control of the class placed on the form at (10, 10), 100 x 30, its window made.
template <class T>
T* PlaceControl(TWinControl& parent, int left = 10, int top = 10, int width = 100, int height = 30) {
    auto* control = new T(&parent);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    control->HandleNeeded();
    return control;
}

// The canvas the skinned form's control skins share.
TCanvas* SharedCanvas(TControl& form);

// A 24-bit bitmap filled with Untouched.
std::unique_ptr<TBitmap> BlankBitmap(int width, int height);
// The window as its WM_PAINT draws it into a memory bitmap (on Untouched).
std::unique_ptr<TBitmap> PaintWindow(HWND window);
// How many pixels of the rectangle have the colour.
int CountColour(TBitmap& bitmap, const TRect& r, TRgb colour);
TRgb ToRgb(TColor colour);
