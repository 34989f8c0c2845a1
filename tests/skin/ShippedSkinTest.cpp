// The skin the console ships with, as an operator meets it: it loads whole (every object the
// description gives, with the pictures of the package and frames that divide them), every
// caption it colours stands out from the picture or colour it is drawn on, and the looks of each
// strip (at rest, hot, pressed, focused, disabled, inactive) can be told apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "Contrast.h"
#include "SkinDataSupport.h"
#include "SkinRead.h"
#include "WinSkinIni.h"
#include "components/Graphics.h"

namespace {

TScreenRgb ScreenColour(TColor colour) {
    const COLORREF c = ColorToRGB(colour);
    return TScreenRgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

// Frame `index` (from 1) of a strip of `count` frames, without `inset` pixels at its sides.
struct TFrameArea {
    TBitmap* Image = nullptr;
    int Count = 1;
    int Index = 1;
    bool Stacked = false;
    TFrameMargins Inset;
};

TPixelRect AreaRect(const TFrameArea& a) {
    const int w = a.Stacked ? a.Image->Width() : a.Image->Width() / a.Count;
    const int h = a.Stacked ? a.Image->Height() / a.Count : a.Image->Height();
    const int x = a.Stacked ? 0 : (a.Index - 1) * w, y = a.Stacked ? (a.Index - 1) * h : 0;
    return TPixelRect{x + a.Inset.Left, y + a.Inset.Top, x + w - a.Inset.Right, y + h - a.Inset.Bottom};
}

// The lowest contrast of the colour against the area's pixels that are drawn (not magenta).
double LowestContrast(const TScreenRgb& text, const TFrameArea& a) {
    const TPixelRect r = AreaRect(a);
    double lowest = 21;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TRgb p = RgbAt(*a.Image, x, y);
            if (p == Magenta) continue;
            lowest = std::min(lowest, ContrastRatio(text, TScreenRgb{p.R, p.G, p.B}));
        }
    return lowest;
}

// A one-colour area: the colour the painter fills before drawing the caption.
struct TPlainArea {
    TBitmap Bitmap;
    TFrameArea Area;
    explicit TPlainArea(TColor colour) {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(4, 4);
        Bitmap.Canvas()->Brush()->SetColor(colour);
        Bitmap.Canvas()->FillRect(TRect{0, 0, 4, 4});
        Area.Image = &Bitmap;
    }
};

bool FramesDiffer(TBitmap& image, int count, int a, int b, bool stacked = false) {
    const TPixelRect ra = AreaRect(TFrameArea{&image, count, a, stacked, {}});
    const TPixelRect rb = AreaRect(TFrameArea{&image, count, b, stacked, {}});
    for (int y = 0; y < ra.Height(); ++y)
        for (int x = 0; x < ra.Width(); ++x)
            if (RgbAt(image, ra.Left + x, ra.Top + y) != RgbAt(image, rb.Left + x, rb.Top + y)) return true;
    return false;
}

// Width and height of a bitmap entry, from its header; 0 x 0 when it is no bitmap.
std::pair<int, int> EntrySize(const TSkinReader& reader, const std::string& name) {
    TMemoryStream entry;
    reader.ExtractFile(name, entry);
    const TBytes bytes = BytesOf(entry);
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return {0, 0};
    const auto i32 = [&](std::size_t at) {
        return static_cast<int>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<unsigned>(bytes[at + 3]) << 24);
    };
    return {i32(18), std::abs(i32(22))};
}

class ShippedSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const TBytes package = FileBytes(ShippedSkinPackagePath());
        form = new TSkinForm(ReadSkinForm(package));
        TMemoryStream stream;
        SetBytes(stream, package);
        reader = new TSkinReader;
        reader->LoadFromStream(stream);
        TMemoryStream description;
        std::string name;
        reader->ExtractFirstMatch(".ini", description, name);
        ini = new TQuickIni;
        ini->LoadFromStream(&description);
    }
    static void TearDownTestSuite() {
        delete form;
        delete reader;
        delete ini;
        form = nullptr;
        reader = nullptr;
        ini = nullptr;
    }
    TSkinData& skin() { return *form->Skin; }
    const TSkinObjects& objects() { return form->Skin->Objects; }
    const TSkinColours& colours() { return form->Skin->Colours(); }

    static TSkinForm* form;
    static TSkinReader* reader;
    static TQuickIni* ini;
};
TSkinForm* ShippedSkin::form = nullptr;
TSkinReader* ShippedSkin::reader = nullptr;
TQuickIni* ShippedSkin::ini = nullptr;

}  // namespace

