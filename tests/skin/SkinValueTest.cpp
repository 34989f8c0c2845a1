// Track bars, up-down buttons, progress bars and media players skinned on a skinned form, each
// rendered into memory bitmaps in its looks and read against the colour plan of the console's
// skin.
#include "GuiTestSupport.h"
#include "SkinArrow.h"
#include "SkinControlFactory.h"
#include "SkinMessages.h"
#include "SkinMP.h"
#include "SkinProgress.h"
#include "SkinTrackBar.h"
#include "SkinUpDown.h"
#include "SkinValueSupport.h"
#include "WMediaPlayer.h"

namespace {

using SkinValue = SkinWindowTest;

// Image numbers of the colour plan.
enum { ProgressImage = 23, ChunkImage = 24, ThumbHorzImage = 32, ThumbVertImage = 33, TrackImage = 38,
       TrackVertImage = 39, UpDownVertImage = 42, UpDownVertGlyph = 43 };

// A skin object taken out of the console's skin while the test runs.
template <class T>
class TWithout {
public:
    explicit TWithout(std::unique_ptr<T>& slot) : FSlot(slot), FKept(std::move(slot)) {}
    ~TWithout() { FSlot = std::move(FKept); }

private:
    std::unique_ptr<T>& FSlot;
    std::unique_ptr<T> FKept;
};

// The track bar's custom drawing of one part asked of the skin directly, into the bitmap.
LRESULT DrawTrackPart(TControl* bar, TBitmap& bitmap, DWORD stage, DWORD_PTR item, HWND from = nullptr) {
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = from ? from : bar->Handle();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = stage;
    draw.dwItemSpec = item;
    draw.hdc = bitmap.Canvas()->Handle();
    return bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
}

RECT ItemRect(TControl* bar, UINT message) {
    RECT r{};
    SendMessageA(bar->Handle(), message, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The rows (or columns) of the rectangle that hold a pixel of the colour.
std::pair<int, int> Extent(TBitmap& bitmap, const TRect& r, TRgb colour, bool rows) {
    int first = -1, last = -1;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (RgbAt(bitmap, x, y) == colour) {
                const int at = rows ? y : x;
                if (first < 0 || at < first) first = at;
                last = std::max(last, at);
            }
    return {first, last};
}

}  // namespace

TEST_F(SkinValue, ATrackBarTakesItsThumbAndChannelFromTheSkin) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_AUTOTICKS, 160, 40);
    SendMessageA(bar->Handle(), TBM_SETPOS, TRUE, 5);
    AttachSkin<TSkinTrackBar>(*form, bar);
    auto picture = PaintWindow(bar->Handle());

    const RECT thumb = ItemRect(bar, TBM_GETTHUMBRECT);
    EXPECT_EQ(RgbAt(*picture, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), Plan(ThumbHorzImage, 2, 4));
    EXPECT_EQ(RgbAt(*picture, thumb.left, thumb.top), FaceRgb()) << "the thumb's corners are left out";
    const RECT channel = ItemRect(bar, TBM_GETCHANNELRECT);
    const TRect channelRect{channel.left, channel.top, channel.right, channel.bottom + 8};
    EXPECT_GT(CountColour(*picture, channelRect, Plan(TrackImage, 1, 3)), 0) << "its left end";
    EXPECT_GT(CountColour(*picture, channelRect, Plan(TrackImage, 1, 4)), 0);
    EXPECT_GT(CountColour(*picture, channelRect, Plan(TrackImage, 1, 5)), 0) << "its right end";

    // The stages a bar asks about that the skin leaves to it.
    auto scratch = BlankBitmap(4, 4);
    EXPECT_EQ(DrawTrackPart(bar, *scratch, CDDS_PREPAINT, 0), CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(DrawTrackPart(bar, *scratch, CDDS_ITEMPREPAINT, TBCD_TICS), CDRF_DODEFAULT);
    EXPECT_EQ(DrawTrackPart(bar, *scratch, CDDS_ITEMPREPAINT, TBCD_THUMB), CDRF_SKIPDEFAULT);
    EXPECT_EQ(DrawTrackPart(bar, *scratch, CDDS_POSTPAINT, 0), CDRF_DODEFAULT);
}

TEST_F(SkinValue, AThinChannelImageLiesHalfwayDownAHorizontalChannelAndCentredInAVerticalOne) {
    const auto form = ShowForm();
    auto* flat = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 160, 40);
    AttachSkin<TSkinTrackBar>(*form, flat);
    auto picture = BlankBitmap(160, 40);
    DrawTrackPart(flat, *picture, CDDS_ITEMPREPAINT, TBCD_CHANNEL);
    const RECT channel = ItemRect(flat, TBM_GETCHANNELRECT);
    const int channelHeight = channel.bottom - channel.top;
    const auto rows = Extent(*picture, TRect{0, 0, 160, 40}, Plan(TrackImage, 1, 4), true);
    const int expectedTop = channelHeight > 4 ? channel.top + channelHeight / 2 : channel.top;
    EXPECT_EQ(rows.first, expectedTop) << "channel " << channel.top << ".." << channel.bottom;
    EXPECT_EQ(rows.second, expectedTop + 3) << "the image's own height";

