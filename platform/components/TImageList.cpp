#include "components/TImageList.h"

#include "components/Graphics.h"
#include "components/SysUtils.h"
#include "components/TBitmap.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TStream.h"

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList")
        .Int("Height", &TImageList::Height, &TImageList::SetHeight).Default(16)
        .Bool("Masked", &TImageList::Masked, &TImageList::SetMasked).Default(1)
        .Color("MaskColor", &TImageList::MaskColor, &TImageList::SetMaskColor).Default(clFuchsia)
        .Int("Width", &TImageList::Width, &TImageList::SetWidth).Default(16)
        .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    if (FHandle) ImageList_Destroy(FHandle);
}

void TImageList::Recreate() {
    if (FHandle) ImageList_Destroy(FHandle);
    FHandle = nullptr;
}

void TImageList::SetWidth(int width) {
    if (width == FWidth || width <= 0) return;
    FWidth = width;
    Recreate();
}

void TImageList::SetHeight(int height) {
    if (height == FHeight || height <= 0) return;
    FHeight = height;
    Recreate();
}

void TImageList::SetMasked(bool masked) {
    if (masked == FMasked) return;
    FMasked = masked;
    Recreate();
}

HIMAGELIST TImageList::Handle() {
    if (!FHandle) {
        FHandle = ImageList_Create(FWidth, FHeight, ILC_COLOR24 | (FMasked ? ILC_MASK : 0), 4, 4);
        if (!FHandle) throw EOSError("Cannot create an image list");
    }
    return FHandle;
}

int TImageList::Count() { return ImageList_GetImageCount(Handle()); }

int TImageList::Add(TBitmap* strip) {
    if (FMasked) return AddMasked(strip, FMaskColor);
    const int first = Count();
    TBitmap copy;
    copy.Assign(strip);
    ImageList_Add(Handle(), copy.Handle(), nullptr);
    return first;
}

int TImageList::AddMasked(TBitmap* strip, TColor maskColor) {
    const int first = Count();
    TBitmap copy;
    copy.Assign(strip);
    ImageList_AddMasked(Handle(), copy.Handle(), ColorToRGB(maskColor));
    return first;
}

int TImageList::AddIcon(HICON icon) { return ImageList_AddIcon(Handle(), icon); }

void TImageList::Delete(int index) { ImageList_Remove(Handle(), index); }

void TImageList::Clear() { ImageList_Remove(Handle(), -1); }

void TImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(Handle(), index, canvas->Handle(), x, y, ILD_TRANSPARENT);
        return;
    }
    // A disabled image: its shape embossed in the 3-D highlight and shadow colours.
    HICON icon = ImageList_GetIcon(Handle(), index, ILD_NORMAL);
    DrawStateA(canvas->Handle(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, FWidth, FHeight, DST_ICON | DSS_DISABLED);
    DestroyIcon(icon);
}

void TImageList::GetBitmap(int index, TBitmap* bitmap) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(FWidth, FHeight);
    bitmap->Canvas()->Brush()->SetColor(FMaskColor);
    bitmap->Canvas()->FillRect(TRect{0, 0, FWidth, FHeight});
    ImageList_Draw(Handle(), index, bitmap->Canvas()->Handle(), 0, 0, ILD_TRANSPARENT);
}

bool TImageList::LoadFromResourceName(HINSTANCE instance, const std::string& name, TColor maskColor) {
    TBitmap strip;
    try {
        strip.LoadFromResourceName(instance, name);
    } catch (const Exception&) {
        return false;
    }
    AddMasked(&strip, maskColor);
    return true;
}

void TImageList::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    filer.DefineBinaryProperty("Bitmap", [this](TStream& s) { ReadBitmap(s); }, [this](TStream& s) { WriteBitmap(s); },
                               FHandle && ImageList_GetImageCount(FHandle) > 0);
}

void TImageList::ReadBitmap(TStream& stream) {
    // A damaged strip leaves the list empty rather than stopping the whole form.
    TBitmap strip;
    const bool read = strip.TryLoadFromStream(stream);
    Clear();
    if (read) Add(&strip);
}

void TImageList::WriteBitmap(TStream& stream) {
    const int count = Count();
    TBitmap strip;
    strip.SetPixelFormat(pf24bit);
    strip.SetSize(FWidth * count, FHeight);
    strip.Canvas()->Brush()->SetColor(FMaskColor);
    strip.Canvas()->FillRect(TRect{0, 0, FWidth * count, FHeight});
    for (int i = 0; i < count; ++i) ImageList_Draw(Handle(), i, strip.Canvas()->Handle(), i * FWidth, 0, ILD_TRANSPARENT);
    strip.SaveToStream(stream);
}
