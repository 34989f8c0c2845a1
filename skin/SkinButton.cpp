#include "SkinButton.h"

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinControlDraw.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton").Build();
    return info;
}

TSkinControl* NewSkinButton(TComponent* owner) { return new TSkinButton(owner); }

void TSkinButton::ReadTransparent() {
    Transparent = (Source() && Source()->Tag() == TransparentButtonTag) ||
                  (SkinData && (SkinData->Options() & SkinOptionBit(xoTransparent)));
}

void TSkinButton::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    ReadTransparent();
}

TDataSkinButton* TSkinButton::ButtonObject() const {
    TDataSkinButton* object = SkinData ? SkinData->Objects.Button.get() : nullptr;
    return object && object->HasImage() ? object : nullptr;
}

// ---- messages -------------------------------------------------------------------------------------

namespace {

// The window's drawing held while it lives, given back however the scope is left (a mouse
// handler that raises included): the window, not the skin, since the skin may be gone while
// the window stays.
class TRedrawHeld {
public:
    explicit TRedrawHeld(HWND window) : FWindow(window) { SendMessageA(FWindow, WM_SETREDRAW, FALSE, 0); }
    ~TRedrawHeld() {
        if (IsWindow(FWindow)) SendMessageA(FWindow, WM_SETREDRAW, TRUE, 0);
    }
    TRedrawHeld(const TRedrawHeld&) = delete;
    TRedrawHeld& operator=(const TRedrawHeld&) = delete;

private:
    HWND FWindow;
};

}  // namespace

bool TSkinButton::PassQuietly(TMessage& message) {
    const std::weak_ptr<bool> life = LifeToken();
    HWND window = Handle;
    {
        const TRedrawHeld held(window);
        CallOldWindowProc(message);
    }
    return !life.expired() && IsWindow(window);
}

bool TSkinButton::BeforeMessage(TMessage& message) {
    // Without its picture the button is drawn the plain way, by its own procedure.
    if (!ButtonObject()) return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
    case WM_PAINT:
        PaintFromWmPaint(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != Handle) SetFocus(Handle);
        MouseState |= msPressed;
        if (PassQuietly(message)) PaintMessage(nullptr);
        return false;
    case WM_LBUTTONUP:
        if (!(MouseState & msPressed)) return true;
        MouseState &= ~msPressed;
        if (PassQuietly(message) && IsWindowVisible(Handle)) Repaint();
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinButton::AfterMessage(TMessage& message) {
    if (!ButtonObject()) return TSkinControl::AfterMessage(message);
    switch (message.Msg) {
    case WM_SETTEXT:
        PaintMessage(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (message.WParam != VK_SPACE) return TSkinControl::AfterMessage(message);
        if (message.Msg == WM_KEYDOWN) MouseState |= msPressed;
        else MouseState &= ~msPressed;
        Repaint();
        break;
    case WM_MOUSEMOVE:
        if (WindowEnabled && !(MouseState & msHot)) {
            MouseState |= msHot;
            Repaint();
        }
        if (SkinData) SkinData->TrackMouseLeave(Handle);
        break;
    case WM_MOUSELEAVE:
        MouseState = 0;
        Repaint();
        break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

// ---- painting -------------------------------------------------------------------------------------

// Disabled wins over everything, pressed over hot, hot over focused.
int TSkinButton::Frame() const {
    if (!WindowEnabled) return 3;
    if (MouseState & msPressed) return 2;
    if (MouseState & msHot) return 4;
    return Focused ? 5 : 1;
}

void TSkinButton::ReadText() {
    if (Source()) GetWideStrPropByName(Source(), "Caption", Text);
    else Text = GetWindowTextWide(Handle);
}

TColor TSkinButton::FrameTextColour(int frame, TColor own) const {
    const TDataSkinButton* object = SkinData ? SkinData->Objects.Button.get() : nullptr;
    if (frame == 3) return clBtnShadow;
    if (!object) return own;
    if (frame == 1 && object->HasNormalColour2) return object->NormalColour2;
    if (frame == 4 && object->HasMouseOverColour2) return object->MouseOverColour2;
    if (frame == 2 && object->HasPressedColour2) return object->PressedColour2;
    return own;
}

void TSkinButton::PaintBackground(HDC dc, const TRect& r) {
    if (!Transparent) return FillBackground(dc, r);
    if (Source()) PaintParentBackground(Source(), dc);
    else FillParentColor(dc, r);
}

void TSkinButton::TakeFont(TCanvas* canvas) {
    if (Source()) {
        if (auto* font = dynamic_cast<TFont*>(GetObjectPropByName(Source(), "Font", TFont::StaticClass())))
            canvas->Font()->Assign(font);
        return;
    }
    LOGFONTA font{};
    HFONT own = reinterpret_cast<HFONT>(SendMessageA(Handle, WM_GETFONT, 0, 0));
    if (own && GetObjectA(own, sizeof font, &font)) canvas->Font()->AssignLogFont(font);
    canvas->Font()->SetColor(SkinData ? SkinData->Colours().ButtonText : clBtnText);
}

void TSkinButton::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinButton* object = ButtonObject();
    if (!object) return;
    ReadWindowState();
    ReadText();
    const int frame = Frame();
    TBitmap* buffer = SkinBackBuffer();
    buffer->SetSize(r.Width(), r.Height());
    const TRect area{0, 0, r.Width(), r.Height()};
    TCanvas* canvas = buffer->Canvas();
    PaintBackground(canvas->Handle(), area);
    DrawSkinObject(canvas->Handle(), area, object, frame, 5);
    TakeFont(canvas);
    canvas->Font()->SetColor(FrameTextColour(frame, canvas->Font()->Color()));
    DrawCaption(canvas, area, DT_CENTER);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), canvas->Handle(), 0, 0, SRCCOPY);
}

void TSkinButton::DrawCaption(TCanvas* canvas, const TRect& r, UINT alignment) {
    HDC dc = canvas->Handle();
    const std::wstring text = ReplaceFirst(Text, L"||", L"\r\n");
    RECT box{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
    SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, text, box, alignment | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&box, -box.left, -box.top);
    const int w = box.right, h = box.bottom;
    if (alignment == DT_CENTER) {
        OffsetRect(&box, r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2 - 1);
    } else {
        OffsetRect(&box, 0, r.Top + (r.Height() - h) / 2 - 1);
        box.left = r.Left;
        box.right = r.Right;
    }
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    DrawTextWide(dc, text, box, alignment | DT_EXPANDTABS | DT_WORDBREAK);
    SetBkMode(dc, OPAQUE);
    if (Focused && !(SkinData && (SkinData->Options() & SkinOptionBit(xoNoFocusRect)))) {
        InflateRect(&box, 2, 2);
        DrawFocusRect(dc, &box);
    }
}
