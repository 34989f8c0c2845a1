#include "SkinRadioButton.h"

#include "DataSkinObject.h"
#include "SkinControlFactory.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinRadioButton::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinRadioButton>("TSkinRadioButton").Build();
    return info;
}

TSkinControl* NewSkinRadioButton(TComponent* owner) { return new TSkinRadioButton(owner); }

void TSkinRadioButton::AfterMessage(TMessage& message) {
    if (message.Msg == BM_SETCHECK) {
        Repaint();
        return;
    }
    TSkinMarkButton::AfterMessage(message);
}

TBitmap* TSkinRadioButton::MarkStrip(int& frameCount) const {
    TDataSkinButton* object = SkinData ? SkinData->Objects.Button.get() : nullptr;
    frameCount = object ? object->RadioButtonFrame : 1;
    return object ? &object->RadioButton : nullptr;
}

int TSkinRadioButton::FrameOf(bool checked, bool disabled, int frameCount) {
    int frame = (checked ? 2 : 1) + (disabled ? 2 : 0);
    if (frameCount == 8) {
        if (frame == 2) return 5;
        if (frame == 3) return 4;
        if (frame == 4) return 8;
    }
    return frame;
}

int TSkinRadioButton::MarkFrame(int frameCount) {
    bool checked = SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (Control && GetPropInfo(Control, "Checked")) {
        std::string text;
        GetEnumPropByName(Control, "Checked", text);
        checked = LowerCase(text) == "true";
    }
    const bool disabled = (GetWindowLong(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    return FrameOf(checked, disabled, frameCount);
}
