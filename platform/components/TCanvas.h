#pragma once
#include "components/Win32.h"

#include <string>

#include "components/ControlTypes.h"
#include "components/TBrush.h"
#include "components/TFont.h"
#include "components/TPen.h"

class TBitmap;

// Drawing on a device context with a font, a brush and a pen that are selected into it when
// set and taken out again when the context is let go.
class TCanvas : public TPersistent {
    DECLARE_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    HDC Handle();
    // Attaches a context made elsewhere (a paint or window DC); 0 lets the current one go.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }
    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }
    void SetFont(TFont* font) { FFont.Assign(font); }
    // The stretch mode of the context (COLORONCOLOR, ...), kept for every context the canvas
    // gets later (a bitmap's canvas gets a new one whenever the bitmap changes size); 0 leaves
    // each context's own.
    int StretchMode() const { return FStretchMode; }
    void SetStretchMode(int mode);

    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }
    // DrawText with the canvas's font; returns the height drawn (or measured with DT_CALCRECT).
    int DrawText(const std::string& text, TRect& r, UINT format);
    // The bitmap at (x, y), leaving out its transparent colour when it is transparent.
    void Draw(int x, int y, TBitmap* bitmap);
    void StretchDraw(const TRect& r, TBitmap* bitmap);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Painters that share a canvas hold it while they draw.
    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    int LockCount() const { return FLockCount; }

protected:
    // A canvas that makes its own context (a bitmap's) does it here; the base has none.
    virtual void CreateHandle() {}
    void SelectObjects();
    void DeselectObjects();
    void PrepareText();

private:
    HDC FHandle = nullptr;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    TPoint FPenPos;
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    HGDIOBJ FOldPen = nullptr;
    int FLockCount = 0;
    int FStretchMode = 0;
};
