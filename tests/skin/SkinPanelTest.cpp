// Panel, tab and header skins on real controls of the component layer and raw windows, painted
// into memory bitmaps and read against the colour plan of the console's skin; the close marks
// of a page control and the form's say over them.
#include "GuardedHeap.h"
#include "GuiTestSupport.h"
#include "SkinBox.h"
#include "SkinBoxH.h"
#include "SkinControlFactory.h"
#include "SkinControlSupport.h"
#include "SkinGroupBox.h"
#include "SkinHeader.h"
#include "SkinMessages.h"
#include "SkinAdvPage.h"
#include "SkinObjImage.h"
#include "SkinTab31.h"
#include "components/TClassInfo.h"
#include "components/TStringList.h"
#include "SkinStatusBar.h"
#include "SkinTab.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomListView.h"
#include "components/TCustomPanel.h"
#include "components/TListColumn.h"
#include "components/TCustomStatusBar.h"
#include "components/TPageControl.h"
#include "components/TTabSheet.h"

namespace {

using PanelSkins = SkinWindowTest;

enum { TabsImage = 12, TabPaneImage = 14, StatusEdgesImage = 15, HeaderImage = 16, ExtraImagesImage = 21 };

template <class Skin, class... Args>
Skin* Attach(TForm& form, TControl* control, bool useSkinColor, Args... args) {
    auto* skin = new Skin(control, args...);
    skin->AttachControl(SkinOf(form.Handle()), TestSkin(), SharedCanvas(form), useSkinColor);
    return skin;
}

TRgb FaceColour() { return ToRgb(TestSkin()->Colours().ButtonFace); }

bool Holds(TBitmap& bitmap, const TRect& r, TRgb colour) { return CountColour(bitmap, r, colour) > 0; }

TPageControl* PlacePages(TForm& form, int pageCount) {
    auto* pages = PlaceControl<TPageControl>(form, 10, 10, 260, 160);
    for (int i = 0; i < pageCount; ++i) {
        auto* page = new TTabSheet(&form);
        page->SetPageControl(pages);
        page->SetCaption("页" + std::to_string(i));
    }
    return pages;
}

RECT TabRect(HWND tabs, int index) {
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

// Controls of other libraries, as far as the skins see them: their published properties.
class TTestTabSet : public TCustomControl {
    DECLARE_CLASS(TTestTabSet, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TStringList* Tabs() { return &FTabs; }
    int TabIndex = 0, StartMargin = 5, EndMargin = 5, FirstIndex = 0;

private:
    TStringList FTabs;
};

class TTestGlyphControl : public TCustomControl {
    DECLARE_CLASS(TTestGlyphControl, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* CustomGlyphs() { return &FGlyphs; }
    int TransparentColor = 0;
    bool UseCustomGlyphs() const { return FUse; }
    void SetUseCustomGlyphs(bool use) {
        FUse = use;
        ++Switches;
    }
    int Switches = 0;

private:
    TBitmap FGlyphs;
    bool FUse = false;
};

class TTestGlyphProperties : public TPersistent {
    DECLARE_CLASS(TTestGlyphProperties, TPersistent)
public:
    TBitmap* Glyph() { return &FGlyph; }

private:
    TBitmap FGlyph;
};

class TTestPropertiesCheckBox : public TCustomControl {
    DECLARE_CLASS(TTestPropertiesCheckBox, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TTestGlyphProperties* Properties() { return &FProperties; }

private:
    TTestGlyphProperties FProperties;
};

class TTestAdvPages : public TCustomControl {
    DECLARE_CLASS(TTestAdvPages, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    TBitmap* TabBackGround() { return &FNormal; }
    TBitmap* TabBackGroundActive() { return &FActive; }

private:
    TBitmap FNormal, FActive;
};

}  // namespace

const TClassInfo& TTestTabSet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestTabSet>("TTestTabSet")
        .Object("Tabs", &TTestTabSet::Tabs)
        .Int("TabIndex", &TTestTabSet::TabIndex)
        .Int("StartMargin", &TTestTabSet::StartMargin)
        .Int("EndMargin", &TTestTabSet::EndMargin)
        .Int("FirstIndex", &TTestTabSet::FirstIndex)
        .Build();
    return info;
}

const TClassInfo& TTestGlyphControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestGlyphControl>("TTestGlyphControl")
        .Object("CustomGlyphs", &TTestGlyphControl::CustomGlyphs)
        .Int("TransparentColor", &TTestGlyphControl::TransparentColor)
        .Bool("UseCustomGlyphs", &TTestGlyphControl::UseCustomGlyphs, &TTestGlyphControl::SetUseCustomGlyphs)
        .Build();
    return info;
}

const TClassInfo& TTestGlyphProperties::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TTestGlyphProperties>("TTestGlyphProperties").Object("Glyph", &TTestGlyphProperties::Glyph).Build();
    return info;
}

const TClassInfo& TTestPropertiesCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestPropertiesCheckBox>("TTestPropertiesCheckBox")
        .Object("Properties", &TTestPropertiesCheckBox::Properties)
        .Build();
    return info;
}

const TClassInfo& TTestAdvPages::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestAdvPages>("TTestAdvPages")
        .Object("TabBackGround", &TTestAdvPages::TabBackGround)
        .Object("TabBackGroundActive", &TTestAdvPages::TabBackGroundActive)
        .Build();
    return info;
}

