#include "SkinDateTime.h"

#include "SkinControlFactory.h"
#include "ArrowButton.h"
#include "WinSkinData.h"
#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinDateTime::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinDateTime>("TSkinDateTime").Build();
    return info;
}

void TSkinDateTime::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    auto* picker = dynamic_cast<TWinControl*>(Control);
    if (!Attached || !picker) return;
    ArrowButton = new TArrowButton(this);
    ArrowButton->Bind(picker, this);
}

void TSkinDateTime::PaintSkin(HDC dc, const TRect&) {
    RECT outer{}, client{};
    if (!GetWindowRect(Handle, &outer) || !GetClientRect(Handle, &client)) return;
    RECT r{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    if (client.right >= r.right || client.bottom >= r.bottom) return;
    HBRUSH shadow = CreateSolidBrush(ColorToRGB(SkinData ? SkinData->Colours().ButtonShadow : clBtnShadow));
    FrameRect(dc, &r, shadow);
    DeleteObject(shadow);
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

TSkinControl* NewSkinDateTime(TComponent* owner) { return new TSkinDateTime(owner); }
