// The base of the control skins on real windows: the messages it takes for itself and those it
// lets through, switching the skin off and on, colours taken and given back, the window going,
// raw windows subclassed and given back; the property accessors by name and the shared painters.
#include "GuiTestSupport.h"
#include "SkinControl.h"
#include "SkinControlDraw.h"
#include "SkinControlSupport.h"
#include "SkinDraw.h"
#include "SkinMessages.h"
#include "SkinPropByName.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TButton.h"
#include "components/TClassInfo.h"
#include "components/TCustomControl.h"

namespace {

using SkinControlBase = SkinWindowTest;

// A skin that counts its paints.
class TCountingSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    int Paints = 0;
    void PaintSkin(HDC, const TRect&) override { ++Paints; }
};

// A skin that paints WM_PAINT itself and cannot make its bitmap, as when the system has none
// left.
class TFailingSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    int Paints = 0;
    bool BeforeMessage(TMessage& message) override {
        if (message.Msg != WM_PAINT) return TSkinControl::BeforeMessage(message);
        PaintFromWmPaint(message);
        return false;
    }
    void PaintSkin(HDC, const TRect&) override {
        ++Paints;
        throw EOSError("Cannot create a bitmap of 63 x 25");
    }
};

// A button that counts what its own procedure gets.
class TCountingButton : public TButton {
public:
    using TButton::TButton;
    std::map<UINT, int> Seen;

protected:
    void WndProc(TMessage& m) override {
        ++Seen[m.Msg];
        TButton::WndProc(m);
    }
};

// A control that publishes ParentBackground, as the controls of newer libraries do.
class TBackgroundPanel : public TCustomControl {
    DECLARE_CLASS(TBackgroundPanel, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    bool ParentBackground = true;
};

// Properties of every kind, for the accessors.
class TPropertyHolder : public TComponent {
    DECLARE_CLASS(TPropertyHolder, TComponent)
public:
    using TComponent::TComponent;
    int Number = 7;
    bool Flag = true;
    std::string Caption = "文字";
    TButton* Button = nullptr;
    int ReadOnly() const { return 3; }
};

}  // namespace

const TClassInfo& TBackgroundPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBackgroundPanel>("TBackgroundPanel")
        .Bool("ParentBackground", &TBackgroundPanel::ParentBackground)
        .Build();
    return info;
}

const TClassInfo& TPropertyHolder::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPropertyHolder>("TPropertyHolder")
        .Int("Number", &TPropertyHolder::Number)
        .Bool("Flag", &TPropertyHolder::Flag)
        .Str("Caption", &TPropertyHolder::Caption)
        .Object("Button", &TPropertyHolder::Button)
        .Int("ReadOnly", &TPropertyHolder::ReadOnly)
        .Build();
    return info;
}

TEST_F(SkinControlBase, TheSkinAnswersItsQueryAndLetsEverythingElseThroughOnce) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TCountingButton>(*form);
    auto* skin = new TCountingSkin(button);
    skin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), false);
    ASSERT_EQ(skin->State, scAttached);
    EXPECT_EQ(skin->Handle, button->Handle());

    EXPECT_EQ(SendMessageA(button->Handle(), WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(button->Seen[WM_SKINQUERY], 0) << "the query never reaches the control";
    SendMessageA(button->Handle(), WM_APP + 3, 0, 0);
    EXPECT_EQ(button->Seen[WM_APP + 3], 1);

    // A second attach changes nothing: freeing the skin gives the control its own procedure.
    skin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), false);
    SendMessageA(button->Handle(), WM_APP + 3, 0, 0);
    EXPECT_EQ(button->Seen[WM_APP + 3], 2);
    delete skin;
    EXPECT_EQ(SendMessageA(button->Handle(), WM_SKINQUERY, 0, 0), 0);
    EXPECT_EQ(button->Seen[WM_SKINQUERY], 1);
    EXPECT_EQ(SkinOf(form->Handle())->FindControlByHandle(button->Handle()), nullptr) << "it left its window's list";
}

