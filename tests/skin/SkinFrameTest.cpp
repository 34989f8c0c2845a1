// Skinned frames rendered through the engine's paint-to message and read pixel by pixel against
// the colour plan of the console's skin (skin/data/COLOURS.md): borders, title bar and title
// buttons, active and inactive, with the window region cut from the borders' transparent
// corners and the client area inside the borders.
#include "GuiTestSupport.h"
#include "ProcessCounts.h"
#include "SkinMessages.h"
#include "SkinWindowSupport.h"
#include "WinSysButton.h"

namespace {

using SkinFrame = SkinWindowTest;

// Image numbers of the colour plan.
enum { Left = 1, Right = 2, Top = 3, Bottom = 4, Close = 45, Maximise = 46, Restore = 47, Minimise = 48, Help = 50,
       LampOn = 52, LampOff = 53, Pin = 54, RollUp = 55 };

// The centre of a 16 x 16 title button placed at Xcoord from the right edge.
POINT RightButton(int width, int xcoord) { return POINT{width - xcoord + 8, 13}; }

TRgb At(TBitmap& frame, POINT p) { return RgbAt(frame, p.x, p.y); }

// A form that shows the buttons the program decides on, and notes what it was asked.
class TAskingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<std::pair<WPARAM, LPARAM>> Asked;

protected:
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_SKINBUTTONQUERY) {
            Asked.emplace_back(m.WParam, m.LParam);
            m.Result = 1;
            return;
        }
        TForm::WndProc(m);
    }
};

}  // namespace

TEST_F(SkinFrame, AnActiveWindowShowsTheFirstFrameOfEveryBorderAndItsButtons) {
    const auto form = ShowForm();
    const SIZE s = WindowSize(form->Handle());
    const int w = s.cx, h = s.cy;
    const auto frame = PaintFrame(form->Handle());

    // The side borders: top, middle and bottom zones; the transparent corner pixels stay magenta
    // in the picture (the window region leaves them out on screen).
    EXPECT_EQ(RgbAt(*frame, 2, 10), Plan(Left, 1, 1));
    EXPECT_EQ(RgbAt(*frame, 2, h / 2), Plan(Left, 1, 4));
    EXPECT_EQ(RgbAt(*frame, 2, h - 2), Plan(Left, 1, 7));
    EXPECT_EQ(RgbAt(*frame, 0, 0), Magenta);
    EXPECT_EQ(RgbAt(*frame, w - 3, 10), Plan(Right, 1, 1));
    EXPECT_EQ(RgbAt(*frame, w - 3, h / 2), Plan(Right, 1, 4));
    EXPECT_EQ(RgbAt(*frame, w - 1, 0), Magenta);
    // The title bar between the side borders, and the bottom border.
    EXPECT_EQ(RgbAt(*frame, 7, 2), Plan(Top, 1, 3));
    EXPECT_EQ(RgbAt(*frame, w / 2, 2), Plan(Top, 1, 4));
    EXPECT_EQ(RgbAt(*frame, w - 7, 2), Plan(Top, 1, 5));
    EXPECT_EQ(RgbAt(*frame, 7, h - 2), Plan(Bottom, 1, 3));
    EXPECT_EQ(RgbAt(*frame, w / 2, h - 2), Plan(Bottom, 1, 4));
    EXPECT_EQ(RgbAt(*frame, w - 7, h - 2), Plan(Bottom, 1, 5));
    // The client area is not the frame's.
    EXPECT_EQ(RgbAt(*frame, w / 2, h / 2), Untouched);

    // Close, maximise and minimise of a sizable window; the lamp of the active window.
    EXPECT_EQ(At(*frame, RightButton(w, 22)), Plan(Close, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 40)), Plan(Maximise, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 58)), Plan(Minimise, 1, 4));
    EXPECT_EQ(RgbAt(*frame, 48, 13), Plan(LampOn, 1, 4));
    // Not shown: help (nobody asked for it), the pin (the window has a maximize box), roll-up
    // (the window is active), and the window icon of a window without an icon is transparent.
    EXPECT_EQ(At(*frame, RightButton(w, 76)), Plan(Top, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 94)), Plan(Top, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 112)), Plan(Top, 1, 4));
    EXPECT_EQ(RgbAt(*frame, 10, 13), Plan(Top, 1, 3));
}

