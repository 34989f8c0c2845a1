#include "SkinMarkButton.h"

#include <algorithm>

#include "SkinButton.h"
#include "SkinControlDraw.h"
#include "SkinPropByName.h"
#include "SkinText.h"
#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/TBitmap.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TFont.h"

namespace {
// A component notice that the control's value changed elsewhere: the mark is drawn again.
constexpr UINT CM_MARKCHANGED = 0xB0D0;
}  // namespace

const TClassInfo& TSkinMarkButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinMarkButton>("TSkinMarkButton").Build();
    return info;
}

void TSkinMarkButton::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    Kind = Control ? 1 : 0;
    if (Kind == 1)
        Transparent = Control->Tag() == TransparentButtonTag ||
                      (SkinData && (SkinData->Options() & SkinOptionBit(xoTransparent)));
}

bool TSkinMarkButton::BeforeMessage(TMessage& message) {
    const bool passOn = TSkinControl::BeforeMessage(message);
    if (!passOn) return false;
    if ((message.Msg == WM_PAINT || message.Msg == WM_PRINT) && Kind == 1 && HasMarks()) {
        PaintFromWmPaint(message);
        return false;
    }
    if (message.Msg == WM_ERASEBKGND && Transparent) {
        EraseToParent(message);
        return false;
    }
    return true;
}

void TSkinMarkButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CM_MARKCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

// Without its marks the control is drawn the plain way, caption and all, by its own procedure;
// it is painted whole again once a skin with marks is applied.
bool TSkinMarkButton::HasMarks() const {
    int frameCount = 1;
    const TBitmap* strip = MarkStrip(frameCount);
    return strip && !strip->Empty();
}

void TSkinMarkButton::PaintSkin(HDC dc, const TRect& r) {
    int frameCount = 1;
    TBitmap* strip = MarkStrip(frameCount);
    if (!strip || strip->Empty()) return;
    frameCount = std::max(frameCount, 1);
    ReadWindowState();
    const int markWidth = strip->Width() / frameCount;
    const int markHeight = strip->Height();
    const int frame = MarkFrame(frameCount);

    const LONG_PTR style = GetWindowLong(Handle, GWL_STYLE);
    const int markTop = r.Top + (r.Height() - markHeight) / 2;
    TRect mark, textArea = r;
    UINT alignment = DT_LEFT;
    if (style & BS_LEFTTEXT) {
        const int right = r.Right - RightInset();
        mark = TRect{right - markWidth, markTop, right, markTop + markHeight};
        textArea.Right = mark.Left - 2;
        if (Control && Control->BiDiMode() != bdLeftToRight) alignment = DT_RIGHT;
    } else {
        mark = TRect{r.Left, markTop, r.Left + markWidth, markTop + markHeight};
        textArea.Left = mark.Right + 2;
    }
    if (Kind == 1 && !Transparent) FillBackground(dc, r);
    DrawGlyphFrameMasked(dc, mark, strip, frame, frameCount);
    if (Kind == 1) PaintCaption(dc, textArea, alignment);
}

void TSkinMarkButton::PaintCaption(HDC dc, const TRect& textArea, UINT alignment) {
    Text = GetWindowTextWide(Handle);
    GetWideStrPropByName(Control, "Caption", Text);
    const int saved = SaveDC(dc);
    TFont* font = Control->Font();
    SelectObject(dc, font->Handle());
    SetTextColor(dc, ColorToRGB(WindowEnabled ? font->Color() : clBtnShadow));
    SetBkColor(dc, ColorToRGB(SkinData ? SkinData->Colours().ButtonFace : clBtnFace));
    SetBkMode(dc, TRANSPARENT);
    const UINT format = alignment | DT_WORDBREAK | DT_EXPANDTABS;
    RECT box{textArea.Left, textArea.Top, textArea.Right, textArea.Bottom};
    DrawTextWide(dc, Text, box, format | DT_CALCRECT | DT_NOCLIP);
    const int h = box.bottom - box.top;
    box.left = textArea.Left;
    box.right = textArea.Right;
    box.top = textArea.Top + (textArea.Height() - h) / 2;
    box.bottom = box.top + h;
    if (Focused && !Text.empty()) DrawCaptionFocus(dc, TRect{box.left, box.top, box.right, box.bottom}, format);
    DrawTextWide(dc, Text, box, format);
    RestoreDC(dc, saved);
}