TEST_F(PanelSkins, AStatusBarDrawsEachPanelOnTheFrameOfItsBevelWithTheGrip) {
    const auto form = ShowForm();
    auto* bar = PlaceControl<TStatusBar>(*form, 0, 150, 290, 22);
    for (TStatusPanelBevel bevel : {pbLowered, pbRaised, pbNone}) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetWidth(90);
        panel->SetBevel(bevel);
        panel->SetText("在线");
    }
    int drawn = 0;
    bar->OnDrawPanel = [&](TCustomStatusBar*, TStatusPanel*, const TRect&) { ++drawn; };
    Attach<TSkinStatusBar>(*form, bar, false);

    const auto picture = PaintWindow(bar->Handle());
    const int y = picture->Height() / 2;
    EXPECT_TRUE(Holds(*picture, TRect{0, y, 90, y + 1}, Plan(StatusEdgesImage, 1, 4))) << "lowered: frame 1";
    EXPECT_TRUE(Holds(*picture, TRect{95, y, 180, y + 1}, Plan(StatusEdgesImage, 2, 4))) << "raised: frame 2";
    EXPECT_TRUE(Holds(*picture, TRect{185, y, 260, y + 1}, Plan(StatusEdgesImage, 3, 4))) << "none: frame 3";
    EXPECT_TRUE(Holds(*picture, TRect{0, 0, 90, picture->Height()}, TRgb{3, 6, 9})) << "text in the edges' colour";
    EXPECT_TRUE(Holds(*picture, TRect{picture->Width() - 14, picture->Height() - 14, picture->Width(), picture->Height()},
                      Plan(ExtraImagesImage, 5, 4)))
        << "the size grip";
    EXPECT_EQ(drawn, 3) << "the owner-drawn panels after the skin";
}

TEST_F(PanelSkins, ASimpleStatusBarWithoutTextStillDrawsItsFrame) {
    const auto form = ShowForm();
    auto* bar = PlaceControl<TStatusBar>(*form, 0, 150, 290, 22);
    bar->SetSizeGrip(false);
    Attach<TSkinStatusBar>(*form, bar, false);
    const auto picture = PaintWindow(bar->Handle());
    EXPECT_GT(CountColour(*picture, TRect{0, 0, picture->Width(), picture->Height()}, Plan(StatusEdgesImage, 1, 4)),
              picture->Width() * picture->Height() / 2);
    EXPECT_FALSE(Holds(*picture, TRect{0, 0, picture->Width(), picture->Height()}, Plan(ExtraImagesImage, 5, 4)));
    EXPECT_EQ(SendMessageW(bar->Handle(), WM_ERASEBKGND, 0, 0), 1) << "nothing is erased under the skin";
}

