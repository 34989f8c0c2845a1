// Track bars, up-down buttons, progress bars and media players skinned on a skinned form, each
// rendered into memory bitmaps in its looks and read against the colour plan of the console's
// skin.
#include "GuiTestSupport.h"
#include "SkinMP.h"
#include "SkinMessages.h"
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
LRESULT DrawTrackPart(TControl* bar, TBitmap& bitmap, DWORD_PTR item, HWND from = nullptr) {
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = from ? from : bar->Handle();
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.dwItemSpec = item;
    draw.hdc = bitmap.Canvas()->Handle();
    return bar->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw));
}

RECT ItemRect(TControl* bar, UINT message) {
    RECT r{};
    SendMessageA(bar->Handle(), message, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}

TRgb CentreOf(TBitmap& picture, const RECT& r) { return RgbAt(picture, (r.left + r.right) / 2, (r.top + r.bottom) / 2); }

// The first and last row (or column) of the bitmap that holds a pixel of the colour.
std::pair<int, int> Extent(TBitmap& bitmap, TRgb colour, bool rows) {
    int first = -1, last = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (RgbAt(bitmap, x, y) == colour) {
                const int at = rows ? y : x;
                if (first < 0 || at < first) first = at;
                last = std::max(last, at);
            }
    return {first, last};
}

}  // namespace

TEST_F(SkinValue, TrackBarsTakeTheirThumbsAndChannelsFromTheSkin) {
    const auto form = ShowForm();
    auto* flat = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_AUTOTICKS, 160, 40);
    SendMessageA(flat->Handle(), TBM_SETPOS, TRUE, 5);
    AttachSkin<TSkinTrackBar>(*form, flat);
    auto picture = PaintWindow(flat->Handle());
    const RECT thumb = ItemRect(flat, TBM_GETTHUMBRECT);
    EXPECT_EQ(CentreOf(*picture, thumb), Plan(ThumbHorzImage, 2, 4));
    EXPECT_EQ(RgbAt(*picture, thumb.left, thumb.top), FaceRgb()) << "the thumb's corners are left out";
    const RECT channel = ItemRect(flat, TBM_GETCHANNELRECT);
    for (int zone : {3, 4, 5})
        EXPECT_GT(CountColour(*picture, TRect{channel.left, channel.top, channel.right, channel.bottom + 8}, Plan(TrackImage, 1, zone)), 0);

    auto* upright = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_VERT, 40, 160);
    AttachSkin<TSkinTrackBar>(*form, upright);
    picture = PaintWindow(upright->Handle());
    EXPECT_EQ(CentreOf(*picture, ItemRect(upright, TBM_GETTHUMBRECT)), Plan(ThumbVertImage, 2, 4));
}

TEST_F(SkinValue, AThinChannelImageLiesHalfwayDownAHorizontalChannelAndCentredInAVerticalOne) {
    const auto form = ShowForm();
    // A selection range makes the channel wider than the 4-pixel image.
    auto* flat = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_ENABLESELRANGE, 160, 40);
    AttachSkin<TSkinTrackBar>(*form, flat);
    auto picture = BlankBitmap(160, 40);
    DrawTrackPart(flat, *picture, TBCD_CHANNEL);
    const RECT channel = ItemRect(flat, TBM_GETCHANNELRECT);
    const int channelHeight = channel.bottom - channel.top;
    const int expectedTop = channelHeight > 4 ? channel.top + channelHeight / 2 : channel.top;
    EXPECT_EQ(Extent(*picture, Plan(TrackImage, 1, 4), true), std::make_pair(expectedTop, expectedTop + 3));

    auto* upright = PlaceCommon(*form, TRACKBAR_CLASSA, TBS_VERT | TBS_ENABLESELRANGE, 40, 160);
    AttachSkin<TSkinTrackBar>(*form, upright);
    picture = BlankBitmap(40, 160);
    DrawTrackPart(upright, *picture, TBCD_CHANNEL);
    // Windows reports a vertical channel lying down (its width is the rectangle's height).
    const RECT reported = ItemRect(upright, TBM_GETCHANNELRECT);
    const bool lying = reported.right - reported.left > reported.bottom - reported.top;
    const int left = lying ? reported.top : reported.left;
    const int right = lying ? reported.bottom : reported.right;
    const auto columns = Extent(*picture, Plan(TrackVertImage, 1, 4), false);
    EXPECT_EQ(columns.second - columns.first, 3);
    EXPECT_LE(std::abs((columns.first - left) - (right - 1 - columns.second)), 1) << "centred";
}

