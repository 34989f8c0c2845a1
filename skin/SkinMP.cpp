#include "SkinMP.h"

#include "SkinControlFactory.h"
#include "WMediaPlayer.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinMP::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinMP>("TSkinMP").Build();
    return info;
}

TSkinMP::~TSkinMP() { FreeOverlay(); }

void TSkinMP::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, canvas, useSkinColor);
    if (!Attached || !Control || !Control->Parent()) return;
    Overlay = new TWMediaPlayer(nullptr);
    Overlay->Bind(Control, this, skinData);
}

// The panel on the player's window as it now stands in its parent.
void TSkinMP::FitOverlay() {
    RECT r{};
    if (!GetWindowRect(Handle, &r)) return;
    MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
    Overlay->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TSkinMP::FreeOverlay() {
    delete Overlay;
    Overlay = nullptr;
}

void TSkinMP::RestoreColors() {
    TSkinControl::RestoreColors();
    // With the player's window gone its parent is going too; the panel goes with the skin.
    if (State != scWindowGone) FreeOverlay();
}

void TSkinMP::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (Overlay) FitOverlay();
        break;
    case CM_VISIBLECHANGED:
        if (Overlay && Control) Overlay->SetVisible(Control->Visible());
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

TSkinControl* NewSkinMP(TComponent* owner) { return new TSkinMP(owner); }
