#pragma once
// The skin objects a skin description produces: one frame strip each with its margins, frame
// count, transparency, tiling, style and state colours, named after the ini section it was read
// from. The painters only read them; the skin data component owns them.
#include <string>

#include "FrameGeometry.h"
#include "components/TBitmap.h"
#include "components/TObject.h"

class TDataSkinObject : public TObject {
    DECLARE_CLASS(TDataSkinObject, TObject)
public:
    explicit TDataSkinObject(const std::string& name = std::string()) : Name(name) {}

    TFrameMargins Margins() const { return TFrameMargins{LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    bool HasImage() const { return !Image.Empty(); }

    // The unscaled borders of the frame. The title object keeps its text shifts here, the menu
    // bar the widths of its left and right pieces.
    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    TBitmap Image;  // the frame strip
    int Trans = 0;  // non-zero: magenta is transparent
    // Image objects: 0 stretches the centre, 1 tiles it. The borders keep their "Stretch" here
    // (1 stretch, anything else tile), the menu bar its "TileMenu".
    int Tile = 0;
    std::string Name;
    int Frame = 0;  // frames in the strip
    int Style = 0;
    int NormalColour = -1;  // -1: not given
    int MouseOverColour = -1;
    int PressedColour = -1;
    TColor NormalColour2 = clBtnText;  // text colours of the states
    TColor MouseOverColour2 = clBtnText;
    TColor PressedColour2 = clBtnText;
};

// An object with a second picture: the tab pane of tabs, the up-down glyphs, the progress bar's
// and combo button's own.
class TDataSkinBorder : public TDataSkinObject {
    DECLARE_CLASS(TDataSkinBorder, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap Image2;
};

// The title bar: its text background and how the caption is placed and coloured. The margins
// hold TextShift, TextShiftVert, TextRightClip and 0.
class TDataSkinTitle : public TDataSkinObject {
    DECLARE_CLASS(TDataSkinTitle, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 14;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    TColor ActiveText = clNone;  // clNone (0x1FFFFFFF) while the skin gives none
    TColor InActiveText = clNone;
};

// The push buttons, with the check and radio marks.
class TDataSkinButton : public TDataSkinObject {
    DECLARE_CLASS(TDataSkinButton, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    TBitmap CheckButton;
    TBitmap RadioButton;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    // Whether the skin gave the text colours of the states.
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// A title-bar button: what it does, where it sits and when it shows.
class TDataSkinSysButton : public TDataSkinObject {
    DECLARE_CLASS(TDataSkinSysButton, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = -1;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group box, with how its caption background is placed.
class TDataSkinBoxLabel : public TDataSkinObject {
    DECLARE_CLASS(TDataSkinBoxLabel, TDataSkinObject)
public:
    using TDataSkinObject::TDataSkinObject;

    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};
