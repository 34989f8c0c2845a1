// Scroll-bar skins on real windows: the overlays laid over a memo's, a list box's and a scroll
// bar control's bars, painted against the colour plan, and clicks on them that the system turns
// into scrolling; a click whose scroll loop frees the skin, a paint that fails, and controls
// that make their window anew or move to another parent.
#include <algorithm>
#include <functional>
#include <vector>

#include "GuiTestSupport.h"
#include "SkinControlFactory.h"
#include "SkinControlSupport.h"
#include "SkinHeader.h"
#include "SkinMessages.h"
#include "SkinListView.h"
#include "SkinScControl.h"
#include "SkinScrollbar.h"
#include "SkinScrollbarH.h"
#include "components/TClassInfo.h"
#include "components/TCustomListView.h"
#include "components/TCustomMemo.h"
#include "components/TCustomPanel.h"
#include "components/TListColumn.h"

namespace {

using ScrollbarSkins = SkinWindowTest;

enum { ScrollbarImage = 27, VertTrackImage = 29, VertThumbImage = 31, HorzThumbImage = 30 };

// A scroll bar control, as the component libraries publish one.
class TTestScrollBar : public TWinControl {
    DECLARE_CLASS(TTestScrollBar, TWinControl)
public:
    using TWinControl::TWinControl;
    std::string Kind = "sbVertical";
    int Min = 0, Max = 100, PageSize = 0, Position = 0;

    // The window's values from the published ones.
    void Apply() {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, Min, Max, static_cast<UINT>(PageSize), Position, 0};
        SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
    }

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.BaseClassName = "SCROLLBAR";
        params.Style |= Kind == "sbVertical" ? SBS_VERT : SBS_HORZ;
    }
};

const TEnumType ScrollBarKindType{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};

TMemo* PlaceMemo(TForm& form, int lines) {
    auto* memo = PlaceControl<TMemo>(form, 10, 10, 200, 150);
    memo->SetScrollBars(ssVertical);
    std::string text;
    for (int i = 0; i < lines; ++i) text += "line " + std::to_string(i) + "\r\n";
    memo->Lines()->SetText(text);
    return memo;
}

TSkinScrollbar* SkinScrollbars(TForm& form, TControl* control) {
    TSkinControl* skin = NewSkinScrollbar(control, 0);
    AttachSkinScrollbars(skin, control, TestSkin(), SkinOf(form.Handle()), SharedCanvas(form));
    return static_cast<TSkinScrollbar*>(skin);
}

