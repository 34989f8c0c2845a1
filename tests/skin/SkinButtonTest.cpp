// The button skins on real controls of a skinned form, rendered through their own WM_PAINT into
// memory bitmaps and read against the colour plan of the console's skin: the frame of each look,
// the text colours, glyphs and their layout, the marks of check boxes and radio buttons, and
// clicks whose handlers free what was clicked.
#include "GuiTestSupport.h"
#include "SkinBitButton.h"
#include "SkinButton.h"
#include "SkinCheckBox.h"
#include "SkinControlFactory.h"
#include "SkinControlSupport.h"
#include "SkinMenuButton.h"
#include "SkinMessages.h"
#include "SkinRadioButton.h"
#include "SkinSpeedButton.h"
#include "SkinText.h"
#include "components/Graphics.h"
#include "components/TButton.h"
#include "components/TClassInfo.h"
#include "components/TCustomCheckBox.h"
#include "components/TGraphicControl.h"
#include "components/TRadioButton.h"

namespace {

using SkinButtons = SkinWindowTest;

// The skin's text colours of the normal, hot and pressed looks (sablink.ini).
constexpr TRgb NormalText{0x10, 0x20, 0x30};
constexpr TRgb HotText{0x40, 0x50, 0x60};
constexpr TRgb PressedText{0x70, 0x80, 0x90};

// A strip of looks, each a solid colour but for its magenta bottom-left pixel.
std::unique_ptr<TBitmap> GlyphStrip(const std::vector<TRgb>& looks, int size = 16) {
    auto strip = BlankBitmap(size * static_cast<int>(looks.size()), size);
    for (std::size_t i = 0; i < looks.size(); ++i) {
        const int left = size * static_cast<int>(i);
        strip->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(looks[i].R, looks[i].G, looks[i].B)));
        strip->Canvas()->FillRect(TRect{left, 0, left + size, size});
        strip->Canvas()->SetPixel(left, size - 1, static_cast<TColor>(RGB(255, 0, 255)));
    }
    return strip;
}

// A bitmap button of another library, known to the skins only by its published properties.
class TGlyphButton : public TButton {
    DECLARE_CLASS(TGlyphButton, TButton)
public:
    using TButton::TButton;
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
};

// A speed button: no focus, held down by Down, drawn bare when Flat.
class TFlatButton : public TGraphicControl {
    DECLARE_CLASS(TFlatButton, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
    bool Down = false;
    bool Flat = true;
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 4;
};

}  // namespace

const TClassInfo& TGlyphButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TGlyphButton>("TGlyphButton")
        .Object("Glyph", &TGlyphButton::Glyph)
        .Int("NumGlyphs", &TGlyphButton::NumGlyphs)
        .Build();
    return info;
}

const TClassInfo& TFlatButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFlatButton>("TFlatButton")
        .Bool("Down", &TFlatButton::Down)
        .Bool("Flat", &TFlatButton::Flat)
        .Object("Glyph", &TFlatButton::Glyph)
        .Int("NumGlyphs", &TFlatButton::NumGlyphs)
        .Build();
    return info;
}

namespace {

template <class Skin>
Skin* Attach(TSkinControl* made, TForm& form) {
    made->AttachControl(SkinOf(form.Handle()), TestSkin(), SharedCanvas(form), false);
    return static_cast<Skin*>(made);
}

int Count(TBitmap& bitmap, TRgb colour) { return CountColour(bitmap, TRect{0, 0, bitmap.Width(), bitmap.Height()}, colour); }

// Pixels of text in the system's dark caption colour, smoothed or not.
int DarkPixels(TBitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TRgb p = RgbAt(bitmap, x, y);
            if (p != Untouched && p.R < 100 && p.G < 100 && p.B < 100) ++count;
        }
    return count;
}

