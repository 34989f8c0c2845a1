#include "SkinControlDraw.h"

#include <algorithm>
#include <memory>

#include "DataSkinObject.h"
#include "SkinControl.h"
#include "SkinDraw.h"
#include "SkinText.h"
#include "components/Graphics.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TImageList.h"

namespace {

bool Inverted(const TRect& r) { return r.Right < r.Left || r.Bottom < r.Top; }

RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// Frame n of the strip stretched to the rectangle's size, magenta marked transparent; nullptr
// when there is nothing to draw.
std::unique_ptr<TBitmap> GlyphFrameBitmap(const TRect& r, TBitmap* strip, int frameIndex, int frameCount) {
    if (Inverted(r) || !strip || strip->Empty() || r.Width() == 0 || r.Height() == 0) return nullptr;
    frameCount = std::max(frameCount, 1);
    frameIndex = std::clamp(frameIndex, 1, frameCount);
    const int frameWidth = strip->Width() / frameCount;
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(r.Width(), r.Height());
    HDC target = bitmap->Canvas()->Handle();
    SetStretchBltMode(target, COLORONCOLOR);
    StretchBlt(target, 0, 0, r.Width(), r.Height(), strip->Canvas()->Handle(), frameWidth * (frameIndex - 1), 0, frameWidth,
               strip->Height(), SRCCOPY);
    bitmap->SetTransparentColor(SkinKeyColour);
    bitmap->SetTransparent(true);
    return bitmap;
}

}  // namespace

void DrawSkinText(TSkinControl*, TCanvas* canvas, const TRect& r, const std::wstring& text, bool enabled, int alignment) {
    HDC dc = canvas->Handle();
    SetBkMode(dc, TRANSPARENT);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle(0);
    if (!enabled) canvas->Font()->SetColor(clBtnShadow);
    dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    RECT box = ToRECT(r);
    DrawTextWide(dc, text, box, static_cast<UINT>(alignment) | DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP);
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    if (alignment == DT_CENTER) {
        OffsetRect(&box, (r.Width() - w) / 2, (r.Height() - h) / 2 - 1);
    } else {
        OffsetRect(&box, 0, (r.Height() - h) / 2 - 1);
        box.left = r.Left;
        box.right = r.Right;
    }
    DrawTextWide(dc, text, box, static_cast<UINT>(alignment) | DT_EXPANDTABS);
}

void DrawTextWithImage(TSkinControl* skin, TCanvas* canvas, const TRect& r, TImageList* images, int imageIndex,
                       const std::wstring& text, int alignment) {
    DrawTextWithSystemImage(skin, canvas, r, images ? images->Handle() : nullptr, imageIndex, text, alignment);
}

void DrawTextWithSystemImage(TSkinControl* skin, TCanvas* canvas, const TRect& r, HIMAGELIST list, int imageIndex,
                             const std::wstring& text, int alignment) {
    const int width = r.Width();
    const int height = r.Height();
    int cx = 0, cy = 0;
    if (list) ImageList_GetIconSize(list, &cx, &cy);
    const bool useImage = imageIndex != -1 && list && cx < width;
    if (!useImage) cx = cy = 0;
    RECT imageBox{0, 0, cx, cy};

    constexpr UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_END_ELLIPSIS;
    HDC dc = canvas->Handle();
    RECT textBox = ToRECT(r);
    if (text.empty()) textBox.right = textBox.left;
    else DrawTextWide(dc, text, textBox, format | DT_CALCRECT | DT_NOCLIP);
    const int textWidth = textBox.right - textBox.left;
    const int textHeight = textBox.bottom - textBox.top;
    OffsetRect(&imageBox, r.Left, r.Top);

    int dx = 3;
    if (alignment == 1) dx = (width - cx - textWidth) / 2;
    else if (alignment == 2) dx = width - cx - textWidth - 2;
    if (dx < 2) dx = 1;
    OffsetRect(&imageBox, dx, (height - cy) / 2);
    OffsetRect(&textBox, r.Left - textBox.left + dx + cx, r.Top - textBox.top + (height - textHeight) / 2);

    if (useImage) ImageList_Draw(list, imageIndex, dc, imageBox.left, imageBox.top, ILD_TRANSPARENT);
    if (text.empty()) return;
    SetBkMode(dc, TRANSPARENT);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle(0);
    if (skin && !skin->WindowEnabled) canvas->Font()->SetColor(clBtnShadow);
    dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    textBox.left = std::max(textBox.left, static_cast<LONG>(r.Left));
    textBox.right = std::min(textBox.right, static_cast<LONG>(r.Right));
    DrawTextWide(dc, text, textBox, format);
}

void DrawSkinObject(HDC dc, const TRect& r, TDataSkinObject* object, int frameIndex, int frameCount) {
    if (Inverted(r) || !object || !object->HasImage()) return;
    frameCount = std::max(frameCount, 1);
    const auto picture = MakeSkinFrameBitmap(r, &object->Image, object->Margins(), false, object->Tile != 0, frameCount,
                                             std::clamp(frameIndex, 1, frameCount));
    if (picture->Empty()) return;
    if (object->Trans == 1) TransparentBlit(dc, r, picture.get(), SkinKeyColour);
    else BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void DrawGlyphFrame(HDC dc, const TRect& r, TBitmap* strip, int frameIndex, int frameCount) {
    const auto bitmap = GlyphFrameBitmap(r, strip, frameIndex, frameCount);
    if (!bitmap) return;
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Draw(r.Left, r.Top, bitmap.get());
    canvas.SetHandle(nullptr);
}

void DrawGlyphFrameTransparent(TCanvas* canvas, const TRect& r, TBitmap* strip, int frameIndex, int frameCount) {
    const auto bitmap = GlyphFrameBitmap(r, strip, frameIndex, frameCount);
    if (bitmap && canvas) canvas->Draw(r.Left, r.Top, bitmap.get());
}

void DrawGlyphFrameMasked(HDC dc, const TRect& r, TBitmap* strip, int frameIndex, int frameCount) {
    const auto bitmap = GlyphFrameBitmap(r, strip, frameIndex, frameCount);
    if (bitmap) TransparentBlit(dc, r, bitmap.get(), SkinKeyColour);
}

void BlitBackBuffer(HDC dc, const TRect& r) {
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), SkinBackBuffer()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement) {
    const std::size_t at = pattern.empty() ? std::wstring::npos : text.find(pattern);
    if (at == std::wstring::npos) return text;
    return text.substr(0, at) + replacement + text.substr(at + pattern.size());
}
