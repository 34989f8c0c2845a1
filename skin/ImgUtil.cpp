#include "ImgUtil.h"

#include <algorithm>
#include <vector>

#include "ColourMath.h"
#include "RegionRuns.h"
#include "components/Graphics.h"
#include "components/TCanvas.h"
#include "components/TControl.h"
#include "components/TWinControl.h"

namespace {

// Adds the block so far to the region being built and empties it.
void FlushRegionBlock(TRegionDataBlock& block, HRGN& region) {
    HRGN piece = ExtCreateRegion(nullptr, static_cast<DWORD>(block.Size()), reinterpret_cast<const RGNDATA*>(block.Data()));
    block.Clear();
    if (!piece) return;
    if (!region) {
        region = piece;
        return;
    }
    CombineRgn(region, region, piece, RGN_OR);
    DeleteObject(piece);
}

// A 32-bit copy whose rows can be read as B, G, R, X.
void ReadAs32Bit(TBitmap* bitmap, TBitmap& copy) {
    copy.Assign(bitmap);
    copy.SetPixelFormat(pf32bit);
}

void Make24Bit(TBitmap* bitmap) {
    if (bitmap->PixelFormat() != pf24bit) bitmap->SetPixelFormat(pf24bit);
}

// Each 24-bit pixel of the picture through the change.
template <typename Change>
void ChangePixels(TBitmap* bitmap, Change&& change) {
    if (!bitmap || bitmap->Empty()) return;
    Make24Bit(bitmap);
    for (int y = 0; y < bitmap->Height(); ++y) {
        uint8_t* pixel = bitmap->ScanLine(y);
        for (int x = 0; x < bitmap->Width(); ++x, pixel += 3) change(pixel);
    }
}

// Reads every pixel once, then gives the picture the new size and writes each source pixel
// (x, y) where `place` puts it.
template <typename Place>
void Rotate(TBitmap* bitmap, Place&& place) {
    if (!bitmap || bitmap->Empty()) return;
    TBitmap source;
    ReadAs32Bit(bitmap, source);
    const int w = source.Width(), h = source.Height();
    Make24Bit(bitmap);
    bitmap->SetSize(h, w);
    std::vector<uint8_t*> rows(static_cast<size_t>(w));
    for (int y = 0; y < w; ++y) rows[static_cast<size_t>(y)] = bitmap->ScanLine(y);
    for (int y = 0; y < h; ++y) {
        const uint8_t* from = source.ScanLine(y);
        for (int x = 0; x < w; ++x, from += 4) {
            const POINT to = place(x, y, w, h);
            std::copy(from, from + 3, rows[static_cast<size_t>(to.y)] + 3 * to.x);
        }
    }
}

}  // namespace

HRGN BitmapToRegion(TBitmap* bitmap, int xOffset, int yOffset, int blueTolerance, int greenTolerance, int redTolerance,
                    TColor key) {
    HRGN region = nullptr;
    TRegionDataBlock block;
    if (bitmap && !bitmap->Empty()) {
        const TKeyColourRange keyRange(ColorToRGB(key), blueTolerance, greenTolerance, redTolerance);
        TBitmap pixels;
        ReadAs32Bit(bitmap, pixels);
        std::vector<std::pair<int, int>> runs;
        for (int y = 0; y < pixels.Height(); ++y) {
            OpaqueRuns(pixels.ScanLine(y), pixels.Width(), keyRange, runs);
            for (const auto& run : runs) {
                block.Add(run.first + xOffset, y + yOffset, run.second + xOffset, y + yOffset + 1);
                if (block.Full()) FlushRegionBlock(block, region);
            }
        }
    }
    FlushRegionBlock(block, region);
    return region ? region : CreateRectRgn(0, 0, 0, 0);
}

void PaintParentBackground(TControl* control, HDC dc) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent) return;
    TRect r = control->ClientRect();
    r = TRect{r.Left + control->Left(), r.Top + control->Top(), r.Right + control->Left(), r.Bottom + control->Top()};
    const int saved = SaveDC(dc);
    // From here on the context speaks the parent's coordinates, cut to the control's place.
    OffsetViewportOrgEx(dc, -control->Left(), -control->Top(), nullptr);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    const bool designing = control->InState(csDesigning);
    const auto paint = [&](UINT message) {
        if (!designing) {
            parent->Perform(message, reinterpret_cast<WPARAM>(dc), 0);
            return;
        }
        try {
            parent->Perform(message, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            // A parent that cannot paint while being designed leaves the background as it is.
        }
    };
    try {
        paint(WM_ERASEBKGND);
        paint(WM_PAINT);
    } catch (...) {
        RestoreDC(dc, saved);
        throw;
    }
    RestoreDC(dc, saved);
}