TEST_F(SkinValue, WithoutThumbImagesTheThumbIsAShadowRectangleAndOnlyTheBarsOwnRecordsAreRead) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, TRACKBAR_CLASSA, 0, 160, 40);
    AttachSkin<TSkinTrackBar>(*form, bar);
    TWithout<TDataSkinObject> noHorz(TestSkin()->Objects.ThumbHorz);
    TWithout<TDataSkinObject> noVert(TestSkin()->Objects.ThumbVert);
    auto picture = BlankBitmap(160, 40);
    EXPECT_EQ(DrawTrackPart(bar, *picture, TBCD_THUMB), CDRF_SKIPDEFAULT);
    const RECT thumb = ItemRect(bar, TBM_GETTHUMBRECT);
    EXPECT_EQ(RgbAt(*picture, thumb.left, (thumb.top + thumb.bottom) / 2), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, thumb.right - 1, thumb.top), ShadowRgb());

    // The skin's ready notice has the reflected notification's number and a key for lParam.
    bar->Perform(WM_SKINREADY, 0, SkinAnswerKey);
    EXPECT_EQ(bar->Seen[WM_SKINREADY], 1) << "passed on, not read as a record";
    picture = BlankBitmap(160, 40);
    EXPECT_EQ(DrawTrackPart(bar, *picture, TBCD_THUMB, form->Handle()), 0);
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 160, 40}, Untouched), 160 * 40) << "another window's record draws nothing";
}

TEST_F(SkinValue, UpDownButtonsShowTheirLooksFromTheSkin) {
    const auto form = ShowForm();
    ParkCursor();
    auto* spin = PlaceCommon(*form, UPDOWN_CLASSA, 0, 16, 30);
    auto* skin = AttachSkin<TSkinUpDown>(*form, spin);
    // Frames 1-4 are the upper button's looks, 5-8 the lower one's; the glyph sits in the middle.
    const auto looks = [&](int upper, int lower, const char* why) {
        auto picture = PaintWindow(spin->Handle());
        EXPECT_EQ(RgbAt(*picture, 2, 7), Plan(UpDownVertImage, upper, 4)) << why;
        EXPECT_EQ(RgbAt(*picture, 2, 22), Plan(UpDownVertImage, lower, 4)) << why;
        EXPECT_EQ(RgbAt(*picture, 8, 7), Plan(UpDownVertGlyph, upper, 4)) << why;
    };
    looks(1, 5, "normal");
    skin->MouseState = msHot;
    looks(4, 8, "hot");

    SendMessageA(spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 5));
    EXPECT_EQ(spin->Seen[WM_LBUTTONDOWN], 1) << "the control still gets its click";
    looks(2, 6, "pressed");
    // While pressed, the button the cursor is over shows pressed and the other one normal.
    POINT lower{8, 22};
    ClientToScreen(spin->Handle(), &lower);
    SetCursorPos(lower.x, lower.y);
    looks(1, 6, "pressed, the cursor on the lower button");
    ParkCursor();
    SendMessageA(spin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(8, 5));
    EXPECT_FALSE(skin->MouseState & msPressed);

    skin->MouseState = 0;
    EnableWindow(spin->Handle(), FALSE);
    looks(3, 7, "disabled");
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
    EXPECT_GT(CountColour(*picture, TRect{21, 1, 39, 19}, dark), 0) << "the right arrow";
    skin->MouseState = msPressed;
    picture = PaintWindow(spin->Handle());
    EXPECT_EQ(RgbAt(*picture, 5, 5), ShadowRgb());
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
    RECT own{}, parent{};
    GetWindowRect(spin, &own);
    GetWindowRect(edit, &parent);
    const int top = 3 - static_cast<int>(own.top - parent.top);
    const int right = 3 - static_cast<int>(parent.right - own.right);
    ASSERT_GT(top, 0);
    EXPECT_EQ(RgbAt(*picture, 2, top - 1), White) << "kept clear, white";
    EXPECT_EQ(RgbAt(*picture, 16 - right, client.bottom / 2), White);
    EXPECT_NE(RgbAt(*picture, 2, top + 3), White) << "the buttons below";
    delete skin;
    DestroyWindow(edit);
}

TEST_F(SkinValue, AProgressBarFillsItsSkinBarInProportion) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, 0, 100, 16);
    AttachSkin<TSkinProgress>(*form, bar);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 200);
    // The filled part is frame 2; its middle is its length less both margins of 3.
    const auto filled = [&](int position) {
        SendMessageA(bar->Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
        auto picture = PaintWindow(bar->Handle());
        EXPECT_EQ(RgbAt(*picture, 0, 0), FaceRgb()) << "the bar's corners show the face colour";
        return CountColour(*picture, TRect{0, 8, 100, 9}, Plan(ProgressImage, 2, 4));
    };
    EXPECT_EQ(filled(0), 0);
    EXPECT_EQ(filled(100), 50 - 6);
    EXPECT_EQ(filled(200), 100 - 6);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 0);
    EXPECT_EQ(filled(0), 0) << "a maximum of 0 shows the empty bar";
    EXPECT_EQ(TSkinProgress::FilledLength(100, 20, 10), 100) << "never past its end";

    auto* upright = PlaceCommon(*form, PROGRESS_CLASSA, PBS_VERTICAL, 16, 100);
    AttachSkin<TSkinProgress>(*form, upright);
    SendMessageA(upright->Handle(), PBM_SETRANGE32, 0, 100);
    SendMessageA(upright->Handle(), PBM_SETPOS, 50, 0);
    auto picture = PaintWindow(upright->Handle());
    EXPECT_EQ(RgbAt(*picture, 8, 80), Plan(ProgressImage, 2, 4)) << "filled from the bottom";
    EXPECT_EQ(RgbAt(*picture, 8, 20), Plan(ProgressImage, 1, 4));
}