    auto* upright = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_VERT | TBS_ENABLESELRANGE, 40, 160);
    AttachSkin<TSkinTrackBar>(*form, upright);
    picture = BlankBitmap(40, 160);
    DrawTrackPart(upright, *picture, CDDS_ITEMPREPAINT, TBCD_CHANNEL);
    const RECT lying = ItemRect(upright, TBM_GETCHANNELRECT);
    // Windows reports it lying down (its width is the rectangle's height).
    const bool isLying = lying.right - lying.left > lying.bottom - lying.top;
    const int left = isLying ? lying.top : lying.left;
    const int right = isLying ? lying.bottom : lying.right;
    const auto columns = Extent(*picture, TRect{0, 0, 40, 160}, Plan(TrackVertImage, 1, 4), false);
    ASSERT_GE(columns.first, 0);
    EXPECT_EQ(columns.second - columns.first + 1, 4);
    if (right - left > 4) EXPECT_LE(std::abs((columns.first - left) - (right - 1 - columns.second)), 1) << "centred";
    else EXPECT_EQ(columns.first, left);

    // A vertical bar's thumb comes from the vertical thumb image.
    picture = PaintWindow(upright->Handle());
    const RECT thumb = ItemRect(upright, TBM_GETTHUMBRECT);
    EXPECT_EQ(RgbAt(*picture, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2), Plan(ThumbVertImage, 2, 4));
}

TEST_F(SkinValue, WithoutThumbImagesTheThumbIsAShadowRectangle) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, TRACKBAR_CLASSA, 0, 160, 40);
    AttachSkin<TSkinTrackBar>(*form, bar);
    TWithout<TDataSkinObject> noHorz(TestSkin()->Objects.ThumbHorz);
    TWithout<TDataSkinObject> noVert(TestSkin()->Objects.ThumbVert);
    auto picture = BlankBitmap(160, 40);
    DrawTrackPart(bar, *picture, CDDS_ITEMPREPAINT, TBCD_THUMB);
    const RECT thumb = ItemRect(bar, TBM_GETTHUMBRECT);
    EXPECT_EQ(RgbAt(*picture, thumb.left, (thumb.top + thumb.bottom) / 2), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, thumb.right - 1, thumb.top), ShadowRgb());
}

TEST_F(SkinValue, OnlyCustomDrawRecordsOfTheBarItselfAreRead) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, TRACKBAR_CLASSA, 0, 160, 40);
    AttachSkin<TSkinTrackBar>(*form, bar);
    // The skin's ready notice has the reflected notification's number and a key for lParam.
    bar->Perform(WM_SKINREADY, 0, SkinAnswerKey);
    EXPECT_EQ(bar->Seen[WM_SKINREADY], 1) << "passed on, not read as a record";
    auto picture = BlankBitmap(160, 40);
    EXPECT_EQ(DrawTrackPart(bar, *picture, CDDS_ITEMPREPAINT, TBCD_THUMB, form->Handle()), 0);
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 160, 40}, Untouched), 160 * 40) << "another window's record draws nothing";
}

// ---- up-down ---------------------------------------------------------------------------------

