// The console's own skin read into skin objects: every object's picture, frames, margins and
// flags against the colour plan (skin/data/COLOURS.md), the colours, the title buttons, the
// pictures derived after reading, regions from the transparent corners, and what the
// description's rules make of values a skin may give.
#include <gtest/gtest.h>

#include "ColourMath.h"
#include "GuiTestSupport.h"
#include "ImgUtil.h"
#include "SkinObjectRules.h"
#include "SkinDataSupport.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"

namespace {

struct TExpectedObject {
    const char* Name;
    int Image;           // its number in the colour plan
    int ImageFrames;     // frames drawn in the picture
    int FrameCount;      // the count the object keeps
    int FrameWidth, FrameHeight;
    bool Stacked;
    int Left, Top, Right, Bottom;
    int Trans, Tile;
    enum { None, Corners, RoundTopLeft, RoundTopRight, RoundTop, Disc, Glyph } Shape;
};

// Object, plan number, frames, margins (left, top, right, bottom) as the object keeps them.
const TExpectedObject Expected[] = {
    {"Title", 5, 1, 2, 40, 20, false, 30, 6, 120, 0, 0, 0, TExpectedObject::None},
    {"Buttons", 7, 5, 5, 24, 22, false, 4, 4, 4, 4, 1, 0, TExpectedObject::Corners},
    {"Tabs", 12, 5, 5, 40, 20, false, 4, 4, 4, 0, 1, 0, TExpectedObject::RoundTop},
    {"UpDown.Horz", 40, 8, 8, 16, 16, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"UpDown.Vert", 42, 8, 8, 16, 10, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"ExtraImages", 21, 5, 5, 12, 12, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Glyph},
    {"GroupBoxEdge", 18, 2, 2, 30, 30, false, 4, 4, 4, 4, 0, 0, TExpectedObject::None},
    {"ToolBars", 22, 5, 5, 24, 22, false, 3, 3, 3, 3, 0, 0, TExpectedObject::None},
    {"Progress", 23, 2, 2, 40, 16, false, 3, 3, 3, 3, 1, 0, TExpectedObject::Corners},
    {"Progress.Chunk", 24, 1, 1, 8, 10, false, 0, 0, 0, 0, 0, 1, TExpectedObject::None},
    {"GroupBox", 17, 1, 1, 30, 30, false, 6, 6, 6, 6, 0, 0, TExpectedObject::None},
    {"StatusBarEdges", 15, 3, 3, 20, 20, false, 2, 2, 2, 2, 0, 0, TExpectedObject::None},
    {"Tab.Pane", 14, 1, 1, 30, 30, false, 4, 4, 4, 4, 0, 0, TExpectedObject::None},
    {"Headerbar", 16, 5, 5, 30, 20, false, 3, 3, 3, 3, 0, 0, TExpectedObject::None},
    {"Personality", 6, 2, 2, 40, 20, false, 6, 0, 6, 0, 0, 1, TExpectedObject::None},  // the menu bar
    {"MenuItem", 25, 5, 5, 40, 20, false, 4, 2, 4, 2, 0, 0, TExpectedObject::None},
    {"MenuBackground", 26, 1, 1, 40, 40, false, 3, 3, 3, 3, 0, 0, TExpectedObject::None},
    {"Scrollbar", 27, 23, 23, 16, 16, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"HorzScroll", 28, 4, 4, 30, 16, false, 3, 0, 3, 0, 0, 0, TExpectedObject::None},
    {"VertScroll", 29, 4, 4, 16, 30, false, 0, 3, 0, 3, 0, 0, TExpectedObject::None},
    {"HorzScrollThumb", 30, 3, 3, 20, 16, false, 3, 3, 3, 3, 1, 0, TExpectedObject::Corners},
    {"VertScrollThumb", 31, 3, 3, 16, 20, false, 3, 3, 3, 3, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbHorz", 32, 5, 5, 11, 20, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbVert", 33, 5, 5, 20, 11, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbLeft", 34, 5, 5, 20, 11, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbRight", 35, 5, 5, 20, 11, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbUp", 36, 5, 5, 11, 20, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Trackbar.ThumbDown", 37, 5, 5, 11, 20, false, 0, 0, 0, 0, 1, 0, TExpectedObject::Corners},
    {"Track", 38, 1, 1, 30, 4, false, 3, 0, 3, 0, 0, 0, TExpectedObject::None},
    {"TRACKVERT", 39, 1, 1, 4, 30, false, 0, 3, 0, 3, 0, 0, TExpectedObject::None},
    {"Left", 1, 2, 2, 5, 60, false, 0, 26, 0, 5, 1, 1, TExpectedObject::RoundTopLeft},
    {"Right", 2, 2, 2, 5, 60, false, 0, 26, 0, 5, 1, 1, TExpectedObject::RoundTopRight},
    {"Top", 3, 2, 2, 80, 26, true, 20, 0, 20, 0, 1, 1, TExpectedObject::None},
    {"Bottom", 4, 2, 2, 80, 5, true, 10, 0, 10, 0, 1, 1, TExpectedObject::None},
};

// A transparent pixel of the shape in the frame at (x, y), and an opaque one next to it.
void ExpectShape(TBitmap& image, const TExpectedObject& e, int x, int y) {
    switch (e.Shape) {
    case TExpectedObject::None:
        EXPECT_NE(RgbAt(image, x, y), Magenta);
        break;
    case TExpectedObject::Corners:
    case TExpectedObject::RoundTopLeft:
    case TExpectedObject::RoundTop:
    case TExpectedObject::Disc:
    case TExpectedObject::Glyph:
        EXPECT_EQ(RgbAt(image, x, y), Magenta);
        EXPECT_EQ(RgbAt(image, x + e.FrameWidth - 1, y + e.FrameHeight - 1) == Magenta,
                  e.Shape == TExpectedObject::Corners || e.Shape == TExpectedObject::Disc || e.Shape == TExpectedObject::Glyph);
        break;
    case TExpectedObject::RoundTopRight:
        EXPECT_NE(RgbAt(image, x, y), Magenta);
        EXPECT_EQ(RgbAt(image, x + e.FrameWidth - 1, y), Magenta);
        break;
    }
}

class SkinObjects : public ::testing::Test {
protected:
    static void SetUpTestSuite() { form = new TSkinForm(ReadSkinForm(FileBytes(SkinPackagePath()))); }
    static void TearDownTestSuite() {
        delete form;
        form = nullptr;
    }
    TSkinData& skin() { return *form->Skin; }
    static TSkinForm* form;
};
TSkinForm* SkinObjects::form = nullptr;

int ScrollButtonWidth() { return GetSystemMetrics(SM_CXHSCROLL) + 2; }

}  // namespace

