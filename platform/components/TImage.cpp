#include "components/TImage.h"

#include "components/TClassInfo.h"
#include "components/TStream.h"

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImage>("TImage")
        .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize).Default(0)
        .Bool("Center", &TImage::Center, &TImage::SetCenter).Default(0)
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(0)
        .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(0)
        .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture.Empty()) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    FStretch = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center) {
    FCenter = center;
    Invalidate();
}

void TImage::SetTransparent(bool transparent) {
    FPicture.Bitmap()->SetTransparent(transparent);
    Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
    PictureChanged();
}

void TImage::DefineProperties(TFiler& filer) {
    TGraphicControl::DefineProperties(filer);
    // A damaged picture reads as none rather than stopping the whole form.
    filer.DefineBinaryProperty("PictureData", [this](TStream& s) { FPicture.Bitmap()->TryLoadFromStream(s); },
                               [this](TStream& s) { FPicture.Bitmap()->SaveToStream(s); }, !FPicture.Bitmap()->Empty());
}

void TImage::Paint() {
    if (FPicture.Empty()) return;
    const TRect client = ClientRect();
    TRect target = Bounds(0, 0, FPicture.Width(), FPicture.Height());
    if (FStretch) target = client;
    else if (FCenter) target = Bounds((client.Width() - target.Width()) / 2, (client.Height() - target.Height()) / 2, target.Width(), target.Height());
    FPicture.Draw(Canvas()->Handle(), target);
}