TEST_F(SkinButtons, APushButtonShowsTheFrameAndTextColourOfItsLookWithDisabledWinningOverAll) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TButton>(*form);
    button->SetCaption("确定");
    auto* skin = Attach<TSkinButton>(NewSkinButton(button), *form);

    auto picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 1, 4));
    EXPECT_GT(Count(*picture, NormalText), 0);

    button->SetFocus();
    picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 5, 4)) << "focused";

    skin->MouseState = msHot;
    picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 4, 4)) << "hot wins over focused";
    EXPECT_GT(Count(*picture, HotText), 0);

    skin->MouseState = msHot | msPressed;
    picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 2, 4)) << "pressed wins over hot";
    EXPECT_GT(Count(*picture, PressedText), 0);

    button->SetEnabled(false);
    picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 3, 4)) << "disabled wins over everything";
    EXPECT_GT(Count(*picture, ToRgb(clBtnShadow)), 0);
    EXPECT_EQ(Count(*picture, PressedText), 0);
}

// The rows that hold caption pixels of the colour.
std::pair<int, int> TextRows(TBitmap& bitmap, TRgb colour) {
    int top = bitmap.Height(), bottom = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        if (CountColour(bitmap, TRect{0, y, bitmap.Width(), y + 1}, colour) > 0) {
            top = std::min(top, y);
            bottom = y;
        }
    return {top, bottom};
}

TEST_F(SkinButtons, ADoubleBarInTheCaptionBreaksTheLineThereOnly) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TButton>(*form, 10, 10, 100, 60);
    Attach<TSkinButton>(NewSkinButton(button), *form);
    const auto rowsOf = [button](const char* caption) {
        button->SetCaption(caption);
        auto picture = PaintWindow(button->Handle());
        const auto [top, bottom] = TextRows(*picture, NormalText);
        return bottom - top + 1;
    };
    const int one = rowsOf("AB");
    const int two = rowsOf("AB||CD");
    ASSERT_GT(one, 0);
    EXPECT_GT(two, one + one / 2) << "two lines";
    EXPECT_EQ(rowsOf("AB||CD||EF"), two) << "only the first bar breaks";
}

// A window whose handler destroys the button clicked in it and has the freed skins purged at
// once, as a dialog closed by its button does.
TWinSkinForm* PurgingSkin = nullptr;
int PurgingClicks = 0;

LRESULT CALLBACK DestroyOnClickProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        ++PurgingClicks;
        DestroyWindow(reinterpret_cast<HWND>(lParam));
        PurgingSkin->PurgeDeadControls();
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

void Click(HWND window) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(SkinButtons, AClickWhoseHandlerFreesTheButtonAndItsSkinOrReleasesItsFormDoesNotTouchWhatIsGone) {
    auto form = ShowForm();
    WNDCLASSA wc{};
    wc.lpfnWndProc = DestroyOnClickProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinButtonDestroyOnClick";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24, parent, nullptr, nullptr,
                                  nullptr);
    PurgingSkin = SkinOf(form->Handle());
    auto* skin = NewSkinButton(PurgingSkin);
    skin->AttachHandle(button, TestSkin(), SharedCanvas(*form), PurgingSkin);
    PurgingClicks = 0;
    Click(button);
    EXPECT_EQ(PurgingClicks, 1);
    EXPECT_FALSE(IsWindow(button));
    EXPECT_EQ(PurgingSkin->FindControlByHandle(button), nullptr) << "the skin went during its own click";
    DestroyWindow(parent);

    // A form released by its button goes once the click has returned.
    TForm* dialog = form.release();
    bool gone = false;
    auto* close = PlaceControl<TButton>(*dialog, 10, 50);
    Attach<TSkinButton>(NewSkinButton(close), *dialog);
    close->OnClick = [&](TObject*) { dialog->Release(); };
    dialog->OnDestroy = [&](TObject*) { gone = true; };
    Click(close->Handle());
    EXPECT_FALSE(gone) << "nothing runs the application's messages inside the click";
    PumpMessages(50);
    EXPECT_TRUE(gone);
}

