#include "components/TPicture.h"

#include "components/TClassInfo.h"

const TClassInfo& TPicture::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPicture>("TPicture").Build();
    return info;
}

TPicture::TPicture() {
    FBitmap.OnChange = [this](TObject*) {
        FreeIcon();
        Changed();
    };
}

TPicture::~TPicture() { FreeIcon(); }

void TPicture::FreeIcon() {
    if (FIcon && FOwnsIcon) DestroyIcon(FIcon);
    FIcon = nullptr;
    FOwnsIcon = false;
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::SetIcon(HICON icon, bool owned) {
    FreeIcon();
    FIcon = icon;
    FOwnsIcon = owned;
    Changed();
}

int TPicture::Width() const { return FIcon ? GetSystemMetrics(SM_CXICON) : FBitmap.Width(); }

int TPicture::Height() const { return FIcon ? GetSystemMetrics(SM_CYICON) : FBitmap.Height(); }

void TPicture::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPicture*>(source)) {
        if (other->FIcon) SetIcon(CopyIcon(other->FIcon), true);
        else FBitmap.Assign(&other->FBitmap);
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        FBitmap.Assign(bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::Draw(HDC dc, const TRect& r) {
    if (FIcon) DrawIconEx(dc, r.Left, r.Top, FIcon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
    else FBitmap.DrawOn(dc, r);
}