TEST_F(SkinObjects, EveryObjectHoldsItsPictureFramesAndMargins) {
    for (const TExpectedObject& e : Expected) {
        SCOPED_TRACE(e.Name);
        TDataSkinObject* object = skin().Objects.Find(e.Name);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Frame, e.FrameCount);
        EXPECT_EQ(object->LeftWidth, e.Left);
        EXPECT_EQ(object->TopHeight, e.Top);
        EXPECT_EQ(object->RightWidth, e.Right);
        EXPECT_EQ(object->BottomHeight, e.Bottom);
        EXPECT_EQ(object->Trans, e.Trans);
        EXPECT_EQ(object->Tile, e.Tile);
        TBitmap& image = object->Image;
        EXPECT_EQ(image.Width(), e.Stacked ? e.FrameWidth : e.FrameWidth * e.ImageFrames);
        EXPECT_EQ(image.Height(), e.Stacked ? e.FrameHeight * e.ImageFrames : e.FrameHeight);
        for (int frame = 1; frame <= e.ImageFrames; ++frame) {
            const int x = e.Stacked ? 0 : (frame - 1) * e.FrameWidth;
            const int y = e.Stacked ? (frame - 1) * e.FrameHeight : 0;
            EXPECT_EQ(RgbAt(image, x + e.FrameWidth / 2, y + e.FrameHeight / 2), Plan(e.Image, frame, 4)) << "frame " << frame;
            ExpectShape(image, e, x, y);
        }
    }
    // The title buttons and the derived objects are checked below; nothing else is there.
    EXPECT_EQ(skin().Objects.All().size(), std::size(Expected) + skin().Objects.TitleButtons.size() + 4);
}