TEST_F(ShippedSkin, LoadsEveryObjectWithThePicturesOfItsPackage) {
    ASSERT_FALSE(skin().SkinEmpty());
    EXPECT_EQ(skin().SkinName(), "Slate");

    // Every picture the description names is an entry of the package.
    for (const std::string& line : ini->Lines()) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || line.size() < 4 || line.compare(line.size() - 4, 4, ".bmp") != 0) continue;
        EXPECT_NE(EntrySize(*reader, line.substr(equals + 1)).first, 0) << line;
    }

    // Every object the loaders read, each from the picture its section names, whole frames only.
    const std::map<std::string, std::string> pictures = {
        {"Buttons", "buttons.bmp"}, {"Tabs", "tabs.bmp"}, {"UpDown.Horz", "updownh.bmp"}, {"UpDown.Vert", "updownv.bmp"},
        {"ExtraImages", "extraimages.bmp"}, {"GroupBoxEdge", "groupboxedge.bmp"}, {"ToolBars", "toolbars.bmp"},
        {"Progress", "progress.bmp"}, {"Progress.Chunk", "progresschunk.bmp"}, {"GroupBox", "groupbox.bmp"},
        {"StatusBarEdges", "statusbar.bmp"}, {"Tab.Pane", "tabpane.bmp"}, {"Headerbar", "header.bmp"},
        {"Personality", "menubar.bmp"}, {"MenuItem", "menuitem.bmp"}, {"MenuBackground", "menubg.bmp"},
        {"Scrollbar", "scrollbar.bmp"}, {"HorzScroll", "hscroll.bmp"}, {"VertScroll", "vscroll.bmp"},
        {"HorzScrollThumb", "hthumb.bmp"}, {"VertScrollThumb", "vthumb.bmp"}, {"Trackbar.ThumbHorz", "thumbhorz.bmp"},
        {"Trackbar.ThumbVert", "thumbvert.bmp"}, {"Trackbar.ThumbLeft", "thumbleft.bmp"},
        {"Trackbar.ThumbRight", "thumbright.bmp"}, {"Trackbar.ThumbUp", "thumbup.bmp"},
        {"Trackbar.ThumbDown", "thumbdown.bmp"}, {"Track", "track.bmp"}, {"TRACKVERT", "trackvert.bmp"},
        {"Left", "left.bmp"}, {"Right", "right.bmp"}, {"Top", "top.bmp"}, {"Bottom", "bottom.bmp"},
    };
    for (const auto& [name, picture] : pictures) {
        SCOPED_TRACE(name);
        TDataSkinObject* object = objects().Find(name);
        ASSERT_NE(object, nullptr);
        ASSERT_TRUE(object->HasImage());
        EXPECT_EQ(std::make_pair(object->Image.Width(), object->Image.Height()), EntrySize(*reader, picture));
        const bool stacked = name == "Top" || name == "Bottom";
        EXPECT_GE(object->Frame, 1);
        EXPECT_EQ((stacked ? object->Image.Height() : object->Image.Width()) % std::max(object->Frame, 1), 0);
    }
    // The second pictures, the marks, and the pictures made from the others after reading.
    EXPECT_FALSE(objects().Tabs->Image2.Empty());
    EXPECT_FALSE(objects().UpDownHorz->Image2.Empty());
    EXPECT_FALSE(objects().UpDownVert->Image2.Empty());
    EXPECT_EQ(objects().Button->CheckButtonFrame, 12);
    EXPECT_EQ(objects().Button->CheckButton.Width(), 12 * 13);
    EXPECT_EQ(objects().Button->RadioButtonFrame, 8);
    EXPECT_EQ(objects().Button->RadioButton.Width(), 8 * 13);
    EXPECT_TRUE(objects().Button->HasNormalColour2 && objects().Button->HasMouseOverColour2 && objects().Button->HasPressedColour2);
    ASSERT_NE(objects().ComboButton, nullptr);
    EXPECT_EQ(objects().ComboButton->Style, 2) << "built over the sunken edge";
    ASSERT_NE(objects().ComboxArrow, nullptr);
    EXPECT_TRUE(objects().ComboxArrow->HasImage());
    ASSERT_NE(objects().Toolbar, nullptr);
    EXPECT_TRUE(objects().Toolbar->HasImage());
    EXPECT_TRUE(objects().Title->ActiveText != clNone && objects().Title->InActiveText != clNone);

    // The title buttons a window can show, each with its picture of four looks (the window
    // icon with one), and the three buttons of a maximised child window.
    std::map<int, const TDataSkinSysButton*> byAction;
    for (const auto& button : objects().TitleButtons) byAction[button->Action] = button.get();
    for (const int action : {0, 1, 22, 2, 3, 40, 62, 7, 8, 9}) {
        SCOPED_TRACE(action);
        ASSERT_EQ(byAction.count(action), 1u);
        const TDataSkinSysButton& button = *byAction[action];
        ASSERT_FALSE(button.Image.Empty());
        EXPECT_EQ(button.Frame, action == 3 ? 1 : 4);
        EXPECT_EQ(button.Image.Width() % button.Frame, 0);
    }
}

