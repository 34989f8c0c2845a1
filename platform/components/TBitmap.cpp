#include "components/TBitmap.h"

#include <cstring>
#include <vector>

#include "components/BitmapFile.h"
#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TMemoryStream.h"

// The canvas of a bitmap: a memory context that holds the bitmap while someone draws.
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : FOwner(owner) {}
    ~TBitmapCanvas() override { Release(); }

    void Release() {
        if (!HandleAllocated()) return;
        HDC dc = Handle();
        SetHandle(nullptr);
        SelectObject(dc, FOldBitmap);
        DeleteDC(dc);
    }

protected:
    void CreateHandle() override {
        HDC dc = CreateCompatibleDC(nullptr);
        FOldBitmap = SelectObject(dc, FOwner.Handle());
        SetHandle(dc);
    }

private:
    TBitmap& FOwner;
    HGDIOBJ FOldBitmap = nullptr;
};

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap").Build();
    return info;
}

TBitmap::TBitmap() : FCanvas(std::make_unique<TBitmapCanvas>(*this)) {}

TBitmap::~TBitmap() {
    FCanvas.reset();
    FreeHandle();
}

static int BitsOf(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf32bit: return 32;
    default: return 24;
    }
}

void TBitmap::MakeHandle(int width, int height, TPixelFormat format, HBITMAP copyFrom) {
    HBITMAP made = nullptr;
    HDC screen = GetDC(nullptr);
    if (width > 0 && height > 0) {
        if (format == pfDevice) {
            made = CreateCompatibleBitmap(screen, width, height);
        } else {
            struct {
                BITMAPINFOHEADER header;
                RGBQUAD colors[2];
            } info{};
            info.header.biSize = sizeof(BITMAPINFOHEADER);
            info.header.biWidth = width;
            info.header.biHeight = height;
            info.header.biPlanes = 1;
            info.header.biBitCount = static_cast<WORD>(BitsOf(format));
            info.header.biCompression = BI_RGB;
            info.colors[1] = RGBQUAD{255, 255, 255, 0};
            void* bits = nullptr;
            made = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
        }
        if (!made) {
            ReleaseDC(nullptr, screen);
            throw EOSError("Cannot create a bitmap of " + IntToStr(width) + " x " + IntToStr(height));
        }
        // A new bitmap starts white, the old picture on top where there was one.
        HDC dc = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(dc, made);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        if (copyFrom) {
            HDC src = CreateCompatibleDC(screen);
            HGDIOBJ oldSrc = SelectObject(src, copyFrom);
            BitBlt(dc, 0, 0, width, height, src, 0, 0, SRCCOPY);
            SelectObject(src, oldSrc);
            DeleteDC(src);
        }
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    ReleaseDC(nullptr, screen);
    FCanvas->Release();
    FreeHandle();
    FHandle = made;
    FWidth = made ? width : 0;
    FHeight = made ? height : 0;
    FPixelFormat = format;
}

void TBitmap::FreeHandle() {
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
}

void TBitmap::Changed() {
    if (OnChange) OnChange(this);
}

void TBitmap::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    FCanvas->Release();
    MakeHandle(width, height, FPixelFormat, FHandle);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FPixelFormat) return;
    FCanvas->Release();
    MakeHandle(FWidth, FHeight, format, FHandle);
    Changed();
}

HBITMAP TBitmap::Handle() {
    if (!FHandle && !Empty()) MakeHandle(FWidth, FHeight, FPixelFormat, nullptr);
    return FHandle;
}

// The pixel format of a bitmap made elsewhere: its own depth for a device-independent one.
static TPixelFormat FormatOf(HBITMAP bitmap) {
    DIBSECTION dib{};
    if (GetObjectA(bitmap, sizeof dib, &dib) != sizeof dib) {
        BITMAP ddb{};
        GetObjectA(bitmap, sizeof ddb, &ddb);
        return ddb.bmBitsPixel == 1 ? pf1bit : pfDevice;
    }
    switch (dib.dsBmih.biBitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return pf16bit;
    case 32: return pf32bit;
    default: return pf24bit;
    }
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    FCanvas->Release();
    FreeHandle();
    FHandle = bitmap;
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
        FWidth = info.bmWidth;
        FHeight = std::abs(info.bmHeight);
        FPixelFormat = FormatOf(bitmap);
    } else {
        FWidth = FHeight = 0;
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    FCanvas->Release();
    HBITMAP handle = FHandle;
    FHandle = nullptr;
    FWidth = FHeight = 0;
    return handle;
}

TCanvas* TBitmap::Canvas() { return FCanvas.get(); }

TColor TBitmap::TransparentColor() {
    if (FTransparentColor != clDefault) return FTransparentColor;
    if (Empty()) return clWhite;
    return FCanvas->Pixel(0, FHeight - 1);
}