TEST_F(SkinObjects, SecondPicturesAndTheMarksOfTheButtons) {
    TDataSkinBorder& tabs = *skin().Objects.Tabs;
    EXPECT_EQ(tabs.Style, 1);
    EXPECT_EQ(tabs.Image2.Width(), 30);
    EXPECT_EQ(RgbAt(tabs.Image2, 15, 15), Plan(13, 1, 4));
    TDataSkinBorder& upDown = *skin().Objects.UpDownVert;
    EXPECT_EQ(upDown.Image2.Width(), 64);
    EXPECT_EQ(upDown.Image2.Height(), 6);
    EXPECT_EQ(RgbAt(upDown.Image2, 8 * 7 + 4, 3), Plan(43, 8, 4));
    EXPECT_EQ(RgbAt(upDown.Image2, 8 * 7, 0), Magenta);

    TDataSkinButton& button = *skin().Objects.Button;
    EXPECT_EQ(button.CheckButtonFrame, 12);
    EXPECT_EQ(button.RadioButtonFrame, 8);
    EXPECT_EQ(RgbAt(button.CheckButton, 13 * 11 + 6, 6), Plan(8, 12, 4));
    EXPECT_EQ(RgbAt(button.RadioButton, 13 * 7 + 1, 0), Magenta) << "the disc's corner";
    EXPECT_EQ(button.NormalColour, 0x302010);
    EXPECT_EQ(button.MouseOverColour, 0x605040);
    EXPECT_EQ(button.PressedColour, 0x908070);
    EXPECT_TRUE(button.HasNormalColour2 && button.HasMouseOverColour2 && button.HasPressedColour2);
    EXPECT_EQ(button.NormalColour2, RGB(16, 32, 48));
    EXPECT_EQ(button.MouseOverColour2, RGB(64, 80, 96));
    EXPECT_EQ(button.PressedColour2, RGB(112, 128, 144));

    const TDataSkinBoxLabel& groupBox = *skin().Objects.GroupBox;
    EXPECT_EQ(groupBox.BackgroundAlignment, 0);
    EXPECT_EQ(groupBox.BackgroundLeftShift, 8);
    EXPECT_EQ(groupBox.BackgroundRightShift, 8);

    const TDataSkinTitle& title = *skin().Objects.Title;
    EXPECT_EQ(title.FontHeight, 14);
    EXPECT_EQ(title.TXTBackleft, 4);
    EXPECT_EQ(title.TXTBackRight, 4);
    EXPECT_EQ(title.ActiveText, RGB(250, 250, 246));
    EXPECT_EQ(title.InActiveText, RGB(190, 190, 186));
}