// Each caption the skin colours, against every pixel of the frame (inside the margins the text
// keeps off) or the colour it is drawn on. A disabled push button's caption takes the system's
// shadow colour, greyed on purpose, and is not among them.
TEST_F(ShippedSkin, EveryCaptionReadsOnWhatItIsDrawnOn) {
    const TSkinColours& c = colours();
    const TSkinObjects& o = objects();
    const auto frame = [](TDataSkinObject* object, int count, int index, TFrameMargins inset = {}) {
        return TFrameArea{&object->Image, count, index, false, inset};
    };
    const TFrameMargins itemText = o.MenuItem->Margins();
    const TFrameMargins captionBox{2, 2, 2, 2};
    const TDataSkinButton& b = *o.Button;
    const TColor title = o.Title->ActiveText, idleTitle = o.Title->InActiveText;
    TPlainArea face(c.ButtonFace);

    struct TCase {
        std::string What;
        TColor Text;
        TFrameArea Area;
    };
    TDataSkinBorder& top = *o.Borders[TSkinObjects::bTop];
    const TFrameMargins belowTextShift{0, o.Title->TopHeight, 0, 0};
    const std::vector<TCase> cases = {
        {"title text, active", title, TFrameArea{&top.Image, top.Frame, 1, true, belowTextShift}},
        {"title text, inactive", idleTitle, TFrameArea{&top.Image, top.Frame, 2, true, belowTextShift}},
        {"menu bar item", c.MenuBarText, frame(o.MenuBar.get(), 2, 1)},
        {"menu bar item, inactive window", c.MenuBarText, frame(o.MenuBar.get(), 2, 2)},
        {"disabled menu bar item", c.ButtonShadow, frame(o.MenuBar.get(), 2, 1)},
        {"menu item", c.MenuText, frame(o.MenuItem.get(), 5, 1, itemText)},
        {"menu item, selected", c.HilightText, frame(o.MenuItem.get(), 5, 4, itemText)},
        {"disabled menu item", c.ButtonShadow, frame(o.MenuItem.get(), 5, 1, itemText)},
        {"disabled menu item, selected", c.ButtonShadow, frame(o.MenuItem.get(), 5, 4, itemText)},
        {"push button", b.NormalColour2, frame(o.Button.get(), 5, 1, captionBox)},
        {"push button, hot", b.MouseOverColour2, frame(o.Button.get(), 5, 4, captionBox)},
        {"push button, pressed", b.PressedColour2, frame(o.Button.get(), 5, 2, captionBox)},
        {"push button, focused (a dialog's own button)", c.ButtonText, frame(o.Button.get(), 5, 5, captionBox)},
        {"push button, focused (a form's button)", c.WindowText, frame(o.Button.get(), 5, 5, captionBox)},
        {"tab", o.Tabs->NormalColour2, frame(o.Tabs.get(), 5, 1, o.Tabs->Margins())},
        {"tab, selected", o.Tabs->MouseOverColour2, frame(o.Tabs.get(), 5, 2, o.Tabs->Margins())},
        {"list header", c.WindowText, frame(o.Headerbar.get(), 5, 1, o.Headerbar->Margins())},
        {"list header, hot", c.WindowText, frame(o.Headerbar.get(), 5, 2, o.Headerbar->Margins())},
        {"status bar, lowered panel", o.StatusBarEdges->NormalColour2, frame(o.StatusBarEdges.get(), 3, 1, o.StatusBarEdges->Margins())},
        {"status bar, raised panel", o.StatusBarEdges->NormalColour2, frame(o.StatusBarEdges.get(), 3, 2, o.StatusBarEdges->Margins())},
        {"status bar, plain panel", o.StatusBarEdges->NormalColour2, frame(o.StatusBarEdges.get(), 3, 3, o.StatusBarEdges->Margins())},
        {"status bar", o.StatusBarEdges->NormalColour2, face.Area},
        {"group box caption, label, check box", c.WindowText, face.Area},
        {"dialog text", c.ButtonText, face.Area},
    };
    ASSERT_NE(title, clNone);
    std::ostringstream figures;
    for (const TCase& k : cases) {
        const double contrast = LowestContrast(ScreenColour(k.Text), k.Area);
        char line[120];
        std::snprintf(line, sizeof line, "%-46s %5.2f : 1\n", k.What.c_str(), contrast);
        figures << line;
        EXPECT_GE(contrast, ReadableContrast) << k.What;
    }
    std::printf("%s", figures.str().c_str());
}