TEST_F(SkinButtons, ABitButtonLaysItsGlyphAndCaptionOutAsTheButtonWould) {
    auto bitmap = BlankBitmap(200, 40);
    HDC dc = bitmap->Canvas()->Handle();
    RECT measured{0, 0, 200, 40};
    DrawTextWide(dc, L"Caption", measured, DT_CALCRECT | DT_WORDBREAK);
    const int textWidth = measured.right - measured.left;

    // Margin and spacing worked out: the free space is shared in three.
    TGlyphLayoutInput in;
    in.ClientWidth = 60 + textWidth;  // 100 pixels for a text of 40
    in.ClientHeight = 30;
    in.GlyphWidth = in.GlyphHeight = 16;
    TGlyphLayout place = LayOutGlyphAndText(dc, L"Caption", in);
    EXPECT_EQ(place.Glyph.Left, 14);
    EXPECT_EQ(place.Text.Left, 44);
    EXPECT_EQ(place.Glyph.Top, 7);

    // Glyph at the right, the text before it.
    in.Layout = LayoutIndex("blGlyphRight");
    in.Margin = 4;
    in.Spacing = 2;
    place = LayOutGlyphAndText(dc, L"Caption", in);
    EXPECT_EQ(place.Glyph.Left, in.ClientWidth - 4 - 16);
    EXPECT_EQ(place.Text.Right, place.Glyph.Left - 2);
    EXPECT_TRUE(place.Format & DT_RIGHT);

    // Glyph on top, centred across; no caption makes no spacing.
    in.Layout = LayoutIndex("BLGLYPHTOP");
    in.Margin = -1;
    in.Spacing = 5;
    place = LayOutGlyphAndText(dc, L"", in);
    EXPECT_EQ(place.Glyph.Left, (in.ClientWidth - 16 + 1) / 2);
    EXPECT_EQ(place.Glyph.Top, (30 - 16 + 1) / 2);
    EXPECT_EQ(LayoutIndex("anything"), 0);
}

TEST_F(SkinButtons, ABitButtonGreysItsOnlyGlyphWhenDisabledAndTakesACountOfZeroAsOne) {
    const TRgb red{200, 40, 40};
    const auto strip = GlyphStrip({red});
    auto bitmap = BlankBitmap(40, 20);
    TSkinBitButton::DrawGlyph(bitmap->Canvas(), TRect{0, 0, 16, 16}, 1, 1, strip.get());
    TSkinBitButton::DrawGlyph(bitmap->Canvas(), TRect{20, 0, 36, 16}, 1, 2, strip.get());
    EXPECT_EQ(RgbAt(*bitmap, 8, 8), red);
    const TRgb grey = RgbAt(*bitmap, 28, 8);
    EXPECT_NE(grey, red);
    EXPECT_TRUE(grey.R == grey.G && grey.G == grey.B) << grey;
    EXPECT_EQ(RgbAt(*bitmap, 20, 15), Untouched) << "the bottom-left colour is transparent";

    const auto form = ShowForm();
    auto* button = PlaceControl<TGlyphButton>(*form);
    button->Glyph = strip.get();
    button->NumGlyphs = 0;
    Attach<TSkinBitButton>(NewSkinBitButton(button, ""), *form);
    const auto picture = PaintWindow(button->Handle());
    EXPECT_EQ(Count(*picture, red), 16 * 16 - 1) << "the whole strip is the one glyph";
}

