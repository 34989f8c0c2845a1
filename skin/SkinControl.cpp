#include "SkinControl.h"

#include "WinSkinForm.h"
#include "components/Messages.h"
#include "components/TClassInfo.h"

const TClassInfo& TSkinControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinControl>("TSkinControl").Build();
    return info;
}

TSkinControl::~TSkinControl() {
    if (Form) Form->RemoveControl(this);
}

void TSkinControl::SendMouseLeave() {
    if (Handle) SendMessageA(Handle, CM_MOUSELEAVE, 0, 0);
}
