#pragma once
// The skin engine's own window messages. Every skinned window, control and popup menu answers
// WM_SKINQUERY with 1, which is how the engine tells that a window is taken already.
#include "components/Win32.h"

// The form hook re-applies the skin's colours.
constexpr UINT WM_SKINAPPLYCOLORS = 0x3401;
// Paints the frame and title bar again.
constexpr UINT WM_SKINPAINTCAPTION = 0x3502;
// Posted (0, SkinStartTag) to a window just taken on: its frame and controls are skinned now.
constexpr UINT WM_SKINSTART = 0x3503;
// To a control skin: wParam > 0 switches the skin on and repaints, else the control runs alone.
constexpr UINT WM_SKINENABLE = 0x3506;
// From the tab skin to its form (tab control, page index) when a close mark is clicked; an
// answer of 0 lets the page go.
constexpr UINT WM_SKINTABCLOSE = 0x3507;
// Posted (action, 0) to its window by a title-bar button of an action the engine has no use of.
constexpr UINT WM_SKINSYSACTION = 0x3514;
// Sent (action, visibility) to its window for a title-bar button that the program shows or
// hides; an answer above 0 shows it.
constexpr UINT WM_SKINBUTTONQUERY = 0x3515;
// Posted (window, 0) to the MDI client: it redraws itself and its children with their frames.
constexpr UINT WM_SKINMDIREDRAW = 0x3516;
// Posted (control, 0) by a scroll-bar skin to its form: the scroll bars are made anew.
constexpr UINT WM_SKINSCROLLBAR = 0x3517;
// Opens the menu-bar item under the screen point in lParam.
constexpr UINT WM_SKINMENUBAR = 0x3518;
// "Are you skinned?": 1 from every skinned window, control and popup menu.
constexpr UINT WM_SKINQUERY = 0x3523;
// From other components, with lParam SkinAnswerKey: paint into the DC in wParam.
constexpr UINT WM_SKINPAINTTO = 0xBC4A;
// The same for a skinned window's frame and title bar.
constexpr UINT WM_SKINPAINTFRAMETO = 0xBC4B;
// Answered SkinAnswerKey when asked with it, else 1.
constexpr UINT WM_SKINPROBE = 0xBC4D;
// A skinned window tells itself (0, SkinAnswerKey) that its skin is in place.
constexpr UINT WM_SKINREADY = 0xBC4E;

constexpr LPARAM SkinAnswerKey = 0x41A2;
constexpr LPARAM SkinStartTag = 1000;

// The system's own request to draw the caption, which a skinned frame declines.
constexpr UINT WM_SYSTEMCAPTIONREDRAW = 0xAE;
