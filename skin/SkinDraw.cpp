#include "SkinDraw.h"

#include <vector>

#include "components/TCanvas.h"

namespace {

TPixelRect ToPixelRect(const TRect& r) { return TPixelRect{r.Left, r.Top, r.Right, r.Bottom}; }

TRect ToRect(const TPixelRect& r) { return TRect{r.Left, r.Top, r.Right, r.Bottom}; }

bool HasPicture(TBitmap* bitmap) { return bitmap && !bitmap->Empty(); }

bool CanDraw(const TRect& r, TBitmap* strip) { return !ToPixelRect(r).Inverted() && HasPicture(strip); }

TPixelRect FrameOf(TBitmap* strip, bool vertical, int frameCount, int frameIndex) {
    return FrameRect(strip->Width(), strip->Height(), vertical, frameCount, frameIndex);
}

// A 24-bit bitmap to assemble a frame in; empty when the size is.
std::unique_ptr<TBitmap> ScratchBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->SetStretchMode(COLORONCOLOR);
    return bitmap;
}

void CopyPieces(HDC target, HDC strip, const std::vector<TFramePiece>& pieces) {
    for (const TFramePiece& piece : pieces) {
        const TPixelRect& s = piece.Source;
        ForEachCopy(piece, [&](const TPixelRect& d) {
            StretchBlt(target, d.Left, d.Top, d.Width(), d.Height(), strip, s.Left, s.Top, s.Width(), s.Height(), SRCCOPY);
        });
    }
}

// The assembled picture onto the target, without its magenta pixels when transparent.
void Present(HDC dc, const TRect& r, TBitmap* picture, bool transparent) {
    if (transparent) TransparentBlit(dc, r, picture, SkinKeyColour);
    else BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), picture->Canvas()->Handle(), 0, 0, SRCCOPY);
}

bool RunsOnWindowsNT() {
    static const bool nt = [] {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }();
    return nt;
}

}  // namespace

std::unique_ptr<TBitmap> MakeSkinFrameBitmap(const TRect& r, TBitmap* strip, const TFrameMargins& margins, bool vertical,
                                             bool tile, int frameCount, int frameIndex) {
    if (ToPixelRect(r).Inverted()) return std::make_unique<TBitmap>();
    auto result = ScratchBitmap(r.Width(), r.Height());
    if (result->Empty() || !HasPicture(strip)) return result;
    const TPixelRect frame = FrameOf(strip, vertical, frameCount, frameIndex);
    CopyPieces(result->Canvas()->Handle(), strip->Canvas()->Handle(),
               NineGridPieces(frame, r.Width(), r.Height(), margins, tile));
    return result;
}

void DrawSkinFrame(HDC dc, const TRect& r, TBitmap* strip, bool vertical, bool tile, bool transparent, int frameCount,
                   int frameIndex, const TFrameMargins& margins) {
    if (!CanDraw(r, strip)) return;
    const auto picture = MakeSkinFrameBitmap(r, strip, margins, vertical, tile, frameCount, frameIndex);
    if (!picture->Empty()) Present(dc, r, picture.get(), transparent);
}

void DrawSkinFrameToCanvas(TCanvas* canvas, const TRect& r, TBitmap* strip, bool vertical, bool transparent, int frameCount,
                           int frameIndex, const TFrameMargins& margins) {
    if (!canvas || !CanDraw(r, strip)) return;
    const auto scratch = ScratchBitmap(r.Width(), r.Height());
    if (scratch->Empty()) return;
    const TPixelRect frame = FrameOf(strip, vertical, frameCount, frameIndex);
    CopyPieces(scratch->Canvas()->Handle(), strip->Canvas()->Handle(),
               RepeatedMiddlePieces(frame, r.Width(), r.Height(), margins.Left, margins.Right));
    if (transparent) {
        scratch->SetTransparent(true);
        scratch->SetTransparentColor(SkinKeyColour);
        canvas->Draw(r.Left, r.Top, scratch.get());
    } else {
        BitBlt(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), scratch->Canvas()->Handle(), 0, 0, SRCCOPY);
    }
}

void DrawSkinFrameStretched(HDC dc, const TRect& r, TBitmap* strip, bool transparent, int frameCount, int frameIndex) {
    if (!CanDraw(r, strip)) return;
    const auto scratch = ScratchBitmap(r.Width(), r.Height());
    if (scratch->Empty()) return;
    const TPixelRect frame = FrameOf(strip, false, frameCount, frameIndex);
    CopyPieces(scratch->Canvas()->Handle(), strip->Canvas()->Handle(),
               {TFramePiece{TPixelRect{0, 0, r.Width(), r.Height()}, frame}});
    Present(dc, r, scratch.get(), transparent);
}

void DrawSkinFrameCentered(HDC dc, const TRect& r, TBitmap* strip, bool transparent, int frameCount, int frameIndex) {
    if (!CanDraw(r, strip)) return;
    const TPixelRect frame = FrameOf(strip, false, frameCount, frameIndex);
    const auto scratch = ScratchBitmap(frame.Width(), frame.Height());
    if (scratch->Empty()) return;
    BitBlt(scratch->Canvas()->Handle(), 0, 0, frame.Width(), frame.Height(), strip->Canvas()->Handle(), frame.Left, frame.Top,
           SRCCOPY);
    Present(dc, ToRect(CenteredRect(ToPixelRect(r), frame.Width(), frame.Height())), scratch.get(), transparent);
}

void DrawSkinFrameSliced(HDC dc, const TRect& r, TBitmap* strip, bool vertical, int frameCount, int frameIndex,
                         const TFrameMargins& margins) {
    if (!CanDraw(r, strip)) return;
    const TPixelRect frame = FrameOf(strip, vertical, frameCount, frameIndex);
    CopyPieces(dc, strip->Canvas()->Handle(), SlicedPieces(frame, ToPixelRect(r), margins.Left, margins.Right));
}

void TransparentBlit(HDC dc, const TRect& r, TBitmap* bitmap, TColor key, TTransparentBlitMethod method) {
    if (ToPixelRect(r).Inverted() || !HasPicture(bitmap)) return;
    const int width = r.Width(), height = r.Height();
    TBitmap mask;
    mask.Assign(bitmap);
    mask.Mask(key);
    HDC source = bitmap->Canvas()->Handle();
    if (method == TTransparentBlitMethod::Automatic)
        method = RunsOnWindowsNT() ? TTransparentBlitMethod::MaskBlt : TTransparentBlitMethod::InvertAndMask;

    if (method == TTransparentBlitMethod::MaskBlt) {
        // Where the mask is white (key pixels) the target stays, elsewhere the source is copied.
        MaskBlt(dc, r.Left, r.Top, width, height, source, 0, 0, mask.Handle(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
        return;
    }
    // source ^ target, cleared where the mask is black, ^ source again: the target where the
    // mask is white, the source elsewhere. The mask's white and black come from these colours.
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, r.Left, r.Top, width, height, source, 0, 0, SRCINVERT);
    BitBlt(dc, r.Left, r.Top, width, height, mask.Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, r.Left, r.Top, width, height, source, 0, 0, SRCINVERT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

TBitmap* SkinBackBuffer() {
    static const std::unique_ptr<TBitmap> buffer = [] {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->Canvas()->SetStretchMode(COLORONCOLOR);
        return bitmap;
    }();
    return buffer.get();
}