TEST_F(SkinFrame, AnInactiveWindowShowsTheSecondFrameAndTheInactiveButtons) {
    const auto form = ShowForm();
    const auto other = ShowForm();
    TWinSkinForm* skin = SkinOf(form->Handle());
    ASSERT_FALSE(skin->Active) << "another window took the activation";
    const int w = WindowSize(form->Handle()).cx, h = WindowSize(form->Handle()).cy;
    const auto frame = PaintFrame(form->Handle());

    EXPECT_EQ(RgbAt(*frame, 2, h / 2), Plan(Left, 2, 4));
    EXPECT_EQ(RgbAt(*frame, w - 3, h / 2), Plan(Right, 2, 4));
    EXPECT_EQ(RgbAt(*frame, w / 2, 2), Plan(Top, 2, 4));
    EXPECT_EQ(RgbAt(*frame, w / 2, h - 2), Plan(Bottom, 2, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 22)), Plan(Close, 4, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 40)), Plan(Maximise, 4, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 58)), Plan(Minimise, 4, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 112)), Plan(RollUp, 4, 4)) << "roll-up shows while inactive";
    EXPECT_EQ(RgbAt(*frame, 48, 13), Plan(LampOff, 1, 4));
}

TEST_F(SkinFrame, TheButtonsFollowTheWindowsStateAndItsBorderIcons) {
    const auto form = ShowForm();
    form->SetWindowState(wsMaximized);
    PumpMessages(50);
    ASSERT_EQ(SkinOf(form->Handle())->ShowState, ssMaximized);
    int w = WindowSize(form->Handle()).cx;
    auto frame = PaintFrame(form->Handle());
    EXPECT_EQ(At(*frame, RightButton(w, 40)), Plan(Restore, 1, 4)) << "restore in place of maximise";

    // A dialog frame: close and the pin of windows without maximize and minimize boxes; the
    // system-menu button of its skin is one that dialog frames hide.
    const auto dialog = ShowForm([](TForm& f) { f.SetBorderStyle(bsDialog); });
    ASSERT_EQ(SkinOf(dialog->Handle())->BorderKind, bkDialog);
    w = WindowSize(dialog->Handle()).cx;
    frame = PaintFrame(dialog->Handle());
    EXPECT_EQ(At(*frame, RightButton(w, 22)), Plan(Close, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 40)), Plan(Top, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 58)), Plan(Top, 1, 4));
    EXPECT_EQ(At(*frame, RightButton(w, 94)), Plan(Pin, 1, 4));
    EXPECT_EQ(RgbAt(*frame, 32, 13), Plan(Top, 1, 4));

    // A button the program is asked about shows when it answers above 0.
    auto asking = std::make_unique<TAskingForm>(nullptr);
    asking->SetBounds(100, 100, 300, 200);
    asking->Show();
    ASSERT_TRUE(WaitSkinned(asking->Handle()));
    w = WindowSize(asking->Handle()).cx;
    frame = PaintFrame(asking->Handle());
    EXPECT_EQ(At(*frame, RightButton(w, 76)), Plan(Help, 1, 4));
    ASSERT_FALSE(asking->Asked.empty());
    EXPECT_EQ(asking->Asked.front(), (std::pair<WPARAM, LPARAM>{40, 1000})) << "the button's action and visibility";
}