// A click on the overlay at the point, released at once: the system's scroll loop sees the
// release waiting in the queue and ends after its first step.
void Click(TWScrollbar* bar, int x, int y) {
    PostMessageW(bar->Target(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PumpMessages(10);
}

// An action run when the message queue reaches it, as the skin manager's timer is: queued before a
// click, it is dispatched by the system's scroll loop while the click is being handled.
class TQueuedAction {
public:
    explicit TQueuedAction(std::function<void()> action) : FAction(std::move(action)) {
        static const ATOM windowClass = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &TQueuedAction::WindowProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QueuedActionWindow";
            return RegisterClassW(&wc);
        }();
        (void)windowClass;
        FWindow = CreateWindowExW(0, L"QueuedActionWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TQueuedAction() { DestroyWindow(FWindow); }
    void Queue() { PostMessageW(FWindow, WM_APP, 0, 0); }
    bool Fired() const { return FFired; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TQueuedAction*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (msg != WM_APP || !self) return DefWindowProcW(window, msg, wParam, lParam);
        self->FFired = true;
        self->FAction();
        return 0;
    }

    std::function<void()> FAction;
    HWND FWindow = nullptr;
    bool FFired = false;
};

int FirstVisibleLine(TMemo* memo) { return static_cast<int>(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }

RECT BarRect(HWND window, LONG object) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(window, object, &info);
    return info.rcScrollBar;
}

// Pixels of the plan colour in the column x of the painted bar.
int CountInColumn(TBitmap& bitmap, int x, TRgb colour) { return CountColour(bitmap, TRect{x, 0, x + 1, bitmap.Height()}, colour); }

// The row where the thumb's centre zone starts (below its 3-pixel top margin), -1 without a thumb.
int ThumbTop(TBitmap& bitmap, int x) {
    for (int y = 0; y < bitmap.Height(); ++y)
        if (RgbAt(bitmap, x, y) == Plan(VertThumbImage, 1, 4) || RgbAt(bitmap, x, y) == Plan(VertThumbImage, 3, 4)) return y;
    return -1;
}

// A system out of bitmaps, as a program that leaks them ends up: every GDI handle the process
// may hold is taken while this lives, so that no bitmap or memory context can be made.
class TGdiHandlesTaken {
public:
    TGdiHandlesTaken() {
        while (HBITMAP taken = CreateBitmap(1, 1, 1, 1, nullptr)) FTaken.push_back(taken);
    }
    ~TGdiHandlesTaken() {
        for (HBITMAP taken : FTaken) DeleteObject(taken);
    }
    TGdiHandlesTaken(const TGdiHandlesTaken&) = delete;
    TGdiHandlesTaken& operator=(const TGdiHandlesTaken&) = delete;

private:
    std::vector<HBITMAP> FTaken;
};

}  // namespace

const TClassInfo& TTestScrollBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestScrollBar>("TTestScrollBar")
        .Enum("Kind", ScrollBarKindType,
              [](TTestScrollBar* s) { return s->Kind == "sbVertical" ? 1 : 0; },
              [](TTestScrollBar* s, int v) { s->Kind = v ? "sbVertical" : "sbHorizontal"; })
        .Int("Min", &TTestScrollBar::Min)
        .Int("Max", &TTestScrollBar::Max)
        .Int("PageSize", &TTestScrollBar::PageSize)
        .Int("Position", &TTestScrollBar::Position)
        .Build();
    return info;
}

TEST_F(ScrollbarSkins, AMemosBarIsCoveredAndPaintedWithArrowsTrackAndThumb) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    TWScrollbar* bar = skin->VertBar();
    ASSERT_TRUE(bar && bar->Shown());
    EXPECT_FALSE(skin->HorzBar()->Shown()) << "the memo has no horizontal bar";

    RECT covered{}, system = BarRect(memo->Handle(), OBJID_VSCROLL);
    GetWindowRect(bar->Handle(), &covered);
    EXPECT_TRUE(EqualRect(&covered, &system)) << "exactly over the system's bar";
    EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDPREV), bar->Handle()) << "directly above the memo";

    const auto picture = PaintWindow(bar->Handle());
    const int arrow = bar->ArrowSize();
    const int middle = picture->Width() / 2;
    EXPECT_EQ(RgbAt(*picture, middle, arrow / 2), Plan(ScrollbarImage, 9, 4)) << "up arrow";
    EXPECT_EQ(RgbAt(*picture, middle, picture->Height() - arrow / 2 - 1), Plan(ScrollbarImage, 13, 4)) << "down arrow";
    EXPECT_GT(CountInColumn(*picture, middle, Plan(VertTrackImage, 1, 4)), 0) << "the track, enabled";
    EXPECT_EQ(ThumbTop(*picture, middle), arrow + 3) << "the thumb at the top, below the arrow";
}

TEST_F(ScrollbarSkins, ClicksOnTheOverlayScrollATwoHundredLineMemo) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    TWScrollbar* bar = SkinScrollbars(*form, memo)->VertBar();
    ASSERT_TRUE(bar->Shown());
    RECT client{};
    GetClientRect(bar->Handle(), &client);
    const int x = client.right / 2;
    const int downArrow = client.bottom - bar->ArrowSize() / 2;

    Click(bar, x, downArrow);
    Click(bar, x, downArrow);
    Click(bar, x, downArrow);
    EXPECT_EQ(FirstVisibleLine(memo), 3) << "a line for each click on the down arrow";
    Click(bar, x, bar->ArrowSize() / 2);
    EXPECT_EQ(FirstVisibleLine(memo), 2) << "and back with the up arrow";

    const int before = ThumbTop(*PaintWindow(bar->Handle()), x);
    Click(bar, x, client.bottom - bar->ArrowSize() - 2);
    EXPECT_GT(FirstVisibleLine(memo), 5) << "a page for a click below the thumb";
    EXPECT_GT(ThumbTop(*PaintWindow(bar->Handle()), x), before) << "the thumb follows";
    EXPECT_EQ(bar->HotPart(), SB_ENDSCROLL) << "the last scroll code the memo got";
    EXPECT_FALSE(bar->Pressed());
}

