#include "SkinTestBitmaps.h"

#include "components/TCanvas.h"

TColor ZoneColour(int frame, int column, int row) { return RGB(40 * frame, 30 + 90 * column, 30 + 90 * row); }

std::unique_ptr<TBitmap> FlatBitmap(int width, int height, TColor colour) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    Fill(*bitmap, TRect{0, 0, width, height}, colour);
    return bitmap;
}

static int ZoneIndex(int at, int size, int before, int after) {
    if (at < before) return 0;
    if (at >= size - after) return 2;
    return 1;
}

TColor ExpectedZone(int frame, int x, int y, int frameWidth, int frameHeight, const TFrameMargins& zones) {
    return ZoneColour(frame, ZoneIndex(x, frameWidth, zones.Left, zones.Right), ZoneIndex(y, frameHeight, zones.Top, zones.Bottom));
}

std::unique_ptr<TBitmap> ZonedStrip(int frames, int frameWidth, int frameHeight, bool vertical, const TFrameMargins& zones) {
    auto strip = FlatBitmap(vertical ? frameWidth : frameWidth * frames, vertical ? frameHeight * frames : frameHeight, clWhite);
    for (int f = 1; f <= frames; ++f) {
        const int ox = vertical ? 0 : (f - 1) * frameWidth;
        const int oy = vertical ? (f - 1) * frameHeight : 0;
        const int xs[4] = {0, zones.Left, frameWidth - zones.Right, frameWidth};
        const int ys[4] = {0, zones.Top, frameHeight - zones.Bottom, frameHeight};
        for (int column = 0; column < 3; ++column)
            for (int row = 0; row < 3; ++row)
                Fill(*strip, TRect{ox + xs[column], oy + ys[row], ox + xs[column + 1], oy + ys[row + 1]}, ZoneColour(f, column, row));
    }
    return strip;
}

TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas()->Pixel(x, y); }

void Fill(TBitmap& bitmap, const TRect& r, TColor colour) {
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->FillRect(r);
}