TEST_F(SkinObjects, ColoursOfTheDescription) {
    const TSkinColours& c = skin().Colours();
    EXPECT_EQ(c.WindowText, RGB(1, 1, 1));
    EXPECT_EQ(c.ButtonFace, RGB(213, 209, 201));
    EXPECT_EQ(c.Scrollbar, RGB(197, 193, 185));
    EXPECT_EQ(c.HilightText, RGB(255, 255, 253));
    EXPECT_EQ(c.Hilight, RGB(49, 105, 197));
    EXPECT_EQ(c.Menubar, RGB(221, 217, 209));
    EXPECT_EQ(c.Menu, RGB(239, 237, 233));
    EXPECT_EQ(c.MenuText, RGB(5, 5, 5));
    EXPECT_EQ(c.ButtonText, RGB(9, 9, 9));
    EXPECT_EQ(c.ButtonHilight, RGB(253, 253, 251));
    EXPECT_EQ(c.Buttonlight, RGB(245, 243, 239));
    EXPECT_EQ(c.ButtonShadow, RGB(161, 157, 149));
    EXPECT_EQ(c.ButtonDkShadow, RGB(85, 81, 73));
    EXPECT_EQ(c.MenuBarText, RGB(13, 13, 13));
    EXPECT_EQ(c.TitleTextActive, RGB(251, 251, 249));
    EXPECT_EQ(c.TitleTextNoActive, RGB(181, 181, 181));
    EXPECT_EQ(skin().ColourTable(), (std::vector<TColor>{RGB(17, 34, 51), RGB(68, 85, 102)}));
    for (int n = 0; n < 10; ++n) EXPECT_EQ(skin().CustomColours()[static_cast<std::size_t>(n)], RGB(30 + n, 60 + n, 90 + n));

    // Text colours of the states default to the skin's button text.
    EXPECT_EQ(skin().Objects.Tabs->NormalColour2, RGB(33, 33, 33));
    EXPECT_EQ(skin().Objects.Tabs->PressedColour2, RGB(9, 9, 9));
    EXPECT_EQ(skin().Objects.StatusBarEdges->NormalColour2, RGB(3, 6, 9));
    EXPECT_EQ(skin().Objects.MenuItem->NormalColour, -1);

    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(skin().FaceBrush(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(213, 209, 201));
    // A third of the way into the title bar's first frame.
    EXPECT_EQ(skin().SampledBackground(), RGB(12, 10, 120));
}

// Sections named Button and a number are title buttons; a decoration (action -1) needs a
// visibility of 0 (the lamps of Button8 and Button9 have it, Button10 has none).
TEST_F(SkinObjects, TitleButtonsWithTheirFramesAndTheMdiButtons) {
    const auto& buttons = skin().Objects.TitleButtons;
    std::vector<std::string> names;
    for (const auto& b : buttons) names.push_back(b->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"BUTTON1", "BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5", "BUTTON6", "BUTTON7",
                                               "BUTTON8", "BUTTON9", "BUTTON11", "BUTTON12", "BUTTON13", "BUTTON14",
                                               "BUTTON15", "MDICONTROLS", "MDICONTROLS", "MDICONTROLS"}));
    ASSERT_EQ(buttons.size(), 17u);
    TDataSkinSysButton& maximise = *buttons[1];
    EXPECT_EQ(maximise.Action, 1);
    EXPECT_EQ(maximise.Align, 1);
    EXPECT_EQ(maximise.Xcoord, 40);
    EXPECT_EQ(maximise.Ycoord, 5);
    EXPECT_EQ(maximise.Visibility, 2);
    EXPECT_EQ(maximise.Visibility1, 6);
    EXPECT_EQ(maximise.CombineOp, -1);
    EXPECT_EQ(maximise.Frame, 4);
    EXPECT_EQ(RgbAt(maximise.Image, 16 * 3 + 8, 8), Plan(46, 4, 4));

    EXPECT_EQ(buttons[4]->Frame, 3) << "window icon without a count: 3 from its square picture";
    EXPECT_TRUE(buttons[4]->Image.Empty()) << "and it shows the window's own icon";
    EXPECT_EQ(buttons[5]->Frame, 6) << "help without a count: 6 from its wide picture";
    EXPECT_FALSE(buttons[5]->Image.Empty());
    EXPECT_EQ(buttons[7]->Action, -1);
    EXPECT_EQ(buttons[7]->Visibility1, 3) << "a decoration kept for its visibility of 0";
    EXPECT_EQ(buttons[12]->Action, 11);
    EXPECT_FALSE(buttons[12]->Image.Empty()) << "an icon button with a count keeps its picture";
    EXPECT_EQ(buttons[0]->Visibility1, 0);

    // The MDI buttons: minimise, restore, close, four looks each, cut from one strip of 12.
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TDataSkinSysButton& mdi = *buttons[14 + static_cast<std::size_t>(i)];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.Frame, 4);
        EXPECT_EQ(mdi.Xcoord, 20 * (3 - i));
        EXPECT_EQ(mdi.Image.Width(), 64);
        EXPECT_EQ(mdi.Image.Height(), 14);
        for (int look = 1; look <= 4; ++look) EXPECT_EQ(RgbAt(mdi.Image, 16 * (look - 1) + 8, 7), Plan(44, 4 * i + look, 4));
    }
}

