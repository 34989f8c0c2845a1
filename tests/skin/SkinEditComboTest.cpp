// Edits, combo boxes and date-time pickers skinned on a skinned form: their borders and
// buttons in each look against the colour plan of the console's skin, the pieces that follow
// them (an edit's up-down, a combo box's edit, a picker's arrow button), and the console's own
// edits and combo boxes as the screen shows them.
#include "ArrowButton.h"
#include "GuardedHeap.h"
#include "GuiTestSupport.h"
#include "SkinComBox.h"
#include "SkinDateTime.h"
#include "SkinEdit.h"
#include "SkinMessages.h"
#include "SkinUpDown.h"
#include "SkinValueSupport.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomEdit.h"

namespace {

using SkinEditCombo = SkinWindowTest;

enum { SunkEdgeImage = 19, ComboButtonImage = 20, ExtraImage = 21 };

// Every look of a combo box shows the edge, the button and the arrow of the same frame.
void ExpectComboLook(TBitmap& picture, int look, const char* why) {
    const int w = picture.Width();
    const int h = picture.Height();
    EXPECT_EQ(RgbAt(picture, 0, h / 2), Plan(SunkEdgeImage, look, 3)) << why;
    EXPECT_GT(CountColour(picture, TRect{w - 22, 0, w, h}, Plan(ComboButtonImage, look, 4)), 0) << why;
    EXPECT_GT(CountColour(picture, TRect{w - 22, 0, w, h}, Plan(ExtraImage, look, 4)), 0) << why;
}

TComboBox* PlaceCombo(TWinControl& form, TComboBoxStyle style) {
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetStyle(style);
    combo->SetBounds(10, 10, 120, 21);
    combo->HandleNeeded();
    combo->Items()->Add("串口");
    combo->Items()->Add("网络");
    return combo;
}

// Any pixel of the rectangle that is none of the colours: something the control drew itself.
bool HasOtherPixels(TBitmap& picture, const TRect& r, std::initializer_list<TRgb> colours) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TRgb pixel = RgbAt(picture, x, y);
            if (std::find(colours.begin(), colours.end(), pixel) == colours.end()) return true;
        }
    return false;
}

}  // namespace

// ---- edits -------------------------------------------------------------------------------------

TEST_F(SkinEditCombo, ABorderedEditGetsAFlatShadowBorderPaintedOrPrintedAndABorderlessOneIsLeftAlone) {
    const auto form = ShowForm();
    auto* edit = PlaceControl<TEdit>(*form, 10, 10, 100, 24);
    AttachSkin<TSkinEdit>(*form, edit);
    auto picture = PaintWindow(edit->Handle());
    EXPECT_EQ(RgbAt(*picture, 0, 0), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 99, 12), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 1, 1), White);
    EXPECT_EQ(RgbAt(*picture, 2, 12), White);

    // Printed, with the inner line in the DC's brush.
    picture = BlankBitmap(100, 24);
    SendMessageA(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT);
    EXPECT_EQ(RgbAt(*picture, 0, 0), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 50, 1), Untouched);
    // Asked with the key, the edit paints into the DC given.
    picture = BlankBitmap(100, 24);
    EXPECT_EQ(SendMessageA(edit->Handle(), WM_SKINPAINTTO, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()), SkinAnswerKey),
              SkinAnswerKey);
    EXPECT_LT(CountColour(*picture, TRect{0, 0, 100, 24}, Untouched), 100 * 24);
    EXPECT_NE(SendMessageA(edit->Handle(), WM_SKINPAINTTO, 0, 5), SkinAnswerKey);

    auto* bare = PlaceControl<TEdit>(*form, 10, 40, 100, 24);
    bare->SetBorderStyle(bsNone);
    AttachSkin<TSkinEdit>(*form, bare);
    picture = PaintWindow(bare->Handle());
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, 100, 24}, ShadowRgb()), 0);
}