TEST_F(ShippedSkin, TheLooksOfEveryStripDiffer) {
    const TSkinObjects& o = objects();
    const auto pairwise = [](const char* what, TBitmap& image, int count, std::vector<int> frames, bool stacked = false) {
        for (std::size_t i = 0; i < frames.size(); ++i)
            for (std::size_t j = i + 1; j < frames.size(); ++j)
                EXPECT_TRUE(FramesDiffer(image, count, frames[i], frames[j], stacked))
                    << what << ": frames " << frames[i] << " and " << frames[j];
    };
    pairwise("push button", o.Button->Image, 5, {1, 2, 3, 4, 5});
    pairwise("check mark", o.Button->CheckButton, 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    pairwise("radio mark", o.Button->RadioButton, 8, {1, 2, 3, 4, 5, 6, 7, 8});
    pairwise("tab", o.Tabs->Image, 5, {1, 2, 3, 4, 5});
    pairwise("list header", o.Headerbar->Image, 5, {1, 2, 3, 4});
    pairwise("status bar panel", o.StatusBarEdges->Image, 3, {1, 2, 3});
    pairwise("menu item", o.MenuItem->Image, 5, {1, 2, 4});
    pairwise("combo box", o.ComboButton->Image, 4, {1, 2, 3, 4});
    pairwise("up-down, horizontal", o.UpDownHorz->Image, 8, {1, 2, 3, 4});
    pairwise("up-down, vertical", o.UpDownVert->Image, 8, {1, 2, 3, 4});
    pairwise("progress bar", o.Progress->Image, 2, {1, 2});
    pairwise("horizontal scroll thumb", o.HorzScrollThumb->Image, 3, {1, 2, 3});
    pairwise("vertical scroll thumb", o.VertScrollThumb->Image, 3, {1, 2, 3});
    pairwise("horizontal scroll track", o.HorzScroll->Image, 4, {1, 2, 3, 4});
    for (const int first : {1, 5, 9, 13}) pairwise("scroll arrow", o.Scrollbar->Image, 23, {first, first + 1, first + 2, first + 3});
    pairwise("thumb grips", o.Scrollbar->Image, 23, {17, 18, 19});
    pairwise("track bar thumb", o.ThumbHorz->Image, 5, {2, 3, 4, 5});
    for (int side = TSkinObjects::bLeft; side <= TSkinObjects::bBottom; ++side)
        pairwise("window border, active and inactive", o.Borders[static_cast<std::size_t>(side)]->Image, 2, {1, 2},
                 side == TSkinObjects::bTop || side == TSkinObjects::bBottom);
    // Buttons of the menu bar show their fourth frame when hot and never the third.
    for (const auto& button : o.TitleButtons)
        if (button->Frame == 4)
            pairwise("title button", button->Image, 4, button->Visibility == 100 ? std::vector<int>{1, 2, 4} : std::vector<int>{1, 2, 3, 4});
}
