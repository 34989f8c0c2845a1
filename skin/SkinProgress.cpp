#include "SkinProgress.h"

#include "SkinControlFactory.h"
#include <algorithm>

#include "DataSkinObject.h"
#include "ImgUtil.h"
#include "SkinDraw.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinProgress::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress").Build();
    return info;
}

TDataSkinBorder* TSkinProgress::BarImage() const {
    TDataSkinBorder* bar = SkinData ? SkinData->Objects.Progress.get() : nullptr;
    return bar && bar->HasImage() ? bar : nullptr;
}

bool TSkinProgress::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        if (!BarImage()) return TSkinControl::BeforeMessage(message);
        PaintFromWmPaint(message);
        message.Result = 0;
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

int TSkinProgress::FilledLength(int length, int position, int maximum) {
    if (position <= 0 || maximum <= 0 || length <= 0) return 0;
    return std::min(MulDiv(length, position, maximum), length);
}

// Style 0: the empty bar (frame 1) and over it the filled part (frame 2), both nine-grid.
void TSkinProgress::DrawFramed(TBitmap& work, TDataSkinBorder* bar, int filled) {
    HDC dc = work.Canvas()->Handle();
    const int h = work.Height();
    DrawSkinFrame(dc, TRect{0, 0, work.Width(), h}, &bar->Image, false, bar->Tile != 0, true, 2, 1, bar->Margins());
    if (filled > 0) DrawSkinFrame(dc, TRect{0, 0, filled, h}, &bar->Image, false, bar->Tile != 0, true, 2, 2, bar->Margins());
}

// Style 1: the bar, and the chunk image repeated (or stretched between its margins) over the
// filled part.
void TSkinProgress::DrawChunks(TBitmap& work, TDataSkinBorder* bar, int filled) {
    HDC dc = work.Canvas()->Handle();
    const int w = work.Width();
    const int h = work.Height();
    DrawSkinFrame(dc, TRect{0, 0, w, h}, &bar->Image, false, bar->Tile != 0, true, 1, 1, bar->Margins());
    TDataSkinObject* chunk = SkinData->Objects.ProgressChunk.get();
    if (!chunk || !chunk->HasImage() || filled <= 0) return;
    const int chunkWidth = chunk->Image.Width();
    const int chunkHeight = chunk->Image.Height();

    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    if (chunk->Tile == 1) {
        strip.SetSize(filled, chunkHeight);
        for (int i = 0; i <= filled / chunkWidth; ++i)
            BitBlt(strip.Canvas()->Handle(), i * chunkWidth, 0, chunkWidth, chunkHeight, chunk->Image.Canvas()->Handle(), 0,
                   0, SRCCOPY);
        const int x = chunk->LeftWidth + 2;
        const int y = (h - chunkHeight) / 2;
        TransparentBlit(dc, TRect{x, y, x + filled, y + chunkHeight}, &strip, SkinKeyColour);
    } else {
        if (h - 4 <= 0) return;
        strip.SetSize(filled, h - 4);
        DrawSkinFrameSliced(strip.Canvas()->Handle(), TRect{0, 0, filled, h - 4}, &chunk->Image, false, 1, 1,
                            chunk->Margins());
        TransparentBlit(dc, TRect{2, 2, 2 + filled, h - 2}, &strip, SkinKeyColour);
    }
}

void TSkinProgress::PaintSkin(HDC dc, const TRect& r) {
    TDataSkinBorder* bar = BarImage();
    if (!bar) return;
    // A vertical bar is drawn lying down and turned, so that it fills from the bottom.
    const bool vertical = (GetWindowLong(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const int length = vertical ? r.Height() : r.Width();
    const int thickness = vertical ? r.Width() : r.Height();
    if (length <= 0 || thickness <= 0) return;
    const int position = static_cast<int>(SendMessageA(Handle, PBM_GETPOS, 0, 0));
    const int maximum = static_cast<int>(SendMessageA(Handle, PBM_GETRANGE, FALSE, 0));
    const int filled = FilledLength(length, position, maximum);

    TBitmap work;
    work.SetPixelFormat(pf24bit);
    work.SetSize(length, thickness);
    work.Canvas()->Brush()->SetColor(SkinData->Colours().ButtonFace);
    work.Canvas()->FillRect(TRect{0, 0, length, thickness});
    if (bar->Style == 0) DrawFramed(work, bar, filled);
    else DrawChunks(work, bar, filled);
    if (vertical) RotateBitmapLeft(&work);
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

TSkinControl* NewSkinProgress(TComponent* owner) { return new TSkinProgress(owner); }
