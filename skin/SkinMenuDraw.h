#pragma once
// Menu items drawn with the skin's colours: one text of an item (or its separator line), and a
// whole item with its glyph or check mark, caption and short cut, left to right or mirrored for
// right-to-left menus. The skinned window's owner-draw handlers draw the item's background and
// call these for what goes on it.
#include "components/Win32.h"

#include <string>

class TCanvas;
class TMenuItem;
class TWinSkinForm;

// The text in the skin's menu colours (highlighted text when selected, the shadow colour when
// disabled, bold for the default item); "-" is the separator, an etched line below the
// rectangle's top. With DT_CALCRECT the rectangle is measured, an empty text as a blank.
void DrawMenuItemText(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, UINT format, bool selected, RECT& r,
                      std::wstring text);

// Check mark or image in the glyph box, the caption centred in the item's height and the short
// cut at the right; right-to-left menus are drawn mirrored.
void DrawSkinMenuItem(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, bool selected, const RECT& r);
void DrawSkinMenuItemRTL(TWinSkinForm* form, TMenuItem* item, TCanvas* canvas, bool selected, const RECT& r);
