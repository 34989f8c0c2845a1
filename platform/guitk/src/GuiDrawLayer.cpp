#include "GuiDrawLayer.h"

DWORD GuiDrawLayer::m_Style = GUISTYLE_XP;

COLORREF GuiDrawLayer::Mix(COLORREF a, COLORREF b, int percentA)
{
    auto channel = [percentA](int x, int y) { return (x * percentA + y * (100 - percentA)) / 100; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// The blue style leans the system's colours towards a light blue; the grey one keeps them.
static const COLORREF kBlue = RGB(158, 190, 245);

COLORREF GuiDrawLayer::GetRGBColorFace(DWORD dwStyle)
{
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (dwStyle == GUISTYLE_2003)
        return Mix(Mix(kBlue, ::GetSysColor(COLOR_WINDOW), 35), face, 70);
    return Mix(face, ::GetSysColor(COLOR_WINDOW), 80);
}

COLORREF GuiDrawLayer::GetRGBColorShadow(DWORD dwStyle)
{
    if (dwStyle == GUISTYLE_2003)
        return Mix(kBlue, ::GetSysColor(COLOR_BTNSHADOW), 75);
    return Mix(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW), 60);
}

COLORREF GuiDrawLayer::GetRGBColorBTNHigh()
{
    return ::GetSysColor(COLOR_BTNHIGHLIGHT);
}

COLORREF GuiDrawLayer::GetRGBColorHot(DWORD dwStyle)
{
    if (dwStyle == GUISTYLE_2003)
        return RGB(255, 238, 194);
    return Mix(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 30);
}

COLORREF GuiDrawLayer::GetRGBColorPressed(DWORD dwStyle)
{
    if (dwStyle == GUISTYLE_2003)
        return RGB(254, 128, 62);
    return Mix(::GetSysColor(COLOR_HIGHLIGHT), ::GetSysColor(COLOR_WINDOW), 50);
}

COLORREF GuiDrawLayer::GetRGBColorBorder(DWORD dwStyle)
{
    if (dwStyle == GUISTYLE_2003)
        return RGB(0, 0, 128);
    return ::GetSysColor(COLOR_HIGHLIGHT);
}
