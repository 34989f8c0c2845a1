#include "SkinBox.h"

#include "WinSkinData.h"
#include "WinSkinForm.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox").Build();
    return info;
}

void TSkinBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    if (Attached) return;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return;
    UseSkinColor = useSkinColor;
    BindControl(control, form, skinData, canvas);
    if (Form) Form->AddControl(this);
    if (UseSkinColor) TakeSkinColor(control);
    Attached = true;
    State = scAttached;
}

void TSkinBox::RestoreColors() {
    if (State != scKeepColors && UseSkinColor && Control) {
        SetParentBackground(false);
        Control->SetColor(SavedColor);
    }
    State = scColorsRestored;
}