// A paint that fails is dropped: the application is not told (it would show a box for every
// paint), and the paint is ended, its DC given back.
TEST_F(SkinControlBase, APaintThatFailsIsDroppedQuietly) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TCountingButton>(*form);
    PumpMessages(30);
    auto* skin = new TFailingSkin(button);
    skin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), false);
    const std::size_t reported = ReportedErrors().size();
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(50);
    EXPECT_EQ(skin->Paints, 1);
    EXPECT_EQ(ReportedErrors().size(), reported);
    SendMessageA(button->Handle(), WM_APP + 3, 0, 0);
    EXPECT_EQ(button->Seen[WM_APP + 3], 1) << "the skin goes on";
    delete skin;
}

TEST_F(SkinControlBase, SwitchedOffTheControlPaintsAloneAndSwitchedOnTheSkinRepaintsAtOnce) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TCountingButton>(*form);
    auto* skin = new TCountingSkin(button);
    skin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), false);
    PumpMessages(30);

    SendMessageA(button->Handle(), WM_SKINENABLE, 0, 0);
    EXPECT_FALSE(skin->SkinEnabled);
    const int paints = skin->Paints;
    const int ownPaints = button->Seen[WM_PAINT];
    RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(skin->Paints, paints);
    EXPECT_GT(button->Seen[WM_PAINT], ownPaints);
    EXPECT_EQ(SendMessageA(button->Handle(), WM_SKINQUERY, 0, 0), 0) << "a switched-off skin is not asked";

    SendMessageA(button->Handle(), WM_SKINENABLE, 1, 0);
    EXPECT_GT(skin->Paints, paints) << "repainted with the skin before the message returned";
    EXPECT_EQ(button->Seen[WM_SKINENABLE], 0);
}

TEST_F(SkinControlBase, SkinColoursAreTakenAndGivenBackWhenTheWindowGoes) {
    const auto form = ShowForm();
    auto* panel = PlaceControl<TBackgroundPanel>(*form);
    panel->SetColor(clAqua);
    auto* skin = new TCountingSkin(panel);
    skin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), true);
    EXPECT_EQ(panel->Color(), TestSkin()->Colours().ButtonFace);
    EXPECT_FALSE(panel->ParentBackground);
    EXPECT_EQ(skin->Kind, 1) << "a skin that turned ParentBackground off says so";

    panel->DestroyHandle();
    EXPECT_EQ(skin->State, scWindowGone);
    EXPECT_FALSE(skin->SkinEnabled);
    EXPECT_EQ(panel->Color(), clAqua);
    EXPECT_TRUE(panel->ParentBackground);
}

TEST_F(SkinControlBase, ParentBackgroundIsLeftAloneWhenItIsOffOrTheSkinSaysSo) {
    const auto form = ShowForm();
    auto* off = PlaceControl<TBackgroundPanel>(*form);
    off->ParentBackground = false;
    auto* offSkin = new TCountingSkin(off);
    offSkin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), true);
    EXPECT_FALSE(offSkin->ParentBackgroundForced);
    off->ParentBackground = false;
    offSkin->RestoreColors();
    EXPECT_FALSE(off->ParentBackground) << "nothing to give back";

    const TSkinOptions options = TestSkin()->Options();
    TestSkin()->SetOptions(options | SkinOptionBit(xoParentBackGround));
    auto* kept = PlaceControl<TBackgroundPanel>(*form);
    auto* keptSkin = new TCountingSkin(kept);
    keptSkin->AttachControl(SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form), true);
    TestSkin()->SetOptions(options);
    EXPECT_TRUE(kept->ParentBackground);
    EXPECT_EQ(keptSkin->Kind, 0);
}

TEST_F(SkinControlBase, ARawWindowIsSubclassedWithItsTextAndGivenItsProcedureBack) {
    const auto form = ShowForm();
    HWND button = CreateWindowExW(0, L"BUTTON", L"确定", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, form->Handle(), nullptr,
                                  nullptr, nullptr);
    const LONG_PTR ownProc = GetWindowLongPtrW(button, GWLP_WNDPROC);
    auto* skin = new TCountingSkin(SkinOf(form->Handle()));
    skin->AttachHandle(button, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    EXPECT_EQ(skin->Text, L"确定");
    EXPECT_TRUE(skin->UnicodeWindow);
    EXPECT_NE(GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(SendMessageW(button, WM_SKINQUERY, 0, 0), 1);
    // Messages still reach the button's own procedure, Unicode texts unchanged.
    SendMessageW(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"取消"));
    wchar_t text[16] = {};
    GetWindowTextW(button, text, 16);
    EXPECT_STREQ(text, L"取消");
    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skin->Paints, 0);

    delete skin;
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
    DestroyWindow(button);
}