// The combo box drawn whole: the sunken edge with the button on its right, one frame per look;
// the sunken edge gets it the other way round, each look where it stands.
TEST_F(SkinObjects, TheComboBoxIsDrawnWholeBothWaysRound) {
    const int bw = ScrollButtonWidth();
    TDataSkinBorder& combo = *skin().Objects.ComboButton;
    TDataSkinObject& edge = *skin().Objects.SunkEdge;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.Frame, 4);
    EXPECT_EQ(combo.Margins().Left, 2);
    EXPECT_EQ(combo.Margins().Top, 2);
    EXPECT_EQ(combo.Margins().Right, bw + 2);
    EXPECT_EQ(combo.Margins().Bottom, 2);
    EXPECT_EQ(edge.LeftWidth, bw + 2);
    EXPECT_EQ(edge.RightWidth, 2);
    ASSERT_EQ(combo.Image.Width(), 200);
    ASSERT_EQ(combo.Image.Height(), 21);
    ASSERT_EQ(edge.Image.Width(), 200);

    const int glyphLeft = 50 - bw + (bw - 12) / 2;
    for (int look = 1; look <= 4; ++look) {
        SCOPED_TRACE(look);
        const int x0 = (look - 1) * 50;
        EXPECT_EQ(RgbAt(combo.Image, x0, 0), Plan(19, look, 0)) << "the edge's corner";
        EXPECT_EQ(RgbAt(combo.Image, x0 + 1, 10), Plan(19, look, 3)) << "its left side";
        EXPECT_EQ(RgbAt(combo.Image, x0 + 10, 10), Magenta) << "the text area is left open";
        EXPECT_EQ(RgbAt(combo.Image, x0 + 50 - bw + 1, 10), Plan(20, look, 4)) << "the button";
        EXPECT_EQ(RgbAt(combo.Image, x0 + glyphLeft + 6, 4 + 6), Plan(21, look, 4)) << "the arrow on it";
        for (int y = 0; y < 21; y += 4)
            for (int x = 0; x < 50; x += 3)
                ASSERT_EQ(RgbAt(edge.Image, x0 + 49 - x, y), RgbAt(combo.Image, x0 + x, y)) << x << "," << y;
    }

    // The combo button's own picture turned round for right-to-left boxes, looks in order.
    EXPECT_EQ(combo.Image2.Width(), 72);
    for (int look = 1; look <= 4; ++look) {
        EXPECT_EQ(RgbAt(combo.Image2, 18 * (look - 1) + 9, 10), Plan(20, look, 4));
        EXPECT_EQ(RgbAt(combo.Image2, 18 * (look - 1), 0), Magenta);
    }

    // The arrow alone: 17 x 17 out of each look of the button.
    TDataSkinObject& arrow = *skin().Objects.ComboxArrow;
    EXPECT_EQ(arrow.Frame, 4);
    ASSERT_EQ(arrow.Image.Width(), 68);
    ASSERT_EQ(arrow.Image.Height(), 17);
    for (int look = 0; look < 4; ++look)
        for (int y = 0; y < 17; y += 2)
            for (int x = 0; x < 17; x += 2)
                ASSERT_EQ(RgbAt(arrow.Image, 17 * look + x, y), RgbAt(combo.Image, 50 * (look + 1) - 19 + x, 2 + y));
}

TEST_F(SkinObjects, TheToolbarBackgroundRunsFromTheFaceToTheBackground) {
    TDataSkinObject& toolbar = *skin().Objects.Toolbar;
    EXPECT_EQ(toolbar.Frame, 1);
    ASSERT_EQ(toolbar.Image.Width(), 10);
    ASSERT_EQ(toolbar.Image.Height(), 40);
    const TToolbarGradient gradient = ToolbarGradientColours(RGB(213, 209, 201), RGB(12, 10, 120));
    const std::vector<TColor> ramp = BuildGradientRamp(40, gradient.Top, gradient.Bottom);
    for (int y : {0, 17, 39}) EXPECT_EQ(toolbar.Image.Canvas()->Pixel(5, y), ramp[static_cast<std::size_t>(y)]) << y;
}