TEST_F(ScrollbarSkins, AClickWhoseScrollLoopFreesTheSkinReturnsSafely) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    TWScrollbar* bar = skin->VertBar();
    HWND overlay = bar->Handle();
    RECT client{};
    GetClientRect(overlay, &client);

    // What the manager's timer may do while the system's loop dispatches: free the skin.
    TQueuedAction freeSkin([&] { delete skin; });
    freeSkin.Queue();
    Click(bar, client.right / 2, client.bottom - 4);
    EXPECT_TRUE(freeSkin.Fired());
    EXPECT_FALSE(IsWindow(overlay)) << "the overlay went with its skin";
    EXPECT_EQ(SkinOf(form->Handle())->FindControlByHandle(memo->Handle()), nullptr);
    EXPECT_EQ(FirstVisibleLine(memo), 1) << "the memo still scrolled";
    memo->Lines()->Add("still working");
}

TEST_F(ScrollbarSkins, ABarThatAppearsLaterIsCoveredAtTheNextPaint) {
    const auto form = ShowForm();
    auto* memo = PlaceControl<TMemo>(*form, 10, 10, 200, 150);
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    EXPECT_FALSE(skin->VertBar()->Shown());
    SetWindowLongPtrW(memo->Handle(), GWL_STYLE, GetWindowLongPtrW(memo->Handle(), GWL_STYLE) | WS_VSCROLL);
    SetWindowPos(memo->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    ShowScrollBar(memo->Handle(), SB_VERT, TRUE);
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(skin->VertBar()->Shown());

    // Hidden with the memo, back with it.
    memo->SetVisible(false);
    EXPECT_FALSE(skin->VertBar()->Shown());
    memo->SetVisible(true);
    EXPECT_TRUE(skin->VertBar()->Shown());
}

TEST_F(ScrollbarSkins, ARawListBoxGetsOverlaysThatScrollIt) {
    const auto form = ShowForm();
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 10, 10, 150,
                                100, form->Handle(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 50; ++i) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    auto* skin = new TSkinScrollbarH(SkinOf(form->Handle()));
    skin->AttachHandle(list, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    TWScrollbar* bar = skin->VertBar();
    ASSERT_TRUE(bar->Shown());
    EXPECT_FALSE(skin->HorzBar()->Shown());
    RECT client{};
    GetClientRect(bar->Handle(), &client);
    Click(bar, client.right / 2, client.bottom - 3);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);

    ShowWindow(list, SW_HIDE);
    SendMessageW(list, WM_SIZE, 0, 0);
    EXPECT_FALSE(bar->Shown()) << "hidden with its window";
    delete skin;
    DestroyWindow(list);
}

TEST_F(ScrollbarSkins, AScrollBarControlIsCoveredWholeAndItsThumbFollowsItsValues) {
    const auto form = ShowForm();
    auto* control = PlaceControl<TTestScrollBar>(*form, 10, 10, 17, 160);
    control->Apply();
    auto* skin = new TSkinScControl(control);
    AttachSkinScrollbars(skin, control, TestSkin(), SkinOf(form->Handle()), SharedCanvas(*form));
    TWScrollbar* bar = skin->Bar();
    ASSERT_TRUE(bar && bar->Shown());
    EXPECT_TRUE(bar->Vertical());
    const int arrow = bar->ArrowSize();

    auto picture = PaintWindow(bar->Handle());
    const int middle = picture->Width() / 2;
    EXPECT_EQ(ThumbTop(*picture, middle), arrow + 3) << "at the minimum the thumb starts below the arrow";
    int thumbRows = CountInColumn(*picture, middle, Plan(VertThumbImage, 1, 4));
    EXPECT_GT(thumbRows, 0);
    EXPECT_LE(thumbRows, arrow) << "without a page the thumb is one arrow long";

    control->Position = 100;
    control->Apply();
    picture = PaintWindow(bar->Handle());
    const int top = ThumbTop(*picture, middle);
    EXPECT_GT(top, arrow);
    EXPECT_LE(top + thumbRows, picture->Height() - arrow) << "at the maximum it stays above the lower arrow";

    control->Min = control->Max = 5;
    control->Apply();
    picture = PaintWindow(bar->Handle());
    EXPECT_EQ(ThumbTop(*picture, middle), -1) << "nothing to scroll: no thumb";
    EXPECT_EQ(RgbAt(*picture, middle, arrow / 2), Plan(ScrollbarImage, 9, 4));

    // Disabled: the disabled track, no thumb, the arrows as they were.
    control->Max = 100;
    control->Apply();
    control->SetEnabled(false);
    picture = PaintWindow(bar->Handle());
    EXPECT_GT(CountInColumn(*picture, middle, Plan(VertTrackImage, 3, 4)), 0);
    EXPECT_EQ(CountInColumn(*picture, middle, Plan(VertTrackImage, 1, 4)), 0);
    EXPECT_EQ(ThumbTop(*picture, middle), -1);
    EXPECT_EQ(RgbAt(*picture, middle, arrow / 2), Plan(ScrollbarImage, 9, 4));
}

TEST_F(ScrollbarSkins, TheListViewSkinIsKnownAndSkinsItsHeader) {
    const auto form = ShowForm();
    auto* list = PlaceControl<TListView>(*form, 10, 10, 250, 120);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("号码");
    TSkinControl* skin = NewSkinListView(list);
    EXPECT_TRUE(IsSkinListView(skin));
    EXPECT_FALSE(IsSkinListView(NewSkinScrollbar(form.get(), 0)));
    AttachSkinScrollbars(skin, list, TestSkin(), SkinOf(form->Handle()), SharedCanvas(*form));
    auto* listSkin = static_cast<TSkinListView*>(skin);
    ASSERT_NE(listSkin->Header, nullptr);
    EXPECT_EQ(listSkin->Header->Handle, reinterpret_cast<HWND>(SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0)));
}