TEST_F(SkinControlBase, ARawWindowThatGoesLeavesItsSkinWaitingToBeFreed) {
    const auto form = ShowForm();
    HWND button = CreateWindowExA(0, "BUTTON", "x", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, form->Handle(), nullptr,
                                  nullptr, nullptr);
    TWinSkinForm* windowSkin = SkinOf(form->Handle());
    auto* skin = new TCountingSkin(windowSkin);
    skin->AttachHandle(button, TestSkin(), SharedCanvas(*form), windowSkin);
    DestroyWindow(button);
    EXPECT_EQ(skin->State, scWindowGone);
    windowSkin->PurgeDeadControls();
    EXPECT_EQ(windowSkin->FindControlByHandle(button), nullptr);
}

TEST(SkinPropertyAccess, ReadsAndWritesPublishedPropertiesByNameWithDefaultsForWhatIsNotThere) {
    TPropertyHolder holder(nullptr);
    TButton button(nullptr);
    holder.Button = &button;

    EXPECT_EQ(GetOrdPropByName(&holder, "Number"), 7);
    EXPECT_EQ(GetOrdPropByName(&holder, "number"), 7) << "names compare without letter case";
    EXPECT_EQ(GetOrdPropByName(&holder, "Flag"), -1) << "an enumeration is no integer";
    EXPECT_EQ(GetOrdPropByName(&holder, "Missing"), -1);
    EXPECT_EQ(GetOrdPropByName(nullptr, "Number"), -1);

    std::string text = "left over";
    GetEnumPropByName(&holder, "Flag", text);
    EXPECT_EQ(text, "True");
    GetEnumPropByName(&holder, "Number", text);
    EXPECT_EQ(text, "");
    std::wstring wide = L"left over";
    GetWideStrPropByName(&holder, "Caption", wide);
    EXPECT_EQ(wide, L"文字");
    GetWideStrPropByName(nullptr, "Caption", wide);
    EXPECT_EQ(wide, L"");

    EXPECT_EQ(GetObjectPropByName(&holder, "Button", TButton::StaticClass()), &button);
    EXPECT_EQ(GetObjectPropByName(&holder, "Button", TCustomControl::StaticClass()), nullptr) << "another class";
    EXPECT_EQ(GetObjectPropByName(&holder, "Caption", TObject::StaticClass()), nullptr);

    SetPropByName(&holder, "Number", "42");
    SetPropByName(&holder, "Flag", "False");
    SetPropByName(&holder, "Caption", "新");
    SetPropByName(&holder, "Button", "Button1");  // objects are not set from texts
    SetPropByName(&holder, "ReadOnly", "5");
    SetPropByName(&holder, "Missing", "5");
    SetPropByName(nullptr, "Number", "5");
    EXPECT_EQ(holder.Number, 42);
    EXPECT_FALSE(holder.Flag);
    EXPECT_EQ(holder.Caption, "新");
    EXPECT_EQ(holder.Button, &button);
    EXPECT_THROW(SetPropByName(&holder, "Number", "many"), EConvertError);
}

TEST(SkinControlPainters, SkinObjectsAndGlyphFramesDrawTheirFrameWithMagentaLeftOut) {
    TDataSkinButton* buttons = TestSkin()->Objects.Button.get();
    ASSERT_TRUE(buttons && buttons->HasImage());
    auto bitmap = BlankBitmap(60, 40);
    HDC dc = bitmap->Canvas()->Handle();

    DrawSkinObject(dc, TRect{0, 0, 60, 40}, buttons, 4, 5);
    EXPECT_EQ(RgbAt(*bitmap, 30, 20), Plan(PushButtonImage, 4, 4));
    EXPECT_EQ(RgbAt(*bitmap, 1, 1), Plan(PushButtonImage, 4, 0));
    EXPECT_EQ(RgbAt(*bitmap, 0, 0), Untouched) << "the transparent corner";
    EXPECT_EQ(RgbAt(*bitmap, 59, 39), Untouched);

    bitmap = BlankBitmap(60, 40);
    dc = bitmap->Canvas()->Handle();
    DrawSkinObject(dc, TRect{30, 20, 10, 30}, buttons, 1, 5);
    DrawGlyphFrame(dc, TRect{10, 10, 5, 20}, &buttons->CheckButton, 1, 12);
    EXPECT_EQ(RgbAt(*bitmap, 20, 25), Untouched) << "an inverted rectangle draws nothing";

    // Frame 5 of the check strip, stretched to 26 x 26; its corners are magenta.
    DrawGlyphFrame(dc, TRect{0, 0, 26, 26}, &buttons->CheckButton, 5, 12);
    EXPECT_EQ(RgbAt(*bitmap, 13, 13), Plan(CheckImage, 5, 4));
    EXPECT_EQ(RgbAt(*bitmap, 0, 0), Untouched);
    DrawGlyphFrameMasked(dc, TRect{30, 0, 43, 13}, &buttons->RadioButton, 3, 8);
    EXPECT_EQ(RgbAt(*bitmap, 36, 6), Plan(RadioImage, 3, 4));
    EXPECT_EQ(RgbAt(*bitmap, 30, 0), Untouched);
    TCanvas* canvas = bitmap->Canvas();
    DrawGlyphFrameTransparent(canvas, TRect{44, 0, 57, 13}, &buttons->RadioButton, 8, 8);
    EXPECT_EQ(RgbAt(*bitmap, 50, 6), Plan(RadioImage, 8, 4));
}