TEST_F(SkinObjects, BorderCornersCutTheWindowRegion) {
    TBitmap& left = skin().Objects.Borders[TSkinObjects::bLeft]->Image;
    HRGN region = BitmapToRegion(&left, 0, 0, 1, 1, 1, clFuchsia);
    for (int frame = 0; frame < 2; ++frame) {
        const int x = 5 * frame;
        for (POINT cut : {POINT{0, 0}, POINT{1, 0}, POINT{2, 0}, POINT{0, 1}, POINT{0, 2}})
            EXPECT_FALSE(PtInRegion(region, x + cut.x, cut.y)) << frame << ": " << cut.x << "," << cut.y;
        for (POINT kept : {POINT{3, 0}, POINT{1, 1}, POINT{0, 3}, POINT{4, 59}})
            EXPECT_TRUE(PtInRegion(region, x + kept.x, kept.y)) << frame << ": " << kept.x << "," << kept.y;
    }
    DeleteObject(region);

    TBitmap& right = skin().Objects.Borders[TSkinObjects::bRight]->Image;
    region = BitmapToRegion(&right, 100, 0, 1, 1, 1, clFuchsia);
    EXPECT_FALSE(PtInRegion(region, 104, 0));
    EXPECT_TRUE(PtInRegion(region, 100, 0));
    DeleteObject(region);
}

// ---- what the rules make of the values a description may give --------------------------------

namespace {

TSkinForm EditedSkin(const std::function<void(std::string& ini)>& edit) { return ReadSkinForm(EditedSkinPackage(edit)); }

}  // namespace

TEST(SkinDescription, ClampsMarginsAndTileFlags) {
    const TSkinForm form = EditedSkin([](std::string& ini) {
        SetIniKey(ini, "Tab.Pane", "LeftWidth", "9");
        SetIniKey(ini, "Tab.Pane", "BottomHeight", "5");
        SetIniKey(ini, "MenuItem", "Tile", "2");
        SetIniKey(ini, "Progress", "Tile", "2");
        SetIniKey(ini, "Buttons", "Tile", "7");
        SetIniKey(ini, "Personality", "LeftStretch", "2");
        SetIniKey(ini, "Personality", "TopStretch", "0");
        SetIniKey(ini, "Personality", "TileMenu", "3");
    });
    const TSkinObjects& o = form->Objects;
    EXPECT_EQ(o.TabPane->LeftWidth, 4);
    EXPECT_EQ(o.TabPane->TopHeight, 4);
    EXPECT_EQ(o.TabPane->BottomHeight, 4);
    EXPECT_EQ(o.MenuItem->Tile, 0) << "an image object stretches";
    EXPECT_EQ(o.Progress->Tile, 1) << "the progress bar tiles";
    EXPECT_EQ(o.Button->Tile, 0);
    EXPECT_EQ(o.Borders[TSkinObjects::bLeft]->Tile, 1) << "a border stretches";
    EXPECT_EQ(o.Borders[TSkinObjects::bTop]->Tile, 0) << "any other value tiles";
    EXPECT_EQ(o.MenuBar->Tile, 1);
}

