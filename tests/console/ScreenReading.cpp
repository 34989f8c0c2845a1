#include "ScreenReading.h"

#include <cstdio>
#include <fstream>
#include <map>

TScreenRgb TScreenShot::At(int screenX, int screenY) const {
    const int x = screenX - Screen.left, y = screenY - Screen.top;
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return TScreenRgb{};
    return Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(Width()) + static_cast<std::size_t>(x)];
}

bool TScreenShot::operator==(const TScreenShot& o) const {
    return EqualRect(&Screen, &o.Screen) && Pixels == o.Pixels;
}

bool TScreenShot::SaveBitmap(const std::string& path) const {
    const int stride = (Width() * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = Width();
    info.biHeight = Height();
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * Height());
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<char> rows(info.biSizeImage, 0);
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) {
            const TScreenRgb& p = Pixels[static_cast<std::size_t>(y * Width() + x)];
            char* out = &rows[static_cast<std::size_t>((Height() - 1 - y) * stride + x * 3)];
            out[0] = static_cast<char>(p.B);
            out[1] = static_cast<char>(p.G);
            out[2] = static_cast<char>(p.R);
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
    return static_cast<bool>(out);
}

TScreenShot TakeScreenShot(const RECT& screen) {
    TScreenShot shot;
    shot.Screen = screen;
    const int w = shot.Width(), h = shot.Height();
    if (w <= 0 || h <= 0) return shot;
    HDC screenDc = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screenDc, screen.left, screen.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const unsigned char*>(bits);
    shot.Pixels.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int i = 0; i < w * h; ++i) shot.Pixels.push_back(TScreenRgb{pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]});
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screenDc);
    return shot;
}

TScreenShot TakeSteadyShot(HWND window, int timeoutMs) {
    RECT r{};
    GetWindowRect(window, &r);
    TScreenShot last = TakeScreenShot(r);
    for (const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs); static_cast<int>(end - GetTickCount()) > 0;) {
        Sleep(250);
        GetWindowRect(window, &r);
        TScreenShot now = TakeScreenShot(r);
        if (now == last) return now;
        last = std::move(now);
    }
    return last;
}

TCaptionReading ReadCaption(const TScreenShot& shot, const RECT& area) {
    TCaptionReading reading;
    std::map<int, int> counts;
    const auto key = [](const TScreenRgb& p) { return p.R << 16 | p.G << 8 | p.B; };
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) ++counts[key(shot.At(x, y))];
    if (counts.empty()) return reading;
    int mostFrequent = counts.begin()->first, highest = 0;
    for (const auto& [colour, count] : counts)
        if (count > highest) {
            mostFrequent = colour;
            highest = count;
        }
    reading.Background = TScreenRgb{mostFrequent >> 16, mostFrequent >> 8 & 0xFF, mostFrequent & 0xFF};
    reading.Text = reading.Background;
    // Pixels that stand out clearly: the strokes of the text and their smoothed edges.
    constexpr double StandsOut = 2.0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const TScreenRgb p = shot.At(x, y);
            const double contrast = ContrastRatio(p, reading.Background);
            if (contrast > reading.Contrast) {
                reading.Contrast = contrast;
                reading.Text = p;
            }
            if (contrast >= StandsOut) {
                if (reading.TextLeft < 0 || x < reading.TextLeft) reading.TextLeft = x;
                if (x > reading.TextRight) reading.TextRight = x;
            }
        }
    return reading;
}

std::string Describe(const TCaptionReading& reading) {
    char text[160];
    std::snprintf(text, sizeof text, "%.2f : 1, text (%d, %d, %d) on (%d, %d, %d)", reading.Contrast, reading.Text.R,
                  reading.Text.G, reading.Text.B, reading.Background.R, reading.Background.G, reading.Background.B);
    return text;
}

RECT ScreenRectOf(HWND window, int inset) {
    RECT r{};
    GetWindowRect(window, &r);
    InflateRect(&r, -inset, -inset);
    return r;
}

int TitleTextWidth(HWND window) {
    wchar_t text[256] = {0};
    GetWindowTextW(window, text, 256);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return 0;
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}