TEST_F(PanelSkins, GroupBoxesGetARoundedShadowFrameWithTheCaptionOnTheFace) {
    const auto form = ShowForm();
    auto* box = PlaceControl<TGroupBox>(*form, 10, 10, 150, 80);
    box->SetCaption("端口设置");
    auto* skin = Attach<TSkinGroupBox>(*form, box, true);
    EXPECT_EQ(skin->Kind, 1);
    const TRgb shadow = ToRgb(TestSkin()->Colours().ButtonShadow);
    auto picture = PaintWindow(box->Handle());
    EXPECT_EQ(RgbAt(*picture, 1, 40), shadow) << "the left side";
    EXPECT_EQ(RgbAt(*picture, 75, picture->Height() - 2), shadow) << "the bottom";
    EXPECT_NE(RgbAt(*picture, 1, picture->Height() - 2), shadow) << "the corner is rounded";
    EXPECT_TRUE(Holds(*picture, TRect{8, 0, 80, 14}, FaceColour())) << "the caption's background";

    // A raw group box: the system's etched frame is painted over.
    HWND raw = CreateWindowExW(0, L"BUTTON", L"原始", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 100, 150, 60, form->Handle(),
                               nullptr, nullptr, nullptr);
    auto* rawSkin = new TSkinGroupBox(SkinOf(form->Handle()));
    rawSkin->AttachHandle(raw, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    EXPECT_EQ(rawSkin->Kind, 0);
    picture = PaintWindow(raw);
    EXPECT_EQ(RgbAt(*picture, 1, 30), shadow);
    EXPECT_EQ(RgbAt(*picture, 0, 30), FaceColour()) << "the etched line is gone";
    delete rawSkin;
    DestroyWindow(raw);
}

TEST_F(PanelSkins, APanelTakesTheFaceColourUnhookedAndGivesItsOwnBack) {
    const auto form = ShowForm();
    auto* panel = PlaceControl<TPanel>(*form);
    panel->SetColor(clAqua);
    auto* skin = Attach<TSkinBox>(*form, panel, true);
    EXPECT_EQ(panel->Color(), TestSkin()->Colours().ButtonFace);
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_EQ(SendMessageW(panel->Handle(), WM_SKINQUERY, 0, 0), 0) << "nothing hooked";
    EXPECT_EQ(SkinOf(form->Handle())->FindControlByHandle(panel->Handle()), skin);
    skin->RestoreColors();
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_TRUE(panel->ParentBackground());
    EXPECT_EQ(skin->State, scColorsRestored);
}

TEST_F(PanelSkins, APageControlDrawsItsTabsByFocusAndItsPaneFromTheSkin) {
    const auto form = ShowForm();
    TPageControl* pages = PlacePages(*form, 3);
    auto* skin = Attach<TSkinTab>(*form, pages, false, 2);
    EXPECT_EQ(skin->TabPosition, tpTop);
    EXPECT_FALSE(skin->CloseMarks);
    pages->SetActivePageIndex(1);
    const auto picture = PaintWindow(pages->Handle());
    for (int i = 0; i < 3; ++i) {
        const RECT tab = TabRect(pages->Handle(), i);
        const TRect inside{tab.left + 5, tab.top + 6, tab.right - 5, tab.bottom - 1};
        const int frame = i == 1 ? 2 : 1;
        EXPECT_TRUE(Holds(*picture, inside, Plan(TabsImage, frame, 4))) << "tab " << i;
        EXPECT_FALSE(Holds(*picture, inside, Plan(TabsImage, 3 - frame, 4))) << "tab " << i;
    }
    EXPECT_TRUE(Holds(*picture, TRect{20, 60, 240, 150}, Plan(TabPaneImage, 1, 4))) << "the pane";
    EXPECT_TRUE(skin->CloseRects.size() == 3);
}

TEST_F(PanelSkins, ClosingAPageByItsMarkAsksTheFormWhichMayKeepIt) {
    const auto form = ShowForm();
    TPageControl* pages = PlacePages(*form, 3);
    pages->SetTag(CloseMarkTag);
    auto* skin = Attach<TSkinTab>(*form, pages, false, 2);
    ASSERT_TRUE(skin->CloseMarks);
    PaintWindow(pages->Handle());
    ASSERT_EQ(skin->CloseRects.size(), 3u);

    LRESULT answer = 1;
    int asked = 0;
    WPARAM askedFor = 0;
    LPARAM askedIndex = -1;
    const TWndMethod formProc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg != WM_SKINTABCLOSE) return formProc(m);
        ++asked;
        askedFor = m.WParam;
        askedIndex = m.LParam;
        m.Result = answer;
    };
    const TRect mark = skin->CloseRects[2];
    const LPARAM point = MAKELPARAM(mark.Left + 2, mark.Top + 2);
    const int selected = static_cast<int>(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0));
    SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedFor, reinterpret_cast<WPARAM>(pages->Handle()));
    EXPECT_EQ(askedIndex, 2);
    EXPECT_EQ(pages->PageCount(), 3) << "the form kept it";
    EXPECT_EQ(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0), selected) << "the click never reached the tabs";

    answer = 0;
    TTabSheet* last = pages->Pages(2);
    SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    EXPECT_EQ(pages->PageCount(), 2);
    EXPECT_NE(pages->Pages(1), last);
    form->WindowProc = formProc;

    // Tabs at the bottom get no marks.
    TPageControl* bottom = PlacePages(*form, 2);
    bottom->SetTag(CloseMarkTag);
    SetWindowLongPtrW(bottom->Handle(), GWL_STYLE, GetWindowLongPtrW(bottom->Handle(), GWL_STYLE) | TCS_BOTTOM);
    EXPECT_FALSE(Attach<TSkinTab>(*form, bottom, false, 2)->CloseMarks);
}