TEST_F(SkinEditCombo, TheConsolesEditShowsItsSkinnedBorderAroundItsTextOnTheScreen) {
    const auto form = ShowForm();
    auto* edit = PlaceControl<TEdit>(*form, 10, 10, 120, 24);
    AttachSkin<TSkinEdit>(*form, edit);
    edit->SetText("192.168.1.10");
    edit->SetFocus();
    PumpMessages(30);
    auto screen = ScreenOf(edit->Handle());
    EXPECT_EQ(RgbAt(*screen, 0, 0), ShadowRgb());
    EXPECT_EQ(RgbAt(*screen, 119, 23), ShadowRgb());
    EXPECT_EQ(RgbAt(*screen, 1, 12), White);
    EXPECT_TRUE(HasOtherPixels(*screen, TRect{3, 3, 117, 21}, {White, ShadowRgb()})) << "the text";
    // Typing repaints the text; the border stays the skin's.
    edit->SetSelStart(12);
    SendMessageA(edit->Handle(), WM_CHAR, '5', 0);
    screen = ScreenOf(edit->Handle());
    EXPECT_EQ(RgbAt(*screen, 0, 12), ShadowRgb());
    EXPECT_EQ(edit->Text(), "192.168.1.105");
}

TEST_F(SkinEditCombo, AnUpDownInsideAnEditIsSkinnedWithItOnlyWhenSpinButtonsAreSkinned) {
    const auto form = ShowForm();
    const auto spinEdit = [&](int top) {
        auto* edit = PlaceControl<TEdit>(*form, 10, top, 100, 24);
        CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 80, 0, 16, 20, edit->Handle(), nullptr, nullptr, nullptr);
        auto* skin = AttachSkin<TSkinEdit>(*form, edit);
        PaintWindow(edit->Handle());
        return skin;
    };
    TSkinEdit* skin = spinEdit(10);
    ASSERT_NE(skin->UpDown(), nullptr);
    EXPECT_TRUE(skin->UpDown()->EditBuddyMode);
    EXPECT_EQ(SendMessageA(skin->UpDown()->Handle, WM_SKINQUERY, 0, 0), 1);
    DestroyWindow(skin->UpDown()->Handle);
    SkinOf(form->Handle())->PurgeDeadControls();
    EXPECT_EQ(skin->UpDown(), nullptr) << "its skin went with its window";

    const TSkinControlTypes types = TestSkin()->SkinControls();
    TestSkin()->SetSkinControls(types & ~SkinControlBit(xcSpin));
    skin = spinEdit(40);
    TestSkin()->SetSkinControls(types);
    EXPECT_EQ(skin->UpDown(), nullptr);
}

// ---- combo boxes -------------------------------------------------------------------------------

TEST_F(SkinEditCombo, AComboBoxShowsEachOfItsLooks) {
    const auto form = ShowForm();
    ParkCursor();
    auto* combo = PlaceCombo(*form, csDropDownList);
    auto* skin = AttachSkin<TSkinComBox>(*form, combo);
    form->SetFocus();
    PumpMessages(20);
    auto picture = PaintWindow(combo->Handle());
    ExpectComboLook(*picture, 1, "normal");

    combo->Perform(CM_MOUSEENTER);
    ExpectComboLook(*PaintWindow(combo->Handle()), 4, "hot");
    combo->Perform(CM_MOUSELEAVE);
    ExpectComboLook(*PaintWindow(combo->Handle()), 1, "left again");

    SendMessageA(combo->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 10));
    ExpectComboLook(*PaintWindow(combo->Handle()), 2, "pressed");
    SendMessageA(combo->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(110, 10));
    EXPECT_FALSE(skin->MouseState & msPressed);
    combo->SetDroppedDown(false);

    combo->SetFocus();
    PumpMessages(20);
    ASSERT_EQ(GetFocus(), combo->Handle());
    ExpectComboLook(*PaintWindow(combo->Handle()), 4, "focused");
    form->SetFocus();

    combo->SetEnabled(false);
    ExpectComboLook(*PaintWindow(combo->Handle()), 3, "disabled");
    combo->Perform(CM_MOUSEENTER);
    EXPECT_EQ(skin->MouseState & msHot, 0u) << "a disabled box does not light up";
}

TEST_F(SkinEditCombo, TheConsolesComboBoxLightsUpOnTheScreenWhileTheMouseIsOverIt) {
    const auto form = ShowForm();
    ParkCursor();
    auto* combo = PlaceCombo(*form, csDropDownList);
    combo->SetItemIndex(1);
    auto* skin = AttachSkin<TSkinComBox>(*form, combo);
    auto screen = ScreenOf(combo->Handle());
    ExpectComboLook(*screen, 1, "on the screen");
    EXPECT_TRUE(HasOtherPixels(*screen, TRect{4, 4, 80, 17}, {White, Magenta, FaceRgb()})) << "its text";

    POINT over{40, 10};
    ClientToScreen(combo->Handle(), &over);
    SetCursorPos(over.x, over.y);
    PumpMessages(60);
    ExpectComboLook(*ScreenOf(combo->Handle()), 4, "under the mouse");
    // The system tells of the mouse leaving on its own time.
    ParkCursor();
    for (int waited = 0; waited < 2000 && (skin->MouseState & msHot); waited += 20) PumpMessages(20);
    ExpectComboLook(*ScreenOf(combo->Handle()), 1, "the mouse gone");
}

