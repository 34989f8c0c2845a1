#include "components/TCustomStatusBar.h"

#include <commctrl.h>

#include <vector>

#include "components/TApplication.h"
#include "components/TClassInfo.h"

const TClassInfo& TCustomStatusBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomStatusBar>("TCustomStatusBar")
        .Object("Panels", &TCustomStatusBar::Panels, &TCustomStatusBar::SetPanels)
        .Bool("SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel).Default(0)
        .Str("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText)
        .Bool("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip).Default(1)
        .Build();
    return info;
}

const TClassInfo& TStatusBar::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStatusBar>("TStatusBar").Build();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
    FPanels.OnUpdate = [this](TCollectionItem* item) {
        if (item) UpdatePanel(item->Index());
        else UpdatePanels();
    };
}

void TCustomStatusBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    StartCommonControls();
    params.BaseClassName = STATUSCLASSNAMEA;
    // Placed by its parent's alignment like any control, not by the status window itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | (FSizeGrip ? SBARS_SIZEGRIP : 0);
}

void TCustomStatusBar::InitializeWindow() {
    TWinControl::InitializeWindow();
    UpdatePanels();
}

void TCustomStatusBar::SetSimplePanel(bool simple) {
    FSimplePanel = simple;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& text) {
    FSimpleText = text;
    if (HandleAllocated() && FSimplePanel) SendMessageA(Handle(), SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool grip) {
    if (grip == FSizeGrip) return;
    FSizeGrip = grip;
    RecreateWnd();
}

void TCustomStatusBar::UpdatePanels() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    SendMessageA(window, SB_SIMPLE, FSimplePanel, 0);
    if (FSimplePanel) {
        SendMessageA(window, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        return;
    }
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < FPanels.Count(); ++i) {
        right += FPanels[i]->Width();
        edges.push_back(i + 1 == FPanels.Count() ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageA(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < FPanels.Count(); ++i) UpdatePanel(i);
}

void TCustomStatusBar::UpdatePanel(int index) {
    if (!HandleAllocated() || FSimplePanel || index < 0 || index >= FPanels.Count()) return;
    TStatusPanel* panel = FPanels[index];
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    else if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) flags |= SBT_OWNERDRAW;
    // The status window has no alignment of its own: tabs in the text centre or right-align it.
    std::string text = panel->Text();
    if (panel->Alignment() == taCenter) text = "\t" + text;
    else if (panel->Alignment() == taRightJustify) text = "\t\t" + text;
    if (panel->Style() == psOwnerDraw) SendMessageA(Handle(), SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(panel));
    else SendMessageA(Handle(), SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomStatusBar::WndProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        const int index = static_cast<int>(draw->itemID);
        if (OnDrawPanel && index >= 0 && index < FPanels.Count()) OnDrawPanel(this, FPanels[index], TRect::From(draw->rcItem));
        m.Result = 1;
        return;
    }
    TWinControl::WndProc(m);
}