TEST_F(SkinValue, UpDownButtonsShowTheirLooksFromTheSkin) {
    const auto form = ShowForm();
    ParkCursor();
    auto* spin = PlaceCommon(*form, UPDOWN_CLASSA, 0, 16, 30);
    auto* skin = AttachSkin<TSkinUpDown>(*form, spin);
    // Frames 1-4 are the upper button's looks, 5-8 the lower one's; the glyph sits in the middle.
    const auto looks = [&](int upper, int lower) {
        auto picture = PaintWindow(spin->Handle());
        EXPECT_EQ(RgbAt(*picture, 2, 7), Plan(UpDownVertImage, upper, 4));
        EXPECT_EQ(RgbAt(*picture, 2, 22), Plan(UpDownVertImage, lower, 4));
        EXPECT_EQ(RgbAt(*picture, 8, 7), Plan(UpDownVertGlyph, upper, 4));
    };
    looks(1, 5);
    skin->MouseState = msHot;
    looks(4, 8);
    skin->MouseState = msPressed;
    looks(2, 6);
    // The button under the cursor is the one pressed; the other shows normal.
    POINT lower{8, 22};
    ClientToScreen(spin->Handle(), &lower);
    SetCursorPos(lower.x, lower.y);
    looks(1, 6);
    POINT upper{8, 7};
    ClientToScreen(spin->Handle(), &upper);
    SetCursorPos(upper.x, upper.y);
    auto picture = PaintWindow(spin->Handle());
    EXPECT_EQ(RgbAt(*picture, 2, 7), Plan(UpDownVertImage, 2, 4));
    EXPECT_EQ(RgbAt(*picture, 2, 22), Plan(UpDownVertImage, 5, 4));
    ParkCursor();
    skin->MouseState = 0;
    EnableWindow(spin->Handle(), FALSE);
    looks(3, 7);
}

TEST_F(SkinValue, AClickPressesTheUpDownUntilTheButtonComesUp) {
    const auto form = ShowForm();
    auto* spin = PlaceCommon(*form, UPDOWN_CLASSA, 0, 16, 30);
    auto* skin = AttachSkin<TSkinUpDown>(*form, spin);
    SendMessageA(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    EXPECT_TRUE(skin->MouseState & msPressed);
    EXPECT_EQ(spin->Seen[WM_LBUTTONDOWN], 1) << "the control still gets its click";
    SendMessageA(spin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_FALSE(skin->MouseState & msPressed);
    EXPECT_EQ(spin->Seen[WM_LBUTTONUP], 1);
}

TEST_F(SkinValue, WithoutImagesUpDownButtonsAreFlatWithArrows) {
    const auto form = ShowForm();
    ParkCursor();
    TWithout<TDataSkinBorder> noHorz(TestSkin()->Objects.UpDownHorz);
    TWithout<TDataSkinBorder> noVert(TestSkin()->Objects.UpDownVert);
    auto* spin = PlaceCommon(*form, UPDOWN_CLASSA, UDS_HORZ, 40, 20);
    auto* skin = AttachSkin<TSkinUpDown>(*form, spin);
    const TRgb dark = ToRgb(TestSkin()->Colours().ButtonDkShadow);
    auto picture = PaintWindow(spin->Handle());
    EXPECT_EQ(RgbAt(*picture, 0, 0), dark) << "the button's outline";
    EXPECT_EQ(RgbAt(*picture, 5, 5), FaceRgb());
    EXPECT_GT(CountColour(*picture, TRect{1, 1, 19, 19}, dark), 0) << "the left arrow";
    skin->MouseState = msPressed;
    picture = PaintWindow(spin->Handle());
    EXPECT_EQ(RgbAt(*picture, 5, 5), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 25, 5), ShadowRgb());
}

TEST_F(SkinValue, AnUpDownInsideAnEditKeepsClearOfTheEditsBorder) {
    const auto form = ShowForm();
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "12", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24, form->Handle(),
                                nullptr, nullptr, nullptr);
    RECT client{};
    GetClientRect(edit, &client);
    // Flush with the edit's client area: closer than 3 pixels to its top, bottom and right.
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, client.right - 16, 0, 16, client.bottom, edit,
                                nullptr, nullptr, nullptr);
    auto* skin = new TSkinUpDown(SkinOf(form->Handle()));
    skin->EditBuddyMode = true;
    skin->AttachHandle(spin, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    auto picture = PaintWindow(spin);
    const SIZE size = WindowSize(spin);
    RECT own{}, parent{};
    GetWindowRect(spin, &own);
    GetWindowRect(edit, &parent);
    const int top = std::max(0, 3 - static_cast<int>(own.top - parent.top));
    const int right = std::max(0, 3 - static_cast<int>(parent.right - own.right));
    ASSERT_GT(top, 0);
    EXPECT_EQ(RgbAt(*picture, 2, top - 1), White) << "kept clear, white";
    EXPECT_EQ(RgbAt(*picture, size.cx - right, size.cy / 2), White);
    EXPECT_NE(RgbAt(*picture, 2, top + 3), White) << "the buttons below";
    EXPECT_EQ(SendMessageA(spin, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()), 0), 1);
    delete skin;
    DestroyWindow(edit);
}

