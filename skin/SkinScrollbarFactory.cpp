// The control dispatch's makers of the scroll-bar skins, and their own attach.
#include "SkinControlFactory.h"
#include "SkinListView.h"
#include "SkinScControl.h"
#include "SkinScrollbar.h"

TSkinControl* NewSkinScrollbar(TComponent* owner, int singleMode) { return new TSkinScrollbar(owner, singleMode); }
TSkinControl* NewSkinListView(TComponent* owner) { return new TSkinListView(owner); }

void AttachSkinScrollbars(TSkinControl* skin, TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (auto* scrollbars = dynamic_cast<TSkinScrollbar*>(skin)) scrollbars->AttachScrollbars(control, skinData, form, canvas);
    else if (auto* scrollControl = dynamic_cast<TSkinScControl*>(skin))
        scrollControl->AttachScrollControl(control, skinData, form, canvas);
}

bool IsSkinListView(const TSkinControl* skin) { return dynamic_cast<const TSkinListView*>(skin) != nullptr; }