TEST_F(SkinButtons, AFlatSpeedButtonIsBareAtRestFramedWhenHotAndPressedWithItsOwnGlyphWhenDown) {
    const TRgb looks[4] = {{200, 0, 0}, {0, 200, 0}, {0, 0, 200}, {200, 200, 0}};
    const auto strip = GlyphStrip({looks[0], looks[1], looks[2], looks[3]});
    const auto form = ShowForm();
    auto* speed = new TFlatButton(form.get());
    speed->SetParent(form.get());
    speed->SetBounds(10, 10, 60, 30);
    speed->Glyph = strip.get();
    speed->HandleNeeded();
    auto* skin = static_cast<TSkinSpeedButton*>(NewSkinSpeedButton(speed));
    AttachSkinSpeedButton(skin, SkinOf(form->Handle()), TestSkin(), SharedCanvas(*form));
    EXPECT_EQ(speed->Perform(WM_SKINQUERY), 1);

    auto picture = PaintWindow(speed->Handle());
    EXPECT_EQ(RgbAt(*picture, 2, 2), ToRgb(TestSkin()->Colours().ButtonFace)) << "no frame at rest";
    EXPECT_GT(Count(*picture, looks[0]), 0);

    speed->Perform(CM_MOUSEENTER);
    picture = PaintWindow(speed->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 4, 4));

    speed->Down = true;
    picture = PaintWindow(speed->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 2, 4));
    EXPECT_GT(Count(*picture, looks[3]), 0) << "the glyph of a button held down";
    EXPECT_EQ(Count(*picture, looks[2]), 0);

    speed->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(skin->MouseState, 0u);
    delete skin;
    EXPECT_EQ(speed->Perform(WM_SKINQUERY), 0) << "the control has its own procedure back";
}

TEST_F(SkinButtons, AMenuButtonDrawsItsArrowAndHasNoFocusedLook) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TButton>(*form, 10, 10, 100, 30);
    Attach<TSkinMenuButton>(NewSkinMenuButton(button), *form);
    button->SetFocus();
    auto picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 6, 6), Plan(PushButtonImage, 4, 4)) << "focused shows the hot look";
    const int c = 30 / 2 + 2;
    EXPECT_EQ(RgbAt(*picture, 100 - 12, c - 1), ToRgb(clWindowText));
    button->SetEnabled(false);
    picture = PaintWindow(button->Handle());
    EXPECT_EQ(RgbAt(*picture, 100 - 12, c - 1), ToRgb(clBtnShadow));
}

// The mark frame shown at the centre of a 13 x 13 mark at the left of a 100 x 30 control.
TRgb MarkCentre(TControl* control) {
    const auto picture = PaintWindow(control->Handle());
    return RgbAt(*picture, 6, 15);
}

TEST_F(SkinButtons, ACheckBoxShowsTheMarkOfItsStateFromTheTwelveFrameStrip) {
    const auto form = ShowForm();
    auto* box = PlaceControl<TCheckBox>(*form);
    box->SetCaption("选择");
    auto* skin = Attach<TSkinCheckBox>(NewSkinCheckBox(box), *form);
    EXPECT_EQ(skin->Kind, 1);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 1, 4));
    box->SetChecked(true);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 5, 4));
    box->SetState(cbGrayed);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 9, 4));
    box->SetEnabled(false);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 12, 4));
    box->SetState(cbChecked);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 8, 4));
    const auto picture = PaintWindow(box->Handle());
    EXPECT_GT(Count(*picture, ToRgb(clBtnShadow)), 0) << "the caption of a disabled box";
    box->SetState(cbUnchecked);
    EXPECT_EQ(MarkCentre(box), Plan(CheckImage, 4, 4));

    // Strips of other lengths: disabled and checked, or indeterminate, both show frame 4.
    EXPECT_EQ(TSkinCheckBox::FrameOf(2, true, false, 4), 4);
    EXPECT_EQ(TSkinCheckBox::FrameOf(1, false, true, 4), 4);
    EXPECT_EQ(TSkinCheckBox::FrameOf(2, false, false, 4), 2);
}

