#include "SkinAdvPage.h"

#include "DataSkinObject.h"
#include "SkinControlFactory.h"
#include "SkinDraw.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/TBitmap.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinAdvPage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinAdvPage>("TSkinAdvPage").Build();
    return info;
}

namespace {

constexpr int TabFrames = 5;
constexpr TRect TabBackgroundSize{0, 0, 100, 21};

TBitmap* BitmapProperty(TObject* control, const char* name) {
    return static_cast<TBitmap*>(GetObjectPropByName(control, name, TBitmap::StaticClass()));
}

}  // namespace

void TSkinAdvPage::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    if (Attached && PageMode == PageModeTabBackgrounds) SetTabBackgrounds();
}

void TSkinAdvPage::Reskin() {
    if (PageMode == PageModeTabBackgrounds) SetTabBackgrounds();
    TSkinControl::Reskin();
}

void TSkinAdvPage::SetTabBackgrounds() {
    TDataSkinBorder* tabs = SkinData ? SkinData->Objects.Tabs.get() : nullptr;
    if (!tabs || !tabs->HasImage()) return;
    const char* names[] = {"TabBackGround", "TabBackGroundActive"};
    for (int frame = 1; frame <= 2; ++frame) {
        TBitmap* target = BitmapProperty(Control, names[frame - 1]);
        if (!target) continue;
        // The section's transparency flag decides the tiling here, as the control has always
        // been given it.
        const auto picture = MakeSkinFrameBitmap(TabBackgroundSize, &tabs->Image, tabs->Margins(), false, tabs->Trans != 0,
                                                 TabFrames, frame);
        target->Assign(picture.get());
    }
}

void TSkinAdvPage::RestoreColors() {
    TSkinControl::RestoreColors();
    if (!Control || State == scWindowGone || PageMode != PageModeTabBackgrounds) return;
    for (const char* name : {"TabBackGround", "TabBackGroundActive"})
        if (TBitmap* target = BitmapProperty(Control, name)) target->SetSize(0, 0);
}

void TSkinAdvPage::PaintSkin(HDC, const TRect&) {
    if (UpDown) return;
    HWND upDown = FindWindowExW(Handle, nullptr, L"msctls_updown32", nullptr);
    if (!upDown) return;
    UpDown = NewSkinUpDown(this);
    if (UpDown) UpDown->AttachHandle(upDown, SkinData, Canvas, Form);
}
