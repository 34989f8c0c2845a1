#pragma once
#include "components/Win32.h"

#include <commctrl.h>

#include "components/Colors.h"
#include "components/TComponent.h"

class TBitmap;
class TCanvas;
class TStream;

// A list of equally sized images (a common-control image list). In a form description its
// images are the binary property "Bitmap": a .bmp image with the pictures side by side, whose
// MaskColor (default clFuchsia) is transparent when Masked.
class TImageList : public TComponent {
    DECLARE_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return FWidth; }
    void SetWidth(int width);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    bool Masked() const { return FMasked; }
    void SetMasked(bool masked);
    TColor MaskColor() const { return FMaskColor; }
    void SetMaskColor(TColor color) { FMaskColor = color; }

    HIMAGELIST Handle();
    int Count();
    // Adds every picture of the strip; returns the index of the first.
    int Add(TBitmap* strip);
    int AddMasked(TBitmap* strip, TColor maskColor);
    int AddIcon(HICON icon);
    void Delete(int index);
    void Clear();
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);
    void GetBitmap(int index, TBitmap* bitmap);
    // A bitmap resource of the module as a strip of masked images.
    bool LoadFromResourceName(HINSTANCE instance, const std::string& name, TColor maskColor);

    void DefineProperties(TFiler& filer) override;

private:
    void ReadBitmap(TStream& stream);
    void WriteBitmap(TStream& stream);
    void Recreate();

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    TColor FMaskColor = clFuchsia;
    HIMAGELIST FHandle = nullptr;
};