TEST(SkinDescription, ImageValuesNameLowerCaseBmpEntriesWhateverTheirFolder) {
    const TSkinForm form = EditedSkin([](std::string& ini) {
        SetIniKey(ini, "MenuItem", "Image", "MENUITEM.BMP");
        SetIniKey(ini, "MenuBackground", "Image", "c:\\skins\\sablink\\menubg.bmp");
        SetIniKey(ini, "Headerbar", "Image", "Header.bmp");
        SetIniKey(ini, "ToolBars", "Image", "skins/toolbars.bmp");
        SetIniKey(ini, "GroupBoxEdge", "Image", "nothere.bmp");
    });
    const TSkinObjects& o = form->Objects;
    ASSERT_NE(o.MenuItem, nullptr) << "the object is there, without a picture";
    EXPECT_TRUE(o.MenuItem->Image.Empty());
    EXPECT_EQ(o.MenuItem->Frame, 5);
    EXPECT_EQ(RgbAt(o.MenuBackground->Image, 20, 20), Plan(26, 1, 4));
    EXPECT_EQ(RgbAt(o.Headerbar->Image, 15, 10), Plan(16, 1, 4)) << "the entry's name compares without case";
    EXPECT_TRUE(o.ToolBars->Image.Empty()) << "a slash is no folder";
    EXPECT_TRUE(o.GroupBoxEdge->Image.Empty());
}

TEST(SkinDescription, ColourTextsAndTheirDefaults) {
    const TSkinForm form = EditedSkin([](std::string& ini) {
        SetIniKey(ini, "Colours", "ButtonFace", "213,209");
        SetIniKey(ini, "Colours", "Hilight", "300 1 2");
        SetIniKey(ini, "Colours", "Menu", "none");
        SetIniKey(ini, "Colours", "Menubar", "");
        SetIniKey(ini, "Colours", "MenuText", "");
        SetIniKey(ini, "Colour3", "color", "");
        SetIniKey(ini, "Personality", "ActiveTextB", "");
        SetIniKey(ini, "Customcolors", "Color4", "");
    });
    const TSkinColours& c = form->Colours();
    EXPECT_EQ(c.ButtonFace, RGB(213, 209, 0));
    EXPECT_EQ(c.Hilight, RGB(44, 1, 2));
    EXPECT_EQ(c.Menu, clMenu);
    EXPECT_EQ(c.Menubar, RGB(213, 209, 0)) << "the menu bar defaults to the face just read";
    EXPECT_EQ(c.MenuText, clMenuText);
    EXPECT_EQ(form->ColourTable(), (std::vector<TColor>{RGB(17, 34, 51), RGB(68, 85, 102), clWindowText}));
    EXPECT_EQ(form->CustomColours()[4], clWhite);
    EXPECT_EQ(form->Objects.Title->ActiveText, clNone) << "a colour triple needs all three";
    EXPECT_EQ(form->Objects.Title->InActiveText, RGB(190, 190, 186));
    EXPECT_EQ(form->Objects.MenuItem->NormalColour2, RGB(9, 9, 9));
}

TEST(SkinDescription, WhichSectionsAreTitleButtons) {
    const TSkinForm form = EditedSkin([](std::string& ini) {
        SetIniKey(ini, "Button20", "Action", "-1");
        SetIniKey(ini, "Button21", "Action", "-1");
        SetIniKey(ini, "Button21", "Visibility", "0");
        SetIniKey(ini, "Button21", "ButtonImage", "btnpin.bmp");
        SetIniKey(ini, "Button", "Action", "5");
        SetIniKey(ini, "Button.Radio", "Action", "5");
        SetIniKey(ini, "button22", "Action", "3");
        SetIniKey(ini, "button22", "ButtonImage", "btnhelp.bmp");
    });
    std::vector<std::string> names;
    for (const auto& b : form->Objects.TitleButtons) names.push_back(b->Name);
    EXPECT_EQ(std::count(names.begin(), names.end(), "BUTTON20"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "BUTTON"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "BUTTON.RADIO"), 0);
    ASSERT_EQ(names.size(), 19u);
    const TDataSkinSysButton& decoration = *form->Objects.TitleButtons[14];
    EXPECT_EQ(decoration.Name, "BUTTON21");
    EXPECT_EQ(decoration.Visibility1, -1) << "a decoration's second visibility defaults to -1";
    EXPECT_EQ(decoration.Frame, 6) << "a negative action takes 6 frames";
    const TDataSkinSysButton& icon = *form->Objects.TitleButtons[15];
    EXPECT_EQ(icon.Name, "BUTTON22");
    EXPECT_EQ(icon.Frame, 6) << "counted from the wide picture it then loses";
    EXPECT_TRUE(icon.Image.Empty());
}

