#include "SkinScControl.h"

#include "WinSkinForm.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinScControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinScControl>("TSkinScControl").Build();
    return info;
}

TSkinScControl::~TSkinScControl() { FBar.reset(); }

void TSkinScControl::AttachScrollControl(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached || !control) return;
    BindControl(control, form, skinData, canvas);
    UnicodeWindow = IsWindowUnicode(Handle) != FALSE;
    ReadWindowState();
    if (Form) Form->AddControl(this);
    FBar = std::make_unique<TWScrollbar>(this, okControl);
    FBar->ShowHint = control->ShowHint();
    FBar->Hint = control->Hint();
    FBar->Bind(control);
    if (!control->Visible()) FBar->Hide();
    HookWindowProc(control);
    Attached = true;
    State = scAttached;
}

void TSkinScControl::RestoreColors() {
    if (State != scWindowGone) FBar.reset();
}

void TSkinScControl::AfterMessage(TMessage& message) {
    if (!FBar) {
        TSkinControl::AfterMessage(message);
        return;
    }
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        FBar->Place();
        break;
    case WM_NCPAINT:
        if (Control && Control->HandleAllocated()) {
            Handle = Control->Handle();
            FBar->SetTarget(Handle);
        }
        FBar->Place();
        break;
    case SBM_SETSCROLLINFO:
    case CN_VSCROLL:
    case CN_HSCROLL:
        FBar->Repaint();
        break;
    case CM_VISIBLECHANGED:
        if (message.WParam) FBar->Place();
        else FBar->Hide();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinScControl::PaintSkin(HDC, const TRect&) {
    if (FBar) FBar->Repaint();
}
