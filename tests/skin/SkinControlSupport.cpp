#include "SkinControlSupport.h"

#include "components/Graphics.h"

TCanvas* SharedCanvas(TControl& form) {
    TWinSkinForm* skin = SkinOf(form.Handle());
    return skin ? skin->Canvas.get() : nullptr;
}

std::unique_ptr<TBitmap> BlankBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(Untouched.R, Untouched.G, Untouched.B)));
    bitmap->Canvas()->FillRect(TRect{0, 0, width, height});
    return bitmap;
}

std::unique_ptr<TBitmap> PaintWindow(HWND window) {
    const SIZE size = WindowSize(window);
    auto bitmap = BlankBitmap(size.cx, size.cy);
    SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(bitmap->Canvas()->Handle()), 0);
    return bitmap;
}

int CountColour(TBitmap& bitmap, const TRect& r, TRgb colour) {
    int count = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (RgbAt(bitmap, x, y) == colour) ++count;
    return count;
}

TRgb ToRgb(TColor colour) {
    const COLORREF rgb = ColorToRGB(colour);
    return TRgb{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}
