#include "SkinListView.h"

#include "SkinHeader.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinListView::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinListView>("TSkinListView").Build();
    return info;
}

void TSkinListView::AttachScrollbars(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* canvas) {
    if (Attached) return;
    TSkinScrollbar::AttachScrollbars(control, skinData, form, canvas);
    HWND header = reinterpret_cast<HWND>(SendMessageW(Handle, LVM_GETHEADER, 0, 0));
    if (!header) return;
    Header = new TSkinHeader(this);
    Header->AttachHandle(header, skinData, canvas, form);
}
