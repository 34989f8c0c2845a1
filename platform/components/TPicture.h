#pragma once
#include "components/Win32.h"

#include <functional>

#include "components/TBitmap.h"

// What an image control shows: a bitmap, or an icon.
class TPicture : public TPersistent {
    DECLARE_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;

    TBitmap* Bitmap() { return &FBitmap; }
    HICON Icon() const { return FIcon; }
    // A shared icon (LoadIcon of a system icon) is not destroyed with the picture.
    void SetIcon(HICON icon, bool owned = false);
    bool Empty() const { return !FIcon && FBitmap.Empty(); }
    int Width() const;
    int Height() const;
    void Assign(TPersistent* source) override;
    void Draw(HDC dc, const TRect& r);

    std::function<void(TObject*)> OnChange;

private:
    void FreeIcon();
    void Changed();

    TBitmap FBitmap;
    HICON FIcon = nullptr;
    bool FOwnsIcon = false;
};