TEST(SkinControlPainters, AGlyphCountOfZeroCountsAsOne) {
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(8, 8);
    strip.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(40, 50, 60)));
    strip.Canvas()->FillRect(TRect{0, 0, 8, 8});
    auto bitmap = BlankBitmap(20, 20);
    DrawGlyphFrame(bitmap->Canvas()->Handle(), TRect{0, 0, 8, 8}, &strip, 1, 0);
    DrawGlyphFrameMasked(bitmap->Canvas()->Handle(), TRect{10, 10, 18, 18}, &strip, 1, -3);
    EXPECT_EQ(RgbAt(*bitmap, 4, 4), (TRgb{40, 50, 60}));
    EXPECT_EQ(RgbAt(*bitmap, 14, 14), (TRgb{40, 50, 60}));
}

TEST(SkinControlPainters, TextPaintersDrawNothingWithoutContentAndGreyWhenDisabled) {
    auto bitmap = BlankBitmap(80, 24);
    TCanvas* canvas = bitmap->Canvas();
    DrawTextWithImage(nullptr, canvas, TRect{0, 0, 80, 24}, nullptr, -1, L"", 1);
    EXPECT_EQ(CountColour(*bitmap, TRect{0, 0, 80, 24}, Untouched), 80 * 24);

    canvas->Font()->SetColor(static_cast<TColor>(RGB(9, 9, 9)));
    DrawSkinText(nullptr, canvas, TRect{0, 0, 80, 24}, L"禁用", false, DT_CENTER);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    EXPECT_GT(CountColour(*bitmap, TRect{0, 0, 80, 24}, TRgb{GetRValue(shadow), GetGValue(shadow), GetBValue(shadow)}), 0);
    EXPECT_EQ(CountColour(*bitmap, TRect{0, 0, 80, 24}, TRgb{9, 9, 9}), 0);
}

TEST(SkinControlPainters, ADrawnImageAsWideAsTheRectangleLeavesTheCaptionAlone) {
    TImageList images(nullptr);
    images.SetWidth(100);
    images.SetHeight(16);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(100, 16);
    picture.Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(40, 80, 120)));
    picture.Canvas()->FillRect(TRect{0, 0, 100, 16});
    images.Add(&picture);
    auto bitmap = BlankBitmap(80, 24);
    DrawTextWithImage(nullptr, bitmap->Canvas(), TRect{0, 0, 80, 24}, &images, 0, L"文字", 0);
    EXPECT_EQ(CountColour(*bitmap, TRect{0, 0, 80, 24}, TRgb{40, 80, 120}), 0);
    EXPECT_LT(CountColour(*bitmap, TRect{0, 0, 80, 24}, Untouched), 80 * 24) << "the caption is drawn";
}

TEST(SkinControlUtilities, APopupWindowIsAPopupOrAChildOfTheDesktop) {
    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    HWND onDesktop = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, GetDesktopWindow(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(IsPopupWindow(popup));
    EXPECT_FALSE(IsPopupWindow(child));
    EXPECT_TRUE(IsPopupWindow(onDesktop));
    for (HWND window : {popup, child, onDesktop, parent}) DestroyWindow(window);
}
