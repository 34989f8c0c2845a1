#pragma once
#include "components/Win32.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/Colors.h"
#include "components/ControlTypes.h"
#include "components/TPersistent.h"

class TCanvas;
class TStream;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

// A GDI bitmap with a canvas to draw on it. Bitmaps of 1, 24 and 32 bits per pixel are device
// independent sections; pfDevice follows the screen; a bitmap read from a file keeps the file's
// depth. A transparent bitmap is drawn without its transparent colour (by default the colour of
// its bottom-left pixel).
class TBitmap : public TPersistent {
    DECLARE_CLASS(TBitmap, TPersistent)
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void SetSize(int width, int height);  // keeps the picture's top-left part
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat format);
    bool Empty() const { return FWidth == 0 || FHeight == 0; }

    HBITMAP Handle();
    // Takes the bitmap over; its size and format are read from it.
    void SetHandle(HBITMAP bitmap);
    HBITMAP ReleaseHandle();
    TCanvas* Canvas();

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }
    TColor TransparentColor();  // clDefault: the bottom-left pixel's
    void SetTransparentColor(TColor color) { FTransparentColor = color; }

    // A .bmp file image; throws EStreamError / EInvalidOperation for what is not one.
    void LoadFromStream(TStream& stream);
    // The same for data that may be damaged (an image inside a package): false and an empty
    // bitmap for what is not a bitmap, instead of an exception.
    bool TryLoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);
    // A bitmap resource of the module (RT_BITMAP); throws EOSError when there is none.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // The pixels of row y (0 at the top) of a device-independent bitmap, in its own format
    // (B, G, R bytes at 24 bits); EInvalidOperation for a screen bitmap or a row outside it.
    // Drawing through the canvas shows in the row at once, and the other way round.
    uint8_t* ScanLine(int y);
    // Turns the bitmap into a monochrome mask of the colour: its pixels white, all others black.
    void Mask(TColor transparentColor);

    void Assign(TPersistent* source) override;
    // Draws the whole bitmap stretched into the rectangle, leaving out the transparent colour
    // when the bitmap is transparent.
    void DrawOn(HDC dc, const TRect& r);

    std::function<void(TObject*)> OnChange;

private:
    void MakeHandle(int width, int height, TPixelFormat format, HBITMAP copyFrom);
    void FreeHandle();
    void Changed();

    class TBitmapCanvas;
    HBITMAP FHandle = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};