TEST_F(SkinEditCombo, DisabledLosesToFocusAndHotOnlyInThePlainLook) {
    const auto form = ShowForm();
    auto* combo = PlaceCombo(*form, csDropDownList);
    auto* skin = AttachSkin<TSkinComBox>(*form, combo);
    combo->SetEnabled(false);
    skin->Style = GetWindowLongPtrA(combo->Handle(), GWL_STYLE);
    skin->MouseState = msHot;
    EXPECT_EQ(skin->LookState(false), 3);
    EXPECT_EQ(skin->LookState(true), 4);
    skin->MouseState = 0;
    EXPECT_EQ(skin->LookState(true), 3);

    // The plain look: a shadow line around the box in place of the skin's edge.
    TDataSkinBorder* button = TestSkin()->Objects.ComboButton.get();
    const int style = button->Style;
    button->Style = 1;
    auto picture = PaintWindow(combo->Handle());
    button->Style = style;
    EXPECT_EQ(RgbAt(*picture, 0, 10), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 60, 0), ShadowRgb());
}

TEST_F(SkinEditCombo, ARightToLeftBoxHasItsButtonOnTheLeftAndSeparateImagesLeaveTheTextAlone) {
    const auto form = ShowForm();
    ParkCursor();
    auto* combo = PlaceCombo(*form, csDropDownList);
    SetWindowLongPtrA(combo->Handle(), GWL_EXSTYLE, GetWindowLongPtrA(combo->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR);
    AttachSkin<TSkinComBox>(*form, combo);
    auto picture = PaintWindow(combo->Handle());
    const int w = picture->Width();
    EXPECT_GT(CountColour(*picture, TRect{0, 0, 22, 21}, Plan(ComboButtonImage, 1, 4)), 0);
    EXPECT_EQ(CountColour(*picture, TRect{w - 22, 0, w, 21}, Plan(ComboButtonImage, 1, 4)), 0);
    EXPECT_EQ(RgbAt(*picture, w - 1, 10), Plan(SunkEdgeImage, 1, 3)) << "the edge's left side turned over";
    // Separate edge and button images leave the text area to the box.
    auto* plain = PlaceCombo(*form, csDropDownList);
    plain->SetItemIndex(0);
    AttachSkin<TSkinComBox>(*form, plain);
    TDataSkinBorder* button = TestSkin()->Objects.ComboButton.get();
    const int style = button->Style;
    button->Style = 0;
    picture = PaintWindow(plain->Handle());
    button->Style = style;
    const int f = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_TRUE(HasOtherPixels(*picture, TRect{2, 2, 120 - f - 4, 19}, {Untouched})) << "the box's own text area";
    EXPECT_GT(CountColour(*picture, TRect{120 - f - 2, 0, 118, 21}, Plan(ExtraImage, 1, 4)), 0) << "the arrow";
}

TEST_F(SkinEditCombo, TheEditOfADropDownBoxIsFollowedAndGivenBack) {
    const auto form = ShowForm();
    ParkCursor();
    auto* combo = PlaceCombo(*form, csDropDown);
    HWND edit = GetWindow(combo->Handle(), GW_CHILD);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    auto* skin = AttachSkin<TSkinComBox>(*form, combo);
    EXPECT_EQ(skin->EditWindow, edit);

    // A click in the edit presses the box; the edit repainting leaves the skin on the screen.
    SendMessageA(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(skin->MouseState & msPressed);
    SendMessageA(edit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(skin->MouseState & msPressed);
    SetWindowTextA(edit, "9600");
    RedrawWindow(edit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    auto screen = ScreenOf(combo->Handle());
    ExpectComboLook(*screen, 1, "after the edit painted");
    EXPECT_TRUE(HasOtherPixels(*screen, TRect{4, 4, 80, 17}, {White, Magenta})) << "the text shows through";

    skin->RestoreColors();
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(skin->EditWindow, nullptr);
}

TEST_F(SkinEditCombo, ASimpleComboBoxDrawsNoButtonAndItsListGetsSkinnedScrollBars) {
    const auto form = ShowForm();
    auto* combo = PlaceCombo(*form, csSimple);
    combo->SetHeight(80);
    auto* skin = AttachSkin<TSkinComBox>(*form, combo);
    EXPECT_EQ(skin->EditWindow, nullptr);
    auto picture = PaintWindow(combo->Handle());
    EXPECT_EQ(CountColour(*picture, TRect{0, 0, picture->Width(), picture->Height()}, Plan(ComboButtonImage, 1, 4)), 0);
    if (!User32Entries().GetComboBoxInfo) return;
    // Its list is inside it, with the skin's scroll bars until the skin lets go.
    ASSERT_NE(skin->ListScrollbar(), nullptr);
    EXPECT_EQ(SendMessageA(skin->ListWindow, WM_SKINQUERY, 0, 0), 1);
    skin->RestoreColors();
    EXPECT_EQ(skin->ListScrollbar(), nullptr);
    EXPECT_EQ(SendMessageA(skin->ListWindow, WM_SKINQUERY, 0, 0), 0);
}

// ---- date-time pickers -------------------------------------------------------------------------

TEST_F(SkinEditCombo, ADatePickerGetsAFlatBorderAndTheSkinsArrowOverItsButton) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    const auto form = ShowForm();
    ParkCursor();
    auto* picker = PlaceCommon(*form, DATETIMEPICK_CLASSA, 0, 120, 22);
    auto* skin = AttachSkin<TSkinDateTime>(*form, picker);
    TArrowButton* arrow = skin->ArrowButton;
    ASSERT_NE(arrow, nullptr);
    const int size = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(GetParent(arrow->Handle()), picker->Handle());
    EXPECT_EQ(arrow->BoundsRect(), (TRect{120 - size - 4, 0, 120 - 4, size + 1}));
    EXPECT_TRUE(GetWindowLongPtrA(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);

    auto picture = PaintWindow(picker->Handle());
    EXPECT_EQ(RgbAt(*picture, 0, 0), ShadowRgb());
    EXPECT_EQ(RgbAt(*picture, 1, 11), White);

    picture = PaintWindow(arrow->Handle());
    EXPECT_GT(CountColour(*picture, TRect{0, 0, size, size + 1}, Plan(ExtraImage, 1, 4)), 0);
    arrow->Perform(CM_MOUSEENTER);
    picture = PaintWindow(arrow->Handle());
    EXPECT_GT(CountColour(*picture, TRect{0, 0, size, size + 1}, Plan(ExtraImage, 4, 4)), 0) << "lit under the mouse";
    arrow->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(arrow->Hot);
    picker->SetEnabled(false);
    arrow->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(arrow->Hot) << "not lit on a disabled picker";
    picker->SetEnabled(true);

    // A click on the arrow is the picker's: it opens its calendar.
    picker->Seen.clear();
    SendMessageA(arrow->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    EXPECT_EQ(picker->Seen[WM_LBUTTONDOWN], 1);
    HWND calendar = reinterpret_cast<HWND>(SendMessageA(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    EXPECT_NE(calendar, nullptr) << "the picker opened its calendar";
    if (calendar) SendMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(picker->Handle(), WM_LBUTTONUP, 0, 0);
    PumpMessages(30);
}

TEST_F(SkinEditCombo, APickerUnskinnedByAClickOnItsArrowLeavesTheFreedArrowAlone) {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    const auto form = ShowForm();
    const TGuardedHeap guard;
    auto* picker = PlaceCommon(*form, DATETIMEPICK_CLASSA, 0, 120, 22);
    TArrowButton* arrow = AttachSkin<TSkinDateTime>(*form, picker)->ArrowButton;
    ASSERT_NE(arrow, nullptr);
    HWND arrowWindow = arrow->Handle();
    // The picker's press unskins the window (as the manager's timer may, in the calendar's
    // loop): the picker's skin goes, and the arrow with it.
    picker->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
        TestSkin()->SetActive(false);
        SkinManager->TimerProc();
    };
    SendMessageA(arrowWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    picker->OnMouseDown = nullptr;
    EXPECT_FALSE(IsWindow(arrowWindow));
    EXPECT_EQ(SkinOf(form->Handle()), nullptr);
    if (HWND calendar = reinterpret_cast<HWND>(SendMessageA(picker->Handle(), DTM_GETMONTHCAL, 0, 0)))
        SendMessageA(calendar, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(picker->Handle(), WM_LBUTTONUP, 0, 0);
    TestSkin()->SetActive(true);
    PumpMessages(400);
}