TEST_F(SkinValue, AChunkedProgressBarRepeatsItsChunkAndABarWithoutImagePaintsItself) {
    const auto form = ShowForm();
    auto* bar = PlaceCommon(*form, PROGRESS_CLASSA, 0, 100, 16);
    AttachSkin<TSkinProgress>(*form, bar);
    SendMessageA(bar->Handle(), PBM_SETRANGE32, 0, 100);
    SendMessageA(bar->Handle(), PBM_SETPOS, 50, 0);
    TDataSkinBorder* image = TestSkin()->Objects.Progress.get();
    const int style = image->Style;
    image->Style = 1;
    auto picture = PaintWindow(bar->Handle());
    image->Style = style;
    // Chunks of 8 x 10 from x = 2, 3 pixels down, over the filled 50 pixels.
    EXPECT_EQ(RgbAt(*picture, 10, 8), Plan(ChunkImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 51, 8), Plan(ChunkImage, 1, 4));
    EXPECT_NE(RgbAt(*picture, 60, 8), Plan(ChunkImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 10, 1), Plan(ProgressImage, 1, 1)) << "the bar around them";

    TWithout<TDataSkinBorder> none(TestSkin()->Objects.Progress);
    bar->Seen.clear();
    picture = PaintWindow(bar->Handle());
    EXPECT_EQ(bar->Seen[WM_PAINT], 1);
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 100, 16}, Plan(ProgressImage, 1, 4)), 0);
}

TEST_F(SkinValue, AMediaPlayerGetsAPanelOfItsVisibleButtonsThatPassesClicksOn) {
    const auto form = ShowForm();
    auto* player = PlaceControl<TTestMediaPlayer>(*form, 10, 10, 90, 30);
    player->VisibleButtons = ButtonBit(btPlay) | ButtonBit(btStop) | ButtonBit(btEject);
    player->EnabledButtons = ButtonBit(btPlay) | ButtonBit(btEject);
    auto* skin = AttachSkin<TSkinMP>(*form, player);
    TWMediaPlayer* panel = skin->Overlay;
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BoundsRect(), player->BoundsRect());
    EXPECT_EQ(panel->Tag(), TestSkin()->DisableTag()) << "never skinned itself";

    // Three buttons of 30 pixels: play, stop (disabled), eject; both ends of a button are in it.
    auto picture = PaintWindow(panel->Handle());
    EXPECT_EQ(RgbAt(*picture, 15, 15), Plan(PushButtonImage, 1, 4));
    EXPECT_EQ(RgbAt(*picture, 45, 15), Plan(PushButtonImage, 3, 4));
    EXPECT_EQ(RgbAt(*picture, 75, 15), Plan(PushButtonImage, 1, 4));
    EXPECT_EQ(panel->HitTest(30), btPlay);
    EXPECT_EQ(panel->HitTest(31), btStop);
    EXPECT_EQ(panel->HitTest(91), NoPlayerButton);

    // A press shows on its button until the mouse comes up; the player gets both.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 10));
    picture = PaintWindow(panel->Handle());
    EXPECT_EQ(RgbAt(*picture, 75, 15), Plan(PushButtonImage, 2, 4));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(72, 10));
    ASSERT_EQ(player->Clicks.size(), 2u);
    EXPECT_EQ(player->Clicks[1].first, static_cast<UINT>(WM_LBUTTONUP));
    // One that ends on another button runs nothing.
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
    ASSERT_EQ(player->Clicks.size(), 3u);
    EXPECT_EQ(player->Clicks[2].first, static_cast<UINT>(WM_LBUTTONDOWN));
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

TEST_F(SkinValue, APlayerWhosePressFreesItsSkinLeavesThePanelUntouched) {
    const auto form = ShowForm();
    auto* player = PlaceControl<TTestMediaPlayer>(*form, 10, 10, 90, 30);
    player->VisibleButtons = player->EnabledButtons = ButtonBit(btPlay);
    auto* skin = AttachSkin<TSkinMP>(*form, player);
    HWND panel = skin->Overlay->Handle();
    // The handler takes the mouse for a window of its own, which the freed panel must not drop.
    player->OnButtonDown = [&] {
        delete skin;
        SetCapture(form->Handle());
    };
    SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(IsWindow(panel)) << "the panel went with its skin during the press";
    EXPECT_EQ(GetCapture(), form->Handle()) << "nothing more ran on the freed panel";
    ReleaseCapture();
}
