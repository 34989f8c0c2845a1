#include "SkinScrollbarH.h"

#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/Graphics.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinScrollbarH::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinScrollbarH>("TSkinScrollbarH").Build();
    return info;
}

TSkinScrollbarH::~TSkinScrollbarH() {
    FHorzBar.reset();
    FVertBar.reset();
}

void TSkinScrollbarH::AttachHandle(HWND window, TSkinData* skinData, TCanvas* canvas, TWinSkinForm* form) {
    if (Attached) return;
    SkinData = skinData;
    Form = form;
    Canvas = canvas;
    Handle = window;
    Control = nullptr;
    UnicodeWindow = IsWindowUnicode(window) != FALSE;
    if (Form) Form->AddControl(this);
    FHorzBar = std::make_unique<TWScrollbar>(this, okHorizontal);
    FHorzBar->BindHandle(window);
    FVertBar = std::make_unique<TWScrollbar>(this, okVertical);
    FVertBar->BindHandle(window);
    WindowProcInstance.Install(window, UnicodeWindow, [self = this](UINT msg, WPARAM wParam, LPARAM lParam) {
        TMessage m{msg, wParam, lParam, 0};
        self->SkinWindowProc(m);
        return m.Result;
    });
    Attached = true;
    State = scAttached;
}

void TSkinScrollbarH::RestoreColors() {
    if (State == scWindowGone) return;
    FHorzBar.reset();
    FVertBar.reset();
}

void TSkinScrollbarH::AfterMessage(TMessage& message) {
    if (FVertBar && !IsWindowVisible(Handle)) FVertBar->Hide();
    switch (message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        for (TWScrollbar* bar : {FHorzBar.get(), FVertBar.get()}) {
            if (!bar) continue;
            bar->Place();
            bar->Repaint();
        }
        if (message.Msg == WM_NCPAINT) TSkinControl::AfterMessage(message);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* bar = message.Msg == WM_HSCROLL ? FHorzBar.get() : FVertBar.get()) {
            bar->SetHotPart(LOWORD(message.WParam));
            bar->Repaint();
        }
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScrollbarH::PaintSkin(HDC dc, const TRect&) {
    if (FHorzBar && FHorzBar->Shown()) FHorzBar->Repaint();
    if (FVertBar && FVertBar->Shown()) FVertBar->Repaint();
    if (!FHorzBar || !FVertBar || !FHorzBar->Shown() || !FVertBar->Shown()) return;
    RECT vertical{}, horizontal{}, window{};
    GetWindowRect(FVertBar->Handle(), &vertical);
    GetWindowRect(FHorzBar->Handle(), &horizontal);
    GetWindowRect(Handle, &window);
    RECT corner{vertical.left, horizontal.top, vertical.right + 2, horizontal.bottom + 2};
    OffsetRect(&corner, -window.left, -window.top);
    HBRUSH face = CreateSolidBrush(ColorToRGB(SkinData ? SkinData->Colours().ButtonFace : clBtnFace));
    FillRect(dc, &corner, face);
    DeleteObject(face);
}
