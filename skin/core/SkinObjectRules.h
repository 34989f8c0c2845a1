#pragma once
// The rules by which the skin description's objects get their frame counts, which sections are
// title buttons, and the colours of the derived tool bar background. Free of Win32: colours
// come here resolved (no system colours).
#include <string>

#include "components/Colors.h"

// A frame count as a skin object keeps it: a count below 1 is taken as 1, since every painter
// divides its strip by it.
int KeptFrameCount(int frameCount);

// A section whose name begins with "Button" (any letter case) describes a title-bar button,
// except "Button", "Buttons", "Button.Radio" and "Button.CheckBox", which describe controls.
bool IsTitleButtonSection(const std::string& section);
// A title button of action -1 is a decoration, kept only when its visibility says 0.
bool KeepsTitleButton(int action, int visibility);
// The title buttons kept, in the order of the description: more than a title bar can show.
// The sections past them are ignored, so that a description of thousands costs no more.
constexpr int MaxTitleButtons = 16;

// The frame count of a title button: as read when given, else worked out from its strip (3 for
// a strip up to 3.8 times as wide as high, 6 for a wider strip, no strip, or a negative
// action).
int TitleButtonFrameCount(int frameRead, int imageWidth, int imageHeight, int action);
// The window-icon buttons (actions 3 and 11) without a frame count show the window's own icon
// instead of their strip.
bool TitleButtonLosesImage(int frameRead, int action);

// The frame count of a check or radio mark strip: as read when given, else one frame per 13
// pixels of width for marks below 16 pixels high and per 16 pixels otherwise, at least 4.
int MarkFrameCount(int frameRead, int imageWidth, int imageHeight);

// The tool bar background's gradient, top to bottom: the face lightened toward white, down to
// the sampled background darkened toward gray, or, for a strongly coloured background,
// lightened by an amount that falls as the colour's saturation rises.
struct TToolbarGradient {
    TColor Top;
    TColor Bottom;
};
TToolbarGradient ToolbarGradientColours(TColor face, TColor sampledBackground);
