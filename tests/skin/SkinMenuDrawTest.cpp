// Menu items and tool buttons of a skinned window drawn from the console's skin into memory
// bitmaps: the item frame, the texts in the menu colours, check marks, short cuts, the
// separator, right-to-left menus, and the tool buttons' frames by their state.
#include "GuiTestSupport.h"
#include "SkinWindowSupport.h"
#include "components/TPopupMenu.h"
#include "components/TToolBar.h"
#include "components/TToolButton.h"

namespace {

using SkinMenuDraw = SkinWindowTest;

constexpr int MenuItemImage = 25, PushButtonImage = 7;
constexpr TRgb MenuText{5, 5, 5}, HilightText{255, 255, 253}, ButtonShadow{161, 157, 149};

std::unique_ptr<TBitmap> Picture(int width, int height) {
    auto picture = std::make_unique<TBitmap>();
    picture->SetPixelFormat(pf24bit);
    picture->SetSize(width, height);
    picture->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(Untouched.R, Untouched.G, Untouched.B)));
    picture->Canvas()->FillRect(TRect{0, 0, width, height});
    return picture;
}

int CountColour(TBitmap& picture, TRgb colour, int fromX, int toX) {
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = fromX; x < toX; ++x) count += RgbAt(picture, x, y) == colour;
    return count;
}

TRgb SystemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return TRgb{GetRValue(c), GetGValue(c), GetBValue(c)};
}

class SkinnedMenu : public SkinWindowTest {
protected:
    void SetUp() override {
        SkinWindowTest::SetUp();
        form = ShowForm();
        skin = SkinOf(form->Handle());
        popup = new TPopupMenu(form.get());
        item = NewItem("Open");
    }

    TMenuItem* NewItem(const std::string& caption) {
        auto* made = new TMenuItem(form.get());
        made->SetCaption(caption);
        popup->Items()->Add(made);
        return made;
    }

    std::unique_ptr<TBitmap> Draw(TMenuItem* what, bool selected, int width = 160, int height = 30) {
        auto picture = Picture(width, height);
        skin->DrawMenuItem(what, picture->Canvas(), TRect{0, 0, width, height}, selected);
        return picture;
    }

    std::unique_ptr<TForm> form;
    TWinSkinForm* skin = nullptr;
    TPopupMenu* popup = nullptr;
    TMenuItem* item = nullptr;
};

}  // namespace

TEST_F(SkinnedMenu, AnItemLiesOnTheSkinsItemFrameWithItsTextsInTheMenuColours) {
    item->SetShortCut(scCtrl | 'O');
    auto picture = Draw(item, false);
    EXPECT_EQ(RgbAt(*picture, 100, 3), Plan(MenuItemImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 158, 15), Plan(MenuItemImage, 1, 5));
    EXPECT_GT(CountColour(*picture, MenuText, 24, 70), 10) << "the caption after the glyph box";
    EXPECT_GT(CountColour(*picture, MenuText, 100, 149), 10) << "the short cut, right-aligned 11 pixels in";
    EXPECT_EQ(CountColour(*picture, MenuText, 149, 160), 0);

    picture = Draw(item, true);
    EXPECT_EQ(RgbAt(*picture, 100, 3), Plan(MenuItemImage, 4, 4)) << "the selected frame";
    EXPECT_GT(CountColour(*picture, HilightText, 24, 70), 10);
    EXPECT_EQ(CountColour(*picture, MenuText, 0, 160), 0);

    item->SetEnabled(false);
    picture = Draw(item, true);
    EXPECT_GT(CountColour(*picture, ButtonShadow, 24, 70), 10) << "disabled: the shadow colour, selected or not";
}

TEST_F(SkinnedMenu, ACheckedItemGetsTheSystemsCheckMarkInItsGlyphBox) {
    item->SetChecked(true);
    const TRgb mark = SystemColour(COLOR_BTNTEXT);
    ASSERT_NE(mark, MenuText);
    auto picture = Draw(item, false);
    EXPECT_GT(CountColour(*picture, mark, 5, 21), 5) << "in the 16-pixel box after the item's left border";
    EXPECT_EQ(CountColour(*picture, mark, 0, 5), 0);
    EXPECT_EQ(CountColour(*picture, mark, 21, 160), 0);

    // A right-to-left menu: the glyph at the right edge, the short cut 11 pixels from the left.
    popup->SetBiDiMode(bdRightToLeft);
    item->SetShortCut(scCtrl | 'O');
    picture = Draw(item, false);
    EXPECT_GT(CountColour(*picture, mark, 160 - 21, 160 - 5), 5);
    EXPECT_EQ(CountColour(*picture, mark, 0, 160 - 21), 0);
    EXPECT_GT(CountColour(*picture, MenuText, 11, 50), 10);
    EXPECT_EQ(CountColour(*picture, MenuText, 0, 11), 0);
}