TEST_F(SkinFrame, TheTitleTextIsDrawnInTheSkinsColoursBetweenItsMargins) {
    const auto form = ShowForm([](TForm& f) { f.SetCaption("WWWWWWWWWW"); });
    const int w = WindowSize(form->Handle()).cx;
    auto frame = PaintFrame(form->Handle());
    const auto countText = [&](TBitmap& picture, TRgb colour, int fromX, int toX) {
        int count = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = fromX; x < toX; ++x) count += RgbAt(picture, x, y) == colour;
        return count;
    };
    const TRgb active{250, 250, 246}, inactive{190, 190, 186};
    EXPECT_GT(countText(*frame, active, 30, w - 120), 20) << "the active title colour after the left shift";
    EXPECT_EQ(countText(*frame, active, 0, 30), 0);
    EXPECT_EQ(countText(*frame, active, w - 120, w), 0) << "nothing past the right clip";

    const auto other = ShowForm();
    frame = PaintFrame(form->Handle());
    EXPECT_EQ(countText(*frame, active, 0, w), 0);
    EXPECT_GT(countText(*frame, inactive, 30, w - 120), 20);
}

TEST_F(SkinFrame, TheRegionLeavesOutTheTransparentCornersAndFollowsTheSize) {
    const auto form = ShowForm();
    HWND window = form->Handle();
    TWinSkinForm* skin = SkinOf(window);
    ASSERT_TRUE(skin->RegionSet);
    const auto regionHolds = [window](std::initializer_list<POINT> points) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(GetWindowRgn(window, region), ERROR);
        std::vector<bool> inside;
        for (const POINT& p : points) inside.push_back(PtInRegion(region, p.x, p.y) != FALSE);
        DeleteObject(region);
        return inside;
    };
    SIZE s = WindowSize(window);
    EXPECT_EQ(regionHolds({{0, 0}, {2, 0}, {0, 2}, {3, 0}, {0, 3}, {s.cx - 1, 0}, {s.cx - 4, 0}, {0, s.cy - 1}, {s.cx - 1, s.cy - 1}}),
              (std::vector<bool>{false, false, false, true, true, false, true, true, true}));

    // The same size keeps the region; a new one gets a new region.
    const HRGN first = skin->Region;
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left, r.top, s.cx, s.cy, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(skin->Region, first);
    SetWindowPos(window, nullptr, r.left, r.top, s.cx + 40, s.cy + 30, SWP_NOZORDER);
    EXPECT_NE(skin->Region, first);
    s = WindowSize(window);
    EXPECT_EQ(regionHolds({{s.cx - 1, 0}, {s.cx - 4, 0}, {s.cx - 1, s.cy - 1}, {s.cx, 5}}),
              (std::vector<bool>{false, true, true, false}));
}

// Maximised, the window fills the screen: the region of its normal size would hide all but its
// old top-left part, buttons included. Restored, it gets its normal region back.
TEST_F(SkinFrame, AMaximisedWindowIsShownWholeAndRestoredWithItsCornersCut) {
    const auto form = ShowForm();
    HWND window = form->Handle();
    const SIZE normal = WindowSize(window);
    const auto regionHolds = [window](std::initializer_list<POINT> points) {
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        const bool whole = GetWindowRgn(window, region) == ERROR;  // no region: the whole window shows
        std::vector<bool> inside;
        for (const POINT& p : points) inside.push_back(whole || PtInRegion(region, p.x, p.y) != FALSE);
        DeleteObject(region);
        return inside;
    };

    SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    PumpMessages(50);
    ASSERT_TRUE(IsZoomed(window));
    const SIZE big = WindowSize(window);
    ASSERT_GT(big.cx, normal.cx + 100);
    ASSERT_GT(big.cy, normal.cy + 100);
    const POINT close = RightButton(big.cx, 22), restore = RightButton(big.cx, 40);
    EXPECT_EQ(regionHolds({close, restore, {big.cx / 2, big.cy / 2}, {big.cx - 3, big.cy - 3}, {3, big.cy - 3}}),
              (std::vector<bool>(5, true)));
    auto frame = PaintFrame(window);
    EXPECT_EQ(At(*frame, close), Plan(Close, 1, 4));
    EXPECT_EQ(At(*frame, restore), Plan(Restore, 1, 4));
    EXPECT_EQ(RgbAt(*frame, big.cx - 3, big.cy / 2), Plan(Right, 1, 4));
    EXPECT_EQ(RgbAt(*frame, big.cx / 2, big.cy - 2), Plan(Bottom, 1, 4));

    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    PumpMessages(50);
    ASSERT_FALSE(IsZoomed(window));
    const SIZE back = WindowSize(window);
    EXPECT_EQ(back.cx, normal.cx);
    EXPECT_EQ(back.cy, normal.cy);
    EXPECT_EQ(regionHolds({{0, 0}, {3, 0}, {back.cx - 1, 0}, {back.cx - 4, 0}, {back.cx, 5}}),
              (std::vector<bool>{false, true, false, true, false}));
    frame = PaintFrame(window);
    EXPECT_EQ(At(*frame, RightButton(back.cx, 40)), Plan(Maximise, 1, 4));
}

