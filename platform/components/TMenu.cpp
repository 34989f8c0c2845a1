#include "components/TMenu.h"

#include <algorithm>

#include "components/Graphics.h"
#include "components/TCanvas.h"
#include "components/TClassInfo.h"
#include "components/TImageList.h"
#include "components/TScreen.h"

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenu>("TMenu")
        .Object("Images", &TMenu::Images, &TMenu::SetImages)
        .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw).Default(0)
        .Enum("BiDiMode", BiDiModeType, &TMenu::BiDiMode, &TMenu::SetBiDiMode).Default(bdLeftToRight)
        .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(new TMenuItem(this)) { FItems->FMenu = this; }

TMenu::~TMenu() { delete FItems; }

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == FOwnerDraw) return;
    FOwnerDraw = ownerDraw;
    RebuildAll(FItems);
    MenuChanged();
}

void TMenu::RebuildAll(TMenuItem* item) {
    item->RebuildHandle();
    for (int i = 0; i < item->Count(); ++i) RebuildAll(item->Items(i));
}

void TMenu::SetImages(TImageList* images) {
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = images;
    if (images) images->FreeNotification(this);
    MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FImages) FImages = nullptr;
}

void TMenu::MenuChanged() {}

bool TMenu::DispatchCommand(WORD command) {
    TMenuItem* item = FindItemByCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

static TMenuItem* FindShortCut(TMenuItem* item, int shortCut) {
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->ShortCut() == shortCut) return child;
        if (TMenuItem* found = FindShortCut(child, shortCut)) return found;
    }
    return nullptr;
}

bool TMenu::IsShortCut(WORD key, TShiftState shift) {
    const int shortCut = key | ((shift & ssShift) ? scShift : 0) | ((shift & ssCtrl) ? scCtrl : 0) | ((shift & ssAlt) ? scAlt : 0);
    TMenuItem* item = FindShortCut(FItems, shortCut);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
    for (int i = 0; i < FItems->Count(); ++i) proc(FItems->Items(i));
}

// ---- owner drawing --------------------------------------------------------------------------

void TMenu::MeasureItem(TMenuItem* item, TCanvas& canvas, int& width, int& height) {
    if (item->IsLine()) {
        width = 10;
        height = 8;
        return;
    }
    std::string text = item->Caption();
    if (item->ShortCut()) text += "    " + ShortCutToText(item->ShortCut());
    TRect r{0, 0, 0, 0};
    canvas.DrawText(text, r, DT_SINGLELINE | DT_CALCRECT);
    const bool onBar = item->Parent() && !item->Parent()->Parent() && item->GetParentMenu() && item->GetParentMenu()->IsMenuBar();
    width = r.Width() + (onBar ? 8 : 36);
    height = std::max(r.Height() + 6, GetSystemMetrics(SM_CYMENU) - 1);
}

static void DrawPlainItem(TMenuItem* item, TCanvas& canvas, TRect r, bool selected) {
    canvas.Brush()->SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(r);
    if (item->IsLine()) {
        RECT line{r.Left + 2, r.Top + r.Height() / 2 - 1, r.Right - 2, r.Top + r.Height() / 2 + 1};
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    canvas.Font()->SetColor(!item->Enabled() ? clGrayText : selected ? clHighlightText : clMenuText);
    canvas.Brush()->SetStyle(bsClear);
    if (item->Checked()) {
        RECT box{r.Left + 2, r.Top + (r.Height() - 14) / 2, r.Left + 16, r.Top + (r.Height() + 14) / 2};
        DrawFrameControl(canvas.Handle(), &box, DFC_MENU, item->RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    const bool onBar = item->Parent() && !item->Parent()->Parent() && item->GetParentMenu() && item->GetParentMenu()->IsMenuBar();
    TRect text{r.Left + (onBar ? 4 : 20), r.Top, r.Right - 8, r.Bottom};
    canvas.DrawText(item->Caption(), text, DT_SINGLELINE | DT_VCENTER);
    if (item->ShortCut()) canvas.DrawText(ShortCutToText(item->ShortCut()), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

bool TMenu::HandleOwnerDraw(TMessage& m) {
    if (m.Msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (measure->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(measure->itemData);
        if (!item) return false;
        HDC dc = GetDC(nullptr);
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.Font()->Assign(Screen->MenuFont());
        int width = 0, height = 0;
        MeasureItem(item, canvas, width, height);
        if (item->OnMeasureItem) item->OnMeasureItem(item, &canvas, width, height);
        canvas.SetHandle(nullptr);
        ReleaseDC(nullptr, dc);
        measure->itemWidth = static_cast<UINT>(std::max(0, width));
        measure->itemHeight = static_cast<UINT>(std::max(0, height));
        m.Result = 1;
        return true;
    }
    if (m.Msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (draw->CtlType != ODT_MENU) return false;
        TMenuItem* item = TMenuItem::FromItemData(draw->itemData);
        if (!item) return false;
        const int saved = SaveDC(draw->hDC);
        TCanvas canvas;
        canvas.SetHandle(draw->hDC);
        canvas.Font()->Assign(Screen->MenuFont());
        const TRect r = TRect::From(draw->rcItem);
        const bool selected = (draw->itemState & ODS_SELECTED) != 0;
        if (item->OnDrawItem) item->OnDrawItem(item, &canvas, r, selected);
        else DrawPlainItem(item, canvas, r, selected);
        canvas.SetHandle(nullptr);
        RestoreDC(draw->hDC, saved);
        m.Result = 1;
        return true;
    }
    return false;
}
