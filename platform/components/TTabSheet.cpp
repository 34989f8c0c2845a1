#include "components/TTabSheet.h"

#include "components/TClassInfo.h"
#include "components/TPageControl.h"

const TClassInfo& TTabSheet::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTabSheet>("TTabSheet")
        .Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
        .Object("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)
        .Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(1)
        .Build();
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) { SetVisibleFlag(false); }

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    if (control == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = control;
    SetParent(control);
    if (control) control->InsertPage(this);
}

void TTabSheet::SetParentComponent(TComponent* parent) {
    if (auto* pages = dynamic_cast<TPageControl*>(parent)) SetPageControl(pages);
    else TCustomControl::SetParentComponent(parent);
}

void TTabSheet::SetTabVisible(bool visible) {
    if (visible == FTabVisible) return;
    FTabVisible = visible;
    if (FPageControl) FPageControl->UpdateTabs();
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    for (int i = 0; i < FPageControl->PageCount(); ++i)
        if (FPageControl->Pages(i) == this) return i;
    return -1;
}

void TTabSheet::WndProc(TMessage& m) {
    if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
    TCustomControl::WndProc(m);
}