TEST(SkinDescription, MissingObjectsAndTheirFallbacks) {
    const TSkinForm form = EditedSkin([](std::string& ini) {
        RemoveIniSection(ini, "Track");
        RemoveIniSection(ini, "TRACKVERT");
        RemoveIniSection(ini, "SunkEdge");
        RemoveIniSection(ini, "Headerbar");
        SetIniKey(ini, "Personality", "Top", "");
    });
    const TSkinObjects& o = form->Objects;
    ASSERT_NE(o.Track, nullptr);
    EXPECT_EQ(o.Track->Name, "TRACK");
    EXPECT_EQ(o.Track->Image.Width(), 16);
    EXPECT_EQ(o.Track->Image.Height(), 4);
    EXPECT_EQ(o.Track->LeftWidth, 3);
    EXPECT_EQ(o.Track->BottomHeight, 3);
    EXPECT_EQ(o.Track->Frame, 1);
    EXPECT_EQ(RgbAt(o.Track->Image, 8, 1), (TRgb{64, 64, 64})) << "the program's own groove";
    EXPECT_EQ(o.TrackVert->Image.Width(), 4);
    EXPECT_EQ(o.TrackVert->Image.Height(), 16);
    EXPECT_EQ(RgbAt(o.TrackVert->Image, 3, 8), (TRgb{255, 255, 255}));
    EXPECT_EQ(o.Headerbar, nullptr);
    EXPECT_EQ(o.SunkEdge, nullptr);

    // Without a sunken edge the combo button is not built into a box: its arrow is the button
    // on the face colour.
    EXPECT_EQ(o.ComboButton->Style, 0);
    EXPECT_EQ(o.ComboButton->Image.Width(), 72);
    EXPECT_EQ(o.ComboxArrow->Frame, 4);
    EXPECT_EQ(RgbAt(o.ComboxArrow->Image, 0, 0), (TRgb{213, 209, 201}));
    EXPECT_EQ(RgbAt(o.ComboxArrow->Image, 9, 10), Plan(20, 1, 4));

    EXPECT_EQ(form->SampledBackground(), RGB(213, 209, 201)) << "no title bar to sample";
}

TEST(SkinDescription, CheckAndRadioMarksCountTheirFramesFromTheirWidth) {
    const TSkinForm form = ReadSkinForm(FileBytes(SkinVariantPath("shortmarks.skn")));
    EXPECT_EQ(form->Objects.Button->CheckButtonFrame, 4);
    EXPECT_EQ(form->Objects.Button->RadioButtonFrame, 4);
    EXPECT_EQ(form->Objects.Button->CheckButton.Width(), 52);
}

// A second skin replaces the first: what it lacks is gone, what it has is new.
TEST(SkinDescription, ASecondSkinReplacesTheFirst) {
    TSkinForm form = ReadSkinForm(FileBytes(SkinPackagePath()));
    ASSERT_NE(form->Objects.MenuItem, nullptr);
    const std::string file = HostPath(SKIN_VARIANTS_DIR) + "/../second.skn";
    const TBytes second = EditedSkinPackage([](std::string& ini) {
        RemoveIniSection(ini, "MenuItem");
        SetIniKey(ini, "Colours", "ButtonFace", "1 2 3");
        SetIniKey(ini, "Personality", "ActiveTextR", "");
    });
    TMemoryStream out;
    out.WriteBuffer(second.data(), static_cast<std::int64_t>(second.size()));
    out.SaveToFile(file);
    form->SetSkinFile(file);
    DeleteFileA(file.c_str());
    EXPECT_FALSE(form->SkinEmpty());
    EXPECT_EQ(form->Objects.MenuItem, nullptr);
    EXPECT_EQ(form->Colours().ButtonFace, RGB(1, 2, 3));
    EXPECT_EQ(form->Objects.Title->ActiveText, clNone);
    EXPECT_EQ(form->Objects.TitleButtons.size(), 17u);
}