TEST_F(PanelSkins, AFormThatFreesThePagesWhenAskedToCloseOneLeavesTheirSkinAlone) {
    const auto form = ShowForm();
    const TGuardedHeap guard;
    TPageControl* pages = PlacePages(*form, 3);
    pages->SetTag(CloseMarkTag);
    auto* skin = Attach<TSkinTab>(*form, pages, false, 2);
    PaintWindow(pages->Handle());
    ASSERT_EQ(skin->CloseRects.size(), 3u);
    const TRect mark = skin->CloseRects[1];
    const TWndMethod formProc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg != WM_SKINTABCLOSE) return formProc(m);
        delete pages;  // and the skin with them; the answer asks for the page to go as well
        m.Result = 0;
    };
    HWND window = pages->Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mark.Left + 2, mark.Top + 2));
    form->WindowProc = formProc;
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(PanelSkins, TabsOnTheRightAreDrawnInATurnedStrip) {
    const auto form = ShowForm();
    HWND tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | TCS_VERTICAL | TCS_BOTTOM | TCS_MULTILINE,
                                10, 10, 200, 160, form->Handle(), nullptr, nullptr, nullptr);
    for (const wchar_t* text : {L"甲", L"乙"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text);
        SendMessageW(tabs, TCM_INSERTITEMW, 10, reinterpret_cast<LPARAM>(&item));
    }
    auto* skin = new TSkinTab(SkinOf(form->Handle()), 0);
    skin->AttachHandle(tabs, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    EXPECT_EQ(skin->TabPosition, tpRight);
    const auto picture = PaintWindow(tabs);
    RECT display{0, 0, 200, 160};
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_TRUE(Holds(*picture, TRect{display.right + 4, 0, 200, 160}, Plan(TabsImage, 2, 4))) << "the strip is on the right";
    EXPECT_FALSE(Holds(*picture, TRect{0, 0, display.right - 4, 160}, Plan(TabsImage, 1, 4)));
    EXPECT_TRUE(Holds(*picture, TRect{20, 20, 150, 140}, Plan(TabPaneImage, 1, 4)));
    delete skin;
    DestroyWindow(tabs);
}