TEST(SkinArrows, ArrowsPointTheirWayAndUnknownDirectionsDrawNothing) {
    auto picture = BlankBitmap(40, 40);
    HDC dc = picture->Canvas()->Handle();
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DrawArrow(dc, 10, 10, adUp);
    EXPECT_EQ(RgbAt(*picture, 10, 10), (TRgb{0, 0, 0})) << "the tip";
    EXPECT_EQ(RgbAt(*picture, 7, 13), (TRgb{0, 0, 0})) << "the wide end below";
    EXPECT_EQ(RgbAt(*picture, 10, 15), Untouched);
    DrawArrow(dc, 30, 10, adDown);
    EXPECT_EQ(RgbAt(*picture, 30, 13), (TRgb{0, 0, 0})) << "the tip below";
    EXPECT_EQ(RgbAt(*picture, 28, 11), (TRgb{0, 0, 0})) << "the wide end above";
    auto blank = BlankBitmap(20, 20);
    DrawArrow(blank->Canvas()->Handle(), 10, 10, 4);
    DrawArrow(blank->Canvas()->Handle(), 10, 10, -1);
    EXPECT_EQ(CountColour(*blank, TRect{0, 0, 20, 20}, Untouched), 400);
}

// ---- progress bars ---------------------------------------------------------------------------

TEST_F(SkinValue, AProgressBarFillsItsSkinBarInProportion) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, 0, 100, 16);
    AttachSkin<TSkinProgress>(*form, bar);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 200);
    const auto filled = [&](int position) {
        SendMessageA(bar->Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
        auto picture = PaintWindow(bar->Handle());
        EXPECT_EQ(RgbAt(*picture, 0, 0), FaceRgb()) << "the bar's corners show the face colour";
        return CountColour(*picture, TRect{0, 8, 100, 9}, Plan(ProgressImage, 2, 4));
    };
    EXPECT_EQ(filled(0), 0);
    // The filled part's middle: its length less both margins of 3.
    EXPECT_EQ(filled(100), 50 - 6);
    EXPECT_EQ(filled(200), 100 - 6);
    auto picture = PaintWindow(bar->Handle());
    EXPECT_EQ(RgbAt(*picture, 50, 8), Plan(ProgressImage, 2, 4));

    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 0);
    picture = PaintWindow(bar->Handle());
    EXPECT_EQ(RgbAt(*picture, 50, 8), Plan(ProgressImage, 1, 4)) << "a maximum of 0 shows the empty bar";
    EXPECT_EQ(TSkinProgress::FilledLength(100, 5, 0), 0);
    EXPECT_EQ(TSkinProgress::FilledLength(100, -5, 10), 0);
    EXPECT_EQ(TSkinProgress::FilledLength(100, 20, 10), 100) << "never past its end";
}

TEST_F(SkinValue, AVerticalProgressBarFillsFromTheBottom) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, PBS_VERTICAL, 16, 100);
    AttachSkin<TSkinProgress>(*form, bar);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 100);
    SendMessageA(bar->Handle(), PBM_SETPOS, 50, 0);
    auto picture = PaintWindow(bar->Handle());
    EXPECT_EQ(RgbAt(*picture, 8, 80), Plan(ProgressImage, 2, 4));
    EXPECT_EQ(RgbAt(*picture, 8, 20), Plan(ProgressImage, 1, 4));
}

TEST_F(SkinValue, AChunkedProgressBarRepeatsItsChunkOverTheFilledPart) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, 0, 100, 16);
    AttachSkin<TSkinProgress>(*form, bar);
    TDataSkinBorder* image = TestSkin()->Objects.Progress.get();
    const int style = image->Style;
    image->Style = 1;
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 100);
    SendMessageA(bar->Handle(), PBM_SETPOS, 50, 0);
    auto picture = PaintWindow(bar->Handle());
    image->Style = style;
    // Chunks of 8 x 10 from x = 2, 3 pixels down, over the filled 50 pixels.
    EXPECT_EQ(RgbAt(*picture, 10, 8), Plan(ChunkImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 51, 8), Plan(ChunkImage, 1, 4));
    EXPECT_NE(RgbAt(*picture, 60, 8), Plan(ChunkImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 10, 1), Plan(ProgressImage, 1, 1)) << "the bar around them";
}