TEST_F(ScrollbarSkins, TheSkinFollowsAMemoThatMakesItsWindowAnewAndLeavesNothingOverItsOldOne) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    HWND oldWindow = memo->Handle();
    HWND oldOverlay = skin->VertBar()->Handle();
    // Made anew twice before the window's skin hears of it.
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    ASSERT_NE(memo->Handle(), oldWindow);
    PumpMessages(50);

    EXPECT_FALSE(IsWindow(oldOverlay)) << "the old overlays went with the old skin";
    auto* renewed = dynamic_cast<TSkinScrollbar*>(SkinOf(form->Handle())->FindControlByHandle(memo->Handle()));
    ASSERT_NE(renewed, nullptr) << "a skin holds the new window";
    ASSERT_TRUE(renewed->VertBar()->Shown());
    RECT covered{}, system = BarRect(memo->Handle(), OBJID_VSCROLL);
    GetWindowRect(renewed->VertBar()->Handle(), &covered);
    EXPECT_TRUE(EqualRect(&covered, &system)) << "over the new window's bar";
    EXPECT_EQ(memo->Perform(WM_SKINQUERY), 1);
}

TEST_F(ScrollbarSkins, TheSquareBetweenTwoBarsIsFilledExactly) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    memo->SetScrollBars(ssBoth);
    memo->SetWordWrap(false);
    memo->Lines()->Add(std::string(300, 'w'));
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    ASSERT_TRUE(skin->VertBar()->Shown() && skin->HorzBar()->Shown());
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    // The square is what neither overlay covers between the two bars (the system's bars may
    // overlap by a pixel), in the memo's window coordinates.
    RECT window{}, vertical{}, horizontal{};
    GetWindowRect(memo->Handle(), &window);
    GetWindowRect(skin->VertBar()->Handle(), &vertical);
    GetWindowRect(skin->HorzBar()->Handle(), &horizontal);
    const TRect corner{std::max(vertical.left, horizontal.right) - window.left, std::max(horizontal.top, vertical.bottom) - window.top,
                       vertical.right - window.left, horizontal.bottom - window.top};
    ASSERT_GT(corner.Width() * corner.Height(), 0);
    // As the screen shows the memo.
    const SIZE size = WindowSize(memo->Handle());
    auto picture = BlankBitmap(size.cx, size.cy);
    HDC dc = GetWindowDC(memo->Handle());
    BitBlt(picture->Canvas()->Handle(), 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
    ReleaseDC(memo->Handle(), dc);
    EXPECT_EQ(CountColour(*picture, corner, ToRgb(TestSkin()->Colours().ButtonFace)), corner.Width() * corner.Height());
}