TEST_F(SkinnedMenu, TheSeparatorIsTheBottomOfTheItemImagesSecondFrame) {
    TMenuItem* line = NewItem("-");
    const auto picture = Draw(line, false, 160, 8);
    EXPECT_EQ(RgbAt(*picture, 1, 1), Plan(MenuItemImage, 2, 3));
    EXPECT_EQ(RgbAt(*picture, 80, 1), Plan(MenuItemImage, 2, 4));
    EXPECT_EQ(RgbAt(*picture, 80, 7), Plan(MenuItemImage, 2, 7));
    EXPECT_EQ(RgbAt(*picture, 158, 7), Plan(MenuItemImage, 2, 8));
}

TEST_F(SkinnedMenu, ItemsAreMeasuredWiderForTheSkinsBorderAndTheGlyph) {
    TBitmap surface;
    surface.SetSize(10, 10);
    int width = 0, height = 0;
    TMenu::MeasureItem(item, *surface.Canvas(), width, height);
    int skinned = 0, skinnedHeight = 0;
    skin->MeasureMenuItem(item, surface.Canvas(), skinned, skinnedHeight);
    EXPECT_EQ(skinned, width + 4 + 10 + 25);
    EXPECT_EQ(skinnedHeight, height);
    int safe = width;
    skin->MeasureMenuItemSafe(item, surface.Canvas(), safe, height);
    EXPECT_EQ(safe, width + 4 + 12 + 23);
}

TEST_F(SkinMenuDraw, WithoutAnItemImageItemsAreFlatInTheMenuColours) {
    TSkinForm own = ReadSkinForm(EditedSkinPackage([](std::string& ini) { RemoveIniSection(ini, "MenuItem"); }),
                                 "Active = True SkinFormtype = sfOnlyThisForm");
    own.Form->SetBounds(100, 100, 300, 200);
    own.Form->Show();
    ASSERT_TRUE(WaitSkinned(own.Form->Handle()));
    TWinSkinForm* skin = SkinOf(own.Form->Handle());
    auto* item = new TMenuItem(own.Form.get());
    item->SetCaption("Flat");
    for (bool selected : {false, true}) {
        auto picture = Picture(120, 20);
        skin->DrawMenuItem(item, picture->Canvas(), TRect{0, 0, 120, 20}, selected);
        EXPECT_EQ(RgbAt(*picture, 110, 2), selected ? (TRgb{49, 105, 197}) : (TRgb{239, 237, 233}));
    }
}

TEST_F(SkinMenuDraw, ToolButtonsGetThePushButtonFrameOfTheirState) {
    const auto form = ShowForm();
    TWinSkinForm* skin = SkinOf(form->Handle());
    auto* bar = new TToolBar(form.get());
    bar->SetParent(form.get());
    auto* button = new TToolButton(form.get());
    button->SetParent(bar);
    button->SetBounds(0, 0, 40, 30);
    struct TCase {
        unsigned State;
        TRgb Centre;
        TColor Text;
    };
    const TColor unchanged = clBtnText;
    for (const TCase& c : {TCase{cdsHot, Plan(PushButtonImage, 4, 4), static_cast<TColor>(RGB(64, 80, 96))},
                           TCase{cdsSelected | cdsHot, Plan(PushButtonImage, 2, 4), static_cast<TColor>(RGB(112, 128, 144))},
                           TCase{cdsDefault, Plan(PushButtonImage, 1, 4), static_cast<TColor>(RGB(16, 32, 48))},
                           TCase{cdsDefault | cdsGrayed | cdsDisabled, Untouched, unchanged}}) {
        SCOPED_TRACE(c.State);
        auto picture = Picture(40, 30);
        button->Canvas()->Font()->SetColor(unchanged);
        button->Canvas()->SetHandle(picture->Canvas()->Handle());
        bool defaultDraw = true;
        skin->DrawToolButton(bar, button, c.State, defaultDraw);
        button->Canvas()->SetHandle(nullptr);
        EXPECT_TRUE(defaultDraw) << "the bar still draws image and caption";
        const TRect r = button->ClientRect();
        EXPECT_EQ(RgbAt(*picture, r.Width() / 2, r.Height() / 2), c.Centre);
        EXPECT_EQ(RgbAt(*picture, 1, 1), Untouched) << "the frame's transparent corner, one pixel in";
        EXPECT_EQ(button->Canvas()->Font()->Color(), c.Text);
    }

    // The bar's background, unless the skin data keeps the tool bars' own.
    auto picture = Picture(60, 30);
    bar->Canvas()->SetHandle(picture->Canvas()->Handle());
    bool defaultDraw = true;
    skin->DrawToolbarBackground(bar, TRect{0, 0, 60, 30}, defaultDraw);
    EXPECT_EQ(RgbAt(*picture, 30, 15), Untouched) << "xoToolbarBK";
    TestSkin()->SetOptions(TestSkin()->Options() & ~SkinOptionBit(xoToolbarBK));
    skin->DrawToolbarBackground(bar, TRect{0, 0, 60, 30}, defaultDraw);
    TestSkin()->SetOptions(TestSkin()->Options() | SkinOptionBit(xoToolbarBK));
    bar->Canvas()->SetHandle(nullptr);
    TBitmap& background = TestSkin()->Objects.Toolbar->Image;
    EXPECT_EQ(RgbAt(*picture, 0, 0), RgbAt(background, 0, 0));
    EXPECT_EQ(RgbAt(*picture, 0, 29), RgbAt(background, 0, background.Height() - 1));
}