TEST_F(PanelSkins, AHeaderFillsTheRoomAfterItsItemsAndShowsTheHotItem) {
    const auto form = ShowForm();
    auto* list = PlaceControl<TListView>(*form, 10, 10, 260, 120);
    list->SetViewStyle(vsReport);
    for (const char* caption : {"号码", "状态"}) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(80);
    }
    HWND headerWindow = reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(headerWindow, nullptr);
    auto* header = new TSkinHeader(list);
    header->AttachHandle(headerWindow, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    EXPECT_EQ(header->HotItem, -1);

    auto picture = PaintWindow(headerWindow);
    const int y = picture->Height() / 2;
    EXPECT_TRUE(Holds(*picture, TRect{5, y, 75, y + 1}, Plan(HeaderImage, 1, 4)));
    EXPECT_TRUE(Holds(*picture, TRect{170, y, picture->Width(), y + 1}, Plan(HeaderImage, 1, 4))) << "the rest";
    ASSERT_EQ(header->ItemRects.size(), 2u);
    EXPECT_EQ(header->ItemRects[1].Left, 83) << "stored 3 pixels in";

    SendMessageW(headerWindow, WM_MOUSEMOVE, 0, MAKELPARAM(120, y));
    EXPECT_EQ(header->HotItem, 1);
    picture = PaintWindow(headerWindow);
    EXPECT_TRUE(Holds(*picture, TRect{85, y, 155, y + 1}, Plan(HeaderImage, 2, 4)));
    EXPECT_FALSE(Holds(*picture, TRect{5, y, 75, y + 1}, Plan(HeaderImage, 2, 4)));
    SendMessageW(headerWindow, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(header->HotItem, -1);
}

// A report list of two columns, and its header skinned with the skin.
struct TSkinnedHeader {
    HWND Window = nullptr;
    TSkinHeader* Skin = nullptr;
};
TSkinnedHeader PlaceHeader(TForm& form, TSkinData* skinData) {
    auto* list = PlaceControl<TListView>(form, 10, 10, 260, 120);
    list->SetViewStyle(vsReport);
    for (const char* caption : {"号码", "状态"}) {
        TListColumn* column = list->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(80);
    }
    TSkinnedHeader header;
    header.Window = reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0));
    header.Skin = new TSkinHeader(list);
    header.Skin->AttachHandle(header.Window, skinData, SharedCanvas(form), SkinOf(form.Handle()));
    return header;
}

// Pixels of a dark caption, smoothed or not, in the rectangle: every channel below the limit
// (no pixel of the header's picture is below 50: its red is 64).
int DarkPixels(TBitmap& bitmap, const TRect& r, int limit = 50) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TRgb p = RgbAt(bitmap, x, y);
            if (p != Untouched && p.R < limit && p.G < limit && p.B < limit) ++count;
        }
    return count;
}

// The header strip is cut into as many frames as its description says; without the picture the
// header is drawn the plain way, captions and all.
TEST_F(PanelSkins, AHeaderTakesItsFrameCountAsReadAndWithoutItsPictureIsDrawnPlain) {
    const auto form = ShowForm();
    const TSkinForm threeFrames =
        ReadSkinForm(EditedSkinPackage([](std::string& ini) { SetIniKey(ini, "Headerbar", "Frame", "3"); }), "Active = False");
    ASSERT_EQ(threeFrames->Objects.Headerbar->Frame, 3);
    TSkinnedHeader header = PlaceHeader(*form, threeFrames.Skin);
    auto picture = PaintWindow(header.Window);
    const int y = picture->Height() / 2;
    // Frame 1 of 3 holds the first of the five pictures drawn and the left of the second.
    EXPECT_TRUE(Holds(*picture, TRect{5, y, 75, y + 1}, Plan(HeaderImage, 1, 4)));
    EXPECT_TRUE(Holds(*picture, TRect{5, y, 75, y + 1}, Plan(HeaderImage, 2, 4)));

    const TSkinForm none = ReadSkinForm(EditedSkinPackage([](std::string& ini) { RemoveIniSection(ini, "Headerbar"); }),
                                        "Active = False");
    ASSERT_EQ(none->Objects.Headerbar, nullptr);
    header = PlaceHeader(*form, none.Skin);
    picture = PaintWindow(header.Window);
    const int all = picture->Width() * picture->Height();
    EXPECT_LT(CountColour(*picture, TRect{0, 0, picture->Width(), picture->Height()}, Untouched), all / 2) << "drawn";
    EXPECT_GT(DarkPixels(*picture, TRect{0, 0, 80, picture->Height()}, 100), 10) << "with its caption";
}