// A paint of the overlay that fails (the system is out of bitmaps) is dropped, whether the
// system asks for it or a caller gives its own context: nothing reaches the system or the user,
// the window is left with nothing to paint, and the next paint draws the bar again.
TEST_F(ScrollbarSkins, AnOverlayPaintThatFailsIsDroppedAndTheNextOneDrawsTheBar) {
    const auto form = ShowForm();
    TMemo* memo = PlaceMemo(*form, 200);
    TSkinScrollbar* skin = SkinScrollbars(*form, memo);
    TWScrollbar* bar = skin->VertBar();
    ASSERT_TRUE(bar->Shown());
    HWND overlay = bar->Handle();
    const auto given = BlankBitmap(WindowSize(overlay).cx, WindowSize(overlay).cy);
    HDC givenDC = given->Canvas()->Handle();
    const std::size_t reported = ReportedErrors().size();
    {
        const TGdiHandlesTaken taken;
        InvalidateRect(overlay, nullptr, FALSE);
        UpdateWindow(overlay);
        EXPECT_FALSE(GetUpdateRect(overlay, nullptr, FALSE));
        SendMessageW(overlay, WM_PAINT, reinterpret_cast<WPARAM>(givenDC), 0);
    }
    EXPECT_EQ(ReportedErrors().size(), reported);
    EXPECT_EQ(RgbAt(*given, given->Width() / 2, bar->ArrowSize() / 2), Untouched) << "nothing was drawn";

    const auto picture = PaintWindow(overlay);
    EXPECT_EQ(RgbAt(*picture, picture->Width() / 2, bar->ArrowSize() / 2), Plan(ScrollbarImage, 9, 4));
}

// A control moved to another parent leaves its old one with its window: the overlays stay
// behind in the old parent, hidden, covering nothing there.
TEST_F(ScrollbarSkins, AControlMovedToAnotherParentHidesItsOverlays) {
    const auto form = ShowForm();
    auto* panel = PlaceControl<TPanel>(*form, 10, 170, 250, 25);
    TMemo* memo = PlaceMemo(*form, 200);
    auto* list = PlaceControl<TListView>(*form, 220, 10, 70, 150);
    list->SetViewStyle(vsReport);
    list->Columns()->Add()->SetCaption("号码");
    for (int i = 0; i < 20; ++i) list->Items()->Add()->SetCaption(std::to_string(i));
    TSkinScrollbar* memoSkin = SkinScrollbars(*form, memo);
    TSkinControl* listSkin = NewSkinListView(list);
    AttachSkinScrollbars(listSkin, list, TestSkin(), SkinOf(form->Handle()), SharedCanvas(*form));
    TWScrollbar* listBar = static_cast<TSkinScrollbar*>(listSkin)->VertBar();
    ASSERT_TRUE(memoSkin->VertBar()->Shown());
    ASSERT_TRUE(listBar->Shown());

    for (TWScrollbar* bar : {memoSkin->VertBar(), listBar}) {
        HWND overlay = bar->Handle();
        RECT over{};
        GetWindowRect(overlay, &over);
        POINT middle{(over.left + over.right) / 2, (over.top + over.bottom) / 2};
        ScreenToClient(form->Handle(), &middle);

        TWinControl* control = bar == listBar ? static_cast<TWinControl*>(list) : memo;
        control->SetParent(panel);
        control->HandleNeeded();
        PumpMessages(50);
        EXPECT_FALSE(IsWindow(overlay) && IsWindowVisible(overlay)) << control->ClassName();
        EXPECT_EQ(ChildWindowFromPointEx(form->Handle(), middle, CWP_SKIPINVISIBLE), form->Handle())
            << "nothing is left over the old place in " << control->ClassName() << "'s old parent";
    }
}