TEST_F(SkinValue, WithoutItsImageAProgressBarPaintsItself) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, 0, 100, 16);
    AttachSkin<TSkinProgress>(*form, bar);
    TWithout<TDataSkinBorder> none(TestSkin()->Objects.Progress);
    bar->Seen.clear();
    auto picture = PaintWindow(bar->Handle());
    EXPECT_EQ(bar->Seen[WM_PAINT], 1);
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 100, 16}, Plan(ProgressImage, 1, 4)), 0);
}

// ---- media players ---------------------------------------------------------------------------

TEST_F(SkinValue, AMediaPlayerGetsAPanelOfItsVisibleButtons) {
    const auto form = ShowForm();
    auto* player = PlaceControl<TTestMediaPlayer>(*form, 10, 10, 90, 30);
    player->VisibleButtons = ButtonBit(btPlay) | ButtonBit(btStop) | ButtonBit(btEject);
    player->EnabledButtons = ButtonBit(btPlay) | ButtonBit(btEject);
    auto* skin = AttachSkin<TSkinMP>(*form, player);
    TWMediaPlayer* panel = skin->Overlay;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BoundsRect(), player->BoundsRect());
    EXPECT_EQ(panel->Tag(), TestSkin()->DisableTag()) << "never skinned itself";

    // Three buttons of 30 pixels: play, stop (disabled), eject.
    auto picture = PaintWindow(panel->Handle());
    EXPECT_EQ(RgbAt(*picture, 15, 15), Plan(PushButtonImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 45, 15), Plan(PushButtonImage, 3, 4));
    EXPECT_EQ(RgbAt(*picture, 75, 15), Plan(PushButtonImage, 1, 4));
    EXPECT_EQ(panel->HitTest(30), btPlay) << "both ends of a button are in it";
    EXPECT_EQ(panel->HitTest(31), btStop);
    EXPECT_EQ(panel->HitTest(91), NoPlayerButton);

    // A press shows on the button until the mouse comes up; the player gets both.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 10));
    picture = PaintWindow(panel->Handle());
    EXPECT_EQ(RgbAt(*picture, 75, 15), Plan(PushButtonImage, 2, 4));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(72, 10));
    ASSERT_EQ(player->Clicks.size(), 2u);
    EXPECT_EQ(player->Clicks[1].first, static_cast<UINT>(WM_LBUTTONUP));
}

TEST_F(SkinValue, APressThatEndsOnAnotherPlayerButtonRunsNothing) {
    const auto form = ShowForm();
    auto* player = PlaceControl<TTestMediaPlayer>(*form, 10, 10, 90, 30);
    player->VisibleButtons = player->EnabledButtons = ButtonBit(btPlay) | ButtonBit(btPause);
    auto* skin = AttachSkin<TSkinMP>(*form, player);
    SendMessageA(skin->Overlay->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(skin->Overlay->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
    ASSERT_EQ(player->Clicks.size(), 1u);
    EXPECT_EQ(player->Clicks[0].first, static_cast<UINT>(WM_LBUTTONDOWN));
}

TEST_F(SkinValue, APlayerWithoutVisibleButtonsGetsNoButtonsAndThePanelFollowsThePlayer) {
    const auto form = ShowForm();
    auto* player = PlaceControl<TTestMediaPlayer>(*form, 10, 10, 90, 30);
    auto* skin = AttachSkin<TSkinMP>(*form, player);
    auto picture = PaintWindow(skin->Overlay->Handle());
    for (int frame = 1; frame <= 5; ++frame) EXPECT_EQ(CountColour(*picture, TRect{0, 0, 90, 30}, Plan(PushButtonImage, frame, 4)), 0);

    player->SetBounds(20, 40, 120, 24);
    EXPECT_EQ(skin->Overlay->BoundsRect(), (TRect{20, 40, 140, 64}));
    player->SetVisible(false);
    EXPECT_FALSE(skin->Overlay->Visible());
    skin->RestoreColors();
    EXPECT_EQ(skin->Overlay, nullptr) << "the panel goes when the skin lets go";
}