// A left-aligned caption begins after the item's image, not over it.
TEST_F(PanelSkins, AHeaderCaptionStandsBesideItsImage) {
    const auto form = ShowForm();
    const TSkinnedHeader header = PlaceHeader(*form, TestSkin());
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP square = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(memory, square);
    HBRUSH red = CreateSolidBrush(RGB(200, 10, 10));
    const RECT all{0, 0, 16, 16};
    FillRect(memory, &all, red);
    SelectObject(memory, old);
    ImageList_Add(images, square, nullptr);
    for (HGDIOBJ made : {static_cast<HGDIOBJ>(red), static_cast<HGDIOBJ>(square)}) DeleteObject(made);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    SendMessageW(header.Window, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    item.fmt = HDF_LEFT | HDF_STRING | HDF_IMAGE;
    item.iImage = 0;
    SendMessageW(header.Window, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));

    const auto picture = PaintWindow(header.Window);
    const int h = picture->Height();
    const TRect image{3, 0, 19, h}, caption{19, 0, 75, h};
    EXPECT_GT(CountColour(*picture, image, TRgb{200, 10, 10}), 100) << "the image from 3";
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 3, h}, TRgb{200, 10, 10}), 0);
    EXPECT_EQ(DarkPixels(*picture, image), 0) << "no caption over the image";
    EXPECT_GT(DarkPixels(*picture, caption), 10) << "the caption after it";
    SendMessageW(header.Window, HDM_SETIMAGELIST, 0, 0);
    ImageList_Destroy(images);
}

TEST_F(PanelSkins, GripsSheetsAndDialogPagesTakeTheFaceColour) {
    const auto form = ShowForm();
    TWinSkinForm* windowSkin = SkinOf(form->Handle());
    HWND grip = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 10, 10, 20, 20, form->Handle(),
                                nullptr, nullptr, nullptr);
    TSkinControl* sizer = NewSkinSizer(windowSkin);
    sizer->AttachHandle(grip, TestSkin(), SharedCanvas(*form), windowSkin);
    auto picture = PaintWindow(grip);
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 20, 20}, FaceColour()), 400);

    TPageControl* pages = PlacePages(*form, 1);
    TTabSheet* sheet = pages->Pages(0);
    TSkinControl* sheetSkin = NewSkinTabSheet(sheet);
    sheetSkin->AttachControl(windowSkin, TestSkin(), SharedCanvas(*form), false);
    picture = PaintWindow(sheet->Handle());
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, picture->Width(), picture->Height()}, FaceColour()),
              picture->Width() * picture->Height());

    HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, L"#32770", L"", WS_CHILD | WS_VISIBLE, 40, 10, 60, 40, form->Handle(),
                                nullptr, nullptr, nullptr);
    HWND label = CreateWindowExW(0, L"STATIC", L"文字", WS_CHILD | WS_VISIBLE, 0, 0, 40, 16, page, nullptr, nullptr, nullptr);
    TSkinControl* pageSkin = NewSkinBoxH(windowSkin);
    pageSkin->AttachHandle(page, TestSkin(), SharedCanvas(*form), windowSkin);
    auto erased = BlankBitmap(60, 40);
    SendMessageW(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased->Canvas()->Handle()), 0);
    EXPECT_EQ(CountColour(*erased, TRect{0, 0, 60, 40}, FaceColour()), 60 * 40);
    HDC dc = GetDC(label);
    EXPECT_EQ(SendMessageW(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)),
              reinterpret_cast<LRESULT>(TestSkin()->FaceBrush()));
    ReleaseDC(label, dc);
    delete pageSkin;
    delete sizer;
    DestroyWindow(page);
    DestroyWindow(grip);
}

TEST_F(PanelSkins, ATabSetPassesOverATabTooWideAndDrawsTheNextThatFits) {
    const auto form = ShowForm();
    auto* tabSet = PlaceControl<TTestTabSet>(*form, 10, 10, 120, 20);
    tabSet->Tabs()->Add("甲");
    tabSet->Tabs()->Add("一个放不下的很长很长的标签");
    tabSet->Tabs()->Add("乙");
    tabSet->TabIndex = 2;
    auto* skin = Attach<TSkinTab31>(*form, tabSet, false);
    const auto picture = PaintWindow(tabSet->Handle());
    const int y = picture->Height() / 2;
    EXPECT_TRUE(Holds(*picture, TRect{5, y, 40, y + 1}, Plan(TabsImage, 1, 4))) << "the first tab";
    EXPECT_TRUE(Holds(*picture, TRect{5, y, 80, y + 1}, Plan(TabsImage, 2, 4))) << "the third, in the room left";
    EXPECT_EQ(RgbAt(*picture, 117, y), FaceColour()) << "the end margin";
    EXPECT_EQ(SendMessageW(tabSet->Handle(), WM_ERASEBKGND, 0, 0), 1);
    delete skin;
}

