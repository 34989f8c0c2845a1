// Colour styles of the toolkit and the theme colours derived from the system's colours.
#pragma once

#include "afxwin.h"

#define GUISTYLE_XP 32769   // flat, grey faces
#define GUISTYLE_2003 32770 // blue faces

class GuiDrawLayer {
public:
    static DWORD m_Style; // the style every toolkit control paints with

    static COLORREF GetRGBColorFace(DWORD dwStyle = m_Style);
    static COLORREF GetRGBColorShadow(DWORD dwStyle = m_Style);
    static COLORREF GetRGBColorBTNHigh();
    static COLORREF GetRGBColorHot(DWORD dwStyle = m_Style);
    static COLORREF GetRGBColorPressed(DWORD dwStyle = m_Style);
    static COLORREF GetRGBColorBorder(DWORD dwStyle = m_Style);
    // percentA of a, the rest of b.
    static COLORREF Mix(COLORREF a, COLORREF b, int percentA);
};