TEST_F(SkinFrame, BordersWithoutTransparencyGiveTheWholeWindowAsRegion) {
    TSkinForm own = ReadSkinForm(EditedSkinPackage([](std::string& ini) {
                                     for (const char* key : {"LeftTrans", "RightTrans", "TopTrans"}) SetIniKey(ini, "Personality", key, "0");
                                 }),
                                 "Active = True SkinFormtype = sfOnlyThisForm");
    own.Form->SetBounds(100, 100, 300, 200);
    own.Form->Show();
    ASSERT_TRUE(WaitSkinned(own.Form->Handle()));
    ASSERT_EQ(SkinOf(own.Form->Handle())->SkinData, own.Skin);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(own.Form->Handle(), region), SIMPLEREGION);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    const SIZE s = WindowSize(own.Form->Handle());
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, s.cx);
    EXPECT_EQ(box.bottom, s.cy);
}

TEST_F(SkinFrame, TheClientAreaKeepsItsSizeInsideTheSkinsBorders) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    RECT before{};
    GetClientRect(form->Handle(), &before);
    form->Show();
    ASSERT_TRUE(WaitSkinned(form->Handle()));
    RECT client{}, window{};
    GetClientRect(form->Handle(), &client);
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(client.right, before.right);
    EXPECT_EQ(client.bottom, before.bottom);
    EXPECT_EQ(window.right - window.left, client.right + 5 + 5);
    EXPECT_EQ(window.bottom - window.top, client.bottom + 26 + 5);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, 5);
    EXPECT_EQ(origin.y - window.top, 26);

    // A window smaller than its borders gets an empty client area, never an inverted one.
    NCCALCSIZE_PARAMS params{};
    WINDOWPOS position{};
    position.x = 100;
    position.y = 100;
    position.cx = 6;
    position.cy = 6;
    params.rgrc[0] = RECT{100, 100, 106, 106};
    params.rgrc[1] = params.rgrc[2] = params.rgrc[0];
    params.lppos = &position;
    EXPECT_EQ(SendMessageA(form->Handle(), WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params)), WVR_VALIDRECTS);
    EXPECT_EQ(params.rgrc[0].left, 105);
    EXPECT_EQ(params.rgrc[0].top, 126);
    EXPECT_EQ(params.rgrc[0].right, 105);
    EXPECT_EQ(params.rgrc[0].bottom, 126);
}

// The window's icon is copied to the title bar's size once, not at every paint: a thousand
// repaints of the frame leave the process's GDI and USER objects as they were.
TEST_F(SkinFrame, RepaintingTheFrameLeavesNoObjectsBehind) {
    const auto form = ShowForm();
    HWND window = form->Handle();
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIconA(nullptr, IDI_APPLICATION)));
    TWinSkinForm* skin = SkinOf(window);
    skin->PrepareIcon(*skin->IconBitmap);
    ASSERT_NE(skin->IconHandle, nullptr);
    const auto repaint = [window](int times) {
        for (int i = 0; i < times; ++i) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    repaint(20);
    PaintFrame(window);
    const int gdi = ProcessGdiObjectCount(), user = ProcessUserObjectCount();
    repaint(1000);
    EXPECT_EQ(ProcessGdiObjectCount(), gdi);
    EXPECT_EQ(ProcessUserObjectCount(), user);
}