TEST_F(PanelSkins, GlyphStripsAreBuiltFromTheSkinsMarksAndHandedToTheControl) {
    const auto form = ShowForm();
    auto* check = PlaceControl<TTestGlyphControl>(*form);
    auto* skin = Attach<TSkinObjImage>(*form, check, true, static_cast<int>(gmCheckBox));
    TBitmap* strip = check->CustomGlyphs();
    ASSERT_EQ(strip->Width(), 9 * 13);
    const int middle = 6;
    EXPECT_EQ(RgbAt(*strip, 0 * 13 + middle, middle), Plan(CheckImage, 1, 4));
    EXPECT_EQ(RgbAt(*strip, 4 * 13 + middle, middle), Plan(CheckImage, 2, 4));
    EXPECT_EQ(RgbAt(*strip, 6 * 13 + middle, middle), Plan(CheckImage, 3, 4));
    EXPECT_EQ(RgbAt(*strip, 7 * 13 + middle, middle), Plan(CheckImage, 4, 4));
    EXPECT_EQ(RgbAt(*strip, 2 * 13 + middle, middle), Magenta) << "a 12-frame mark has no fifth for the third cell";
    EXPECT_EQ(check->TransparentColor, 0xFF00FF);
    EXPECT_TRUE(check->UseCustomGlyphs());
    EXPECT_EQ(check->Switches, 2) << "switched off and on, so the control reads them";
    skin->RestoreColors();
    EXPECT_FALSE(check->UseCustomGlyphs());

    auto* radio = PlaceControl<TTestGlyphControl>(*form);
    Attach<TSkinObjImage>(*form, radio, true, static_cast<int>(gmRadioButton));
    ASSERT_EQ(radio->CustomGlyphs()->Width(), 6 * 13);
    EXPECT_EQ(RgbAt(*radio->CustomGlyphs(), 5 * 13 + middle, middle), Plan(RadioImage, 4, 4));

    auto* boxed = PlaceControl<TTestPropertiesCheckBox>(*form);
    auto* boxedSkin = Attach<TSkinObjImage>(*form, boxed, true, static_cast<int>(gmPropertiesCheckBox));
    TBitmap* glyph = boxed->Properties()->Glyph();
    ASSERT_EQ(glyph->Width(), 6 * 13);
    EXPECT_EQ(RgbAt(*glyph, 3 * 13 + middle, middle), Plan(CheckImage, 1, 4));
    EXPECT_FALSE(glyph->Transparent());
    boxedSkin->RestoreColors();
    EXPECT_TRUE(glyph->Empty());
}

TEST_F(PanelSkins, AnAdvancedPageControlGetsItsTabBackgroundsRenderedFromTheSkin) {
    const auto form = ShowForm();
    auto* pages = PlaceControl<TTestAdvPages>(*form);
    auto* skin = Attach<TSkinAdvPage>(*form, pages, true, PageModeTabBackgrounds);
    ASSERT_EQ(pages->TabBackGround()->Width(), 100);
    ASSERT_EQ(pages->TabBackGround()->Height(), 21);
    EXPECT_EQ(RgbAt(*pages->TabBackGround(), 50, 10), Plan(TabsImage, 1, 4));
    EXPECT_EQ(RgbAt(*pages->TabBackGroundActive(), 50, 10), Plan(TabsImage, 2, 4));
    skin->RestoreColors();
    EXPECT_TRUE(pages->TabBackGround()->Empty());
    EXPECT_TRUE(pages->TabBackGroundActive()->Empty());

    auto* other = PlaceControl<TTestAdvPages>(*form);
    Attach<TSkinAdvPage>(*form, other, true, 0);
    EXPECT_TRUE(other->TabBackGround()->Empty()) << "only page mode 4 takes the skin's tabs";
}