void TBitmap::LoadFromStream(TStream& stream) {
    const int64_t rest = stream.Size() - stream.Position();
    if (rest < 2) throw EStreamError("Stream read error");
    if (rest > static_cast<int64_t>(MaxBitmapFileSize)) throw EInvalidOperation("Bitmap image is not valid");
    std::vector<uint8_t> file(static_cast<size_t>(rest));
    stream.ReadBuffer(file.data(), rest);
    TBitmapFileLayout layout;
    if (!ReadBitmapFileLayout(file.data(), file.size(), layout)) throw EInvalidOperation("Bitmap image is not valid");

    std::vector<uint8_t> info(file.begin() + static_cast<long>(layout.InfoOffset),
                              file.begin() + static_cast<long>(layout.InfoOffset + layout.InfoSize));
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSizeImage = 0;
    void* pixels = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP made = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pixels, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!made) throw EOSError("Cannot create a bitmap from the image");
    std::memcpy(pixels, file.data() + layout.PixelOffset, layout.PixelSize);
    GdiFlush();
    SetHandle(made);
}

bool TBitmap::TryLoadFromStream(TStream& stream) {
    try {
        LoadFromStream(stream);
        return true;
    } catch (const std::exception&) {
        Assign(nullptr);
        return false;
    }
}

void TBitmap::SaveToStream(TStream& stream) {
    if (Empty()) return;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = FWidth;
    header.biHeight = FHeight;
    header.biPlanes = 1;
    header.biBitCount = FPixelFormat == pf32bit ? 32 : 24;
    header.biCompression = BI_RGB;
    const size_t stride = ((static_cast<size_t>(FWidth) * header.biBitCount + 31) / 32) * 4;
    std::vector<unsigned char> pixels(stride * static_cast<size_t>(FHeight));
    FCanvas->Release();
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, Handle(), 0, static_cast<UINT>(FHeight), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&header, sizeof header);
    stream.WriteBuffer(pixels.data(), static_cast<int64_t>(pixels.size()));
}

void TBitmap::LoadFromFile(const std::string& fileName) {
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    LoadFromStream(stream);
}

void TBitmap::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    stream.SaveToFile(fileName);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
    HANDLE image = LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) throw EOSError("Bitmap resource " + name + " not found");
    SetHandle(static_cast<HBITMAP>(image));
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    HANDLE image = LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) throw EOSError("Bitmap resource " + IntToStr(id) + " not found");
    SetHandle(static_cast<HBITMAP>(image));
}

uint8_t* TBitmap::ScanLine(int y) {
    DIBSECTION dib{};
    if (!FHandle || GetObjectA(FHandle, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits)
        throw EInvalidOperation("Scan lines need a device-independent bitmap");
    if (y < 0 || y >= FHeight) throw EInvalidOperation("Scan line " + IntToStr(y) + " out of range");
    GdiFlush();
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    const size_t row = static_cast<size_t>(bottomUp ? FHeight - 1 - y : y);
    return static_cast<uint8_t*>(dib.dsBm.bmBits) + row * static_cast<size_t>(dib.dsBm.bmWidthBytes);
}

void TBitmap::Mask(TColor transparentColor) {
    if (Empty()) return;
    const COLORREF key = ColorToRGB(transparentColor);
    HDC screen = GetDC(nullptr);
    HBITMAP mask = CreateBitmap(FWidth, FHeight, 1, 1, nullptr);
    if (!mask) {
        ReleaseDC(nullptr, screen);
        throw EOSError("Cannot create a mask of " + IntToStr(FWidth) + " x " + IntToStr(FHeight));
    }
    // A colour picture copied onto a monochrome one turns its background colour white and
    // every other colour black.
    HDC target = CreateCompatibleDC(screen);
    HGDIOBJ oldTarget = SelectObject(target, mask);
    HDC source = Canvas()->Handle();
    const COLORREF oldBack = SetBkColor(source, key);
    BitBlt(target, 0, 0, FWidth, FHeight, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBack);
    SelectObject(target, oldTarget);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    SetHandle(mask);
}

void TBitmap::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBitmap*>(source)) {
        if (other == this) return;
        other->FCanvas->Release();
        MakeHandle(other->FWidth, other->FHeight, other->FPixelFormat, other->Handle());
        FTransparent = other->FTransparent;
        FTransparentColor = other->FTransparentColor;
        Changed();
        return;
    }
    if (!source) {
        FCanvas->Release();
        FreeHandle();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBitmap::DrawOn(HDC dc, const TRect& r) {
    if (Empty()) return;
    const COLORREF key = ColorToRGB(TransparentColor());
    FCanvas->Release();
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, Handle());
    SetStretchBltMode(dc, COLORONCOLOR);
    if (FTransparent) TransparentBlt(dc, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight, key);
    else StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), src, 0, 0, FWidth, FHeight, SRCCOPY);
    SelectObject(src, old);
    DeleteDC(src);
}
