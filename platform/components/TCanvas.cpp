#include "components/TCanvas.h"

#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TBitmap.h"
#include "components/TClassInfo.h"

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas").Build();
    return info;
}

TCanvas::TCanvas() {
    auto reselect = [this](TObject*) {
        if (FHandle) SelectObjects();
    };
    FFont.OnChange = reselect;
    FBrush.OnChange = reselect;
    FPen.OnChange = reselect;
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation("Canvas does not allow drawing");
    return FHandle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    if (FHandle) DeselectObjects();
    FHandle = dc;
    if (FHandle) SelectObjects();
}

void TCanvas::SetStretchMode(int mode) {
    FStretchMode = mode;
    if (FHandle && mode) SetStretchBltMode(FHandle, mode);
}

void TCanvas::SelectObjects() {
    if (FStretchMode) SetStretchBltMode(FHandle, FStretchMode);
    HGDIOBJ font = SelectObject(FHandle, FFont.Handle());
    HGDIOBJ brush = SelectObject(FHandle, FBrush.Handle());
    HGDIOBJ pen = SelectObject(FHandle, FPen.Handle());
    // Only the objects that were in the context before the first selection are given back.
    if (!FOldFont) FOldFont = font;
    if (!FOldBrush) FOldBrush = brush;
    if (!FOldPen) FOldPen = pen;
}

void TCanvas::DeselectObjects() {
    if (FOldFont) SelectObject(FHandle, FOldFont);
    if (FOldBrush) SelectObject(FHandle, FOldBrush);
    if (FOldPen) SelectObject(FHandle, FOldPen);
    FOldFont = FOldBrush = FOldPen = nullptr;
}

void TCanvas::PrepareText() {
    HDC dc = Handle();
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    if (FBrush.Style() == bsClear) {
        SetBkMode(dc, TRANSPARENT);
    } else {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ColorToRGB(FBrush.Color()));
    }
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Handle(), x, y, nullptr);
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    ::LineTo(Handle(), x, y);
    FPenPos = {x, y};
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) { ::Rectangle(Handle(), x1, y1, x2, y2); }

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) { ::RoundRect(Handle(), x1, y1, x2, y2, w, h); }

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) { ::Ellipse(Handle(), x1, y1, x2, y2); }

void TCanvas::FillRect(const TRect& r) {
    const RECT rc = r.ToRECT();
    if (FBrush.Style() != bsClear) ::FillRect(Handle(), &rc, FBrush.Handle());
}

void TCanvas::FrameRect(const TRect& r) {
    const RECT rc = r.ToRECT();
    ::FrameRect(Handle(), &rc, FBrush.Handle());
}

void TCanvas::DrawFocusRect(const TRect& r) {
    const RECT rc = r.ToRECT();
    ::DrawFocusRect(Handle(), &rc);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    PrepareText();
    ::TextOutA(Handle(), x, y, text.data(), static_cast<int>(text.size()));
    FPenPos = {x + TextWidth(text), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    PrepareText();
    const RECT rc = r.ToRECT();
    const UINT options = ETO_CLIPPED | (FBrush.Style() != bsClear ? ETO_OPAQUE : 0);
    ::ExtTextOutA(Handle(), x, y, options, &rc, text.data(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::string& text) {
    SIZE size{0, 0};
    GetTextExtentPoint32A(Handle(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(const std::string& text, TRect& r, UINT format) {
    PrepareText();
    RECT rc = r.ToRECT();
    const int height = ::DrawTextA(Handle(), text.c_str(), static_cast<int>(text.size()), &rc, format);
    r = TRect::From(rc);
    return height;
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    StretchDraw(Bounds(x, y, bitmap->Width(), bitmap->Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    bitmap->DrawOn(Handle(), r);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& src) {
    SetStretchBltMode(Handle(), COLORONCOLOR);
    StretchBlt(Handle(), dest.Left, dest.Top, dest.Width(), dest.Height(), source->Handle(), src.Left, src.Top, src.Width(),
               src.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) { return static_cast<TColor>(GetPixel(Handle(), x, y)); }

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixel(Handle(), x, y, ColorToRGB(color)); }