TEST_F(SkinButtons, ARadioButtonShowsTheMarkOfItsStateFromTheEightFrameStrip) {
    const auto form = ShowForm();
    auto* radio = PlaceControl<TRadioButton>(*form);
    Attach<TSkinRadioButton>(NewSkinRadioButton(radio), *form);
    EXPECT_EQ(MarkCentre(radio), Plan(RadioImage, 1, 4));
    radio->SetChecked(true);
    EXPECT_EQ(MarkCentre(radio), Plan(RadioImage, 5, 4));
    radio->SetEnabled(false);
    EXPECT_EQ(MarkCentre(radio), Plan(RadioImage, 8, 4));
    EXPECT_EQ(TSkinRadioButton::FrameOf(true, true, 4), 4);
}

TEST_F(SkinButtons, ACheckBoxOfARawDialogKeepsTheSystemTextAndGetsOnlyTheSkinnedMark) {
    const auto form = ShowForm();
    HWND box = CreateWindowExA(0, "BUTTON", "MMMM", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 100, 30,
                               form->Handle(), nullptr, nullptr, nullptr);
    auto* skin = NewSkinCheckBox(SkinOf(form->Handle()));
    skin->AttachHandle(box, TestSkin(), SharedCanvas(*form), SkinOf(form->Handle()));
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    const auto picture = PaintWindow(box);
    EXPECT_EQ(RgbAt(*picture, 6, 15), Plan(CheckImage, 5, 4));
    EXPECT_GT(Count(*picture, ToRgb(clBtnText)), 0) << "the system's caption";
    DestroyWindow(box);
}

// A skin without the pictures of buttons and marks leaves the controls to their own drawing,
// captions and all, from their first paint on, rather than to a picture that is not there.
TEST_F(SkinButtons, WithoutTheirPicturesButtonsAndMarksAreDrawnThePlainWayWithTheirCaptions) {
    const TSkinForm own = ReadSkinForm(EditedSkinPackage([](std::string& ini) {
        for (const char* key : {"Bitmap", "CheckButton", "RadioButton"}) SetIniKey(ini, "Buttons", key, "");
    }), "Active = False");
    ASSERT_TRUE(own->Objects.Button->Image.Empty());
    const auto form = ShowForm();
    auto* button = PlaceControl<TButton>(*form, 10, 10, 100, 30);
    button->SetCaption("确定");
    auto* check = PlaceControl<TCheckBox>(*form, 10, 50, 100, 20);
    check->SetCaption("选中");
    auto* radio = PlaceControl<TRadioButton>(*form, 10, 80, 100, 20);
    radio->SetCaption("单选");
    const std::pair<TWinControl*, TSkinControl*> skinned[] = {
        {button, NewSkinButton(button)}, {check, NewSkinCheckBox(check)}, {radio, NewSkinRadioButton(radio)}};
    for (const auto& [control, skin] : skinned) {
        SCOPED_TRACE(control->ClassName());
        skin->AttachControl(SkinOf(form->Handle()), own.Skin, SharedCanvas(*form), false);
        const auto picture = PaintWindow(control->Handle());
        const int all = picture->Width() * picture->Height();
        EXPECT_LT(Count(*picture, Untouched), all / 2) << "drawn";
        EXPECT_GT(DarkPixels(*picture), 10) << "with its caption";
    }
}

}  // namespace

TEST_F(SkinButtons, APressWhoseHandlerRaisesLeavesTheButtonDrawing) {
    const auto form = ShowForm();
    auto* button = PlaceControl<TButton>(*form, 10, 50);
    Attach<TSkinButton>(NewSkinButton(button), *form);
    button->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::runtime_error("press failed"); };
    ReportedErrors().clear();
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(ReportedErrors(), std::vector<std::string>{"press failed"});
    EXPECT_TRUE(IsWindowVisible(button->Handle())) << "its drawing is held no more";
    button->OnMouseDown = nullptr;
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto picture = PaintWindow(button->Handle());
    EXPECT_GT(Count(*picture, Plan(PushButtonImage, 1, 4)) + Count(*picture, Plan(PushButtonImage, 5, 4)), 0)
        << "and it paints its skin";
}
