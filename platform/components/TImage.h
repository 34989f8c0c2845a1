#pragma once
#include "components/TGraphicControl.h"
#include "components/TPicture.h"

// Shows a picture. In a form description the picture is the binary property "PictureData",
// the bytes of a .bmp file.
class TImage : public TGraphicControl {
    DECLARE_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);

    TPicture* Picture() { return &FPicture; }
    void SetPicture(TPicture* picture) { FPicture.Assign(picture); }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Center() const { return FCenter; }
    void SetCenter(bool center);
    bool Transparent() const { return FPicture.Bitmap()->Transparent(); }
    void SetTransparent(bool transparent);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);

    void DefineProperties(TFiler& filer) override;

protected:
    void Paint() override;

private:
    void PictureChanged();

    mutable TPicture FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FAutoSize = false;
};