void GrayBitmap(TBitmap* bitmap) {
    ChangePixels(bitmap, [](uint8_t* p) { p[0] = p[1] = p[2] = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3); });
}

void RecolorMaskedBitmap(TBitmap* bitmap, TColor colour) {
    const COLORREF rgb = ColorToRGB(colour);
    ChangePixels(bitmap, [rgb](uint8_t* p) {
        if (p[2] != 255 || p[1] != 0 || p[0] != 255) return;
        p[0] = GetBValue(rgb);
        p[1] = GetGValue(rgb);
        p[2] = GetRValue(rgb);
    });
}

void MirrorBitmap(TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Make24Bit(bitmap);
    const int w = bitmap->Width();
    for (int y = 0; y < bitmap->Height(); ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int x = 0; x < w / 2; ++x) std::swap_ranges(row + 3 * x, row + 3 * x + 3, row + 3 * (w - 1 - x));
    }
}

void MirrorFrames(TBitmap* bitmap, int frameCount) {
    if (!bitmap || bitmap->Empty() || frameCount < 1) return;
    Make24Bit(bitmap);
    const int frameWidth = bitmap->Width() / frameCount;
    for (int y = 0; y < bitmap->Height(); ++y) {
        uint8_t* row = bitmap->ScanLine(y);
        for (int frame = 0; frame < frameCount; ++frame) {
            uint8_t* first = row + 3 * frame * frameWidth;
            for (int x = 0; x < frameWidth / 2; ++x)
                std::swap_ranges(first + 3 * x, first + 3 * x + 3, first + 3 * (frameWidth - 1 - x));
        }
    }
}

void FlipBitmap(TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty()) return;
    Make24Bit(bitmap);
    const int h = bitmap->Height();
    const size_t rowBytes = 3 * static_cast<size_t>(bitmap->Width());
    for (int y = 0; y < h / 2; ++y) {
        uint8_t* top = bitmap->ScanLine(y);
        std::swap_ranges(top, top + rowBytes, bitmap->ScanLine(h - 1 - y));
    }
}

void RotateBitmapLeft(TBitmap* bitmap) {
    Rotate(bitmap, [](int x, int y, int w, int) { return POINT{y, w - 1 - x}; });
}

void RotateBitmapRight(TBitmap* bitmap) {
    Rotate(bitmap, [](int x, int y, int, int h) { return POINT{h - 1 - y, x}; });
}

void CopyBitmap(TBitmap* source, TBitmap* target) {
    if (!source || !target) return;
    target->SetPixelFormat(source->PixelFormat());
    target->SetSize(source->Width(), source->Height());
    target->Canvas()->Draw(0, 0, source);
}

TColor Blend(TColor colour1, TColor colour2, int weight) {
    return MixColours(static_cast<TColor>(ColorToRGB(colour1)), static_cast<TColor>(ColorToRGB(colour2)), weight);
}

void GradientFillRect(HDC dc, const TRect& r, TColor colour1, bool vertical, TColor colour2) {
    const RECT area = r.ToRECT();
    if (!RectVisible(dc, &area)) return;
    const TColor from = static_cast<TColor>(ColorToRGB(colour1));
    const TColor to = static_cast<TColor>(ColorToRGB(colour2));
    RECT clip{};
    GetClipBox(dc, &clip);
    const int length = vertical ? r.Height() : r.Width();
    if (length <= 0) return;
    const int start = vertical ? r.Top : r.Left;
    const int clipStart = static_cast<int>(vertical ? clip.top : clip.left);
    const int clipEnd = static_cast<int>(vertical ? clip.bottom : clip.right);
    const int first = std::max(0, clipStart - start);
    const int last = std::min(length, clipEnd - start) - 1;
    const std::vector<TColor>& ramp = GradientRamps().Colours(GradientRamp(length, from, to));
    for (int i = first; i <= last; ++i) {
        const RECT line = vertical ? RECT{r.Left, r.Top + i, r.Right, r.Top + i + 1} : RECT{r.Left + i, r.Top, r.Left + i + 1, r.Bottom};
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ramp[static_cast<size_t>(i)]));
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
}

int SaturationLevel(TColor colour) { return PlainSaturationLevel(static_cast<TColor>(ColorToRGB(colour))); }

void SkinLog(const std::string&) {}
