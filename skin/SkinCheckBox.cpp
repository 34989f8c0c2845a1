#include "SkinCheckBox.h"

#include "DataSkinObject.h"
#include "SkinControlFactory.h"
#include "SkinPropByName.h"
#include "WinSkinData.h"
#include "components/PropertyAccess.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"

const TClassInfo& TSkinCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSkinCheckBox>("TSkinCheckBox").Build();
    return info;
}

TSkinControl* NewSkinCheckBox(TComponent* owner) { return new TSkinCheckBox(owner); }

void TSkinCheckBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, TCanvas* canvas, bool useSkinColor) {
    TSkinMarkButton::AttachControl(form, skinData, canvas, useSkinColor);
    StoredState = 0;
}

void TSkinCheckBox::AfterMessage(TMessage& message) {
    if (message.Msg == BM_SETCHECK) {
        StoredState = static_cast<int>(message.WParam) + 1;
        Repaint();
        return;
    }
    TSkinMarkButton::AfterMessage(message);
}

TBitmap* TSkinCheckBox::MarkStrip(int& frameCount) const {
    TDataSkinButton* object = SkinData ? SkinData->Objects.Button.get() : nullptr;
    frameCount = object ? object->CheckButtonFrame : 1;
    return object ? &object->CheckButton : nullptr;
}

int TSkinCheckBox::ControlState(int windowState) const {
    if (!Control) return windowState;
    int state = windowState;
    std::string text;
    if (GetPropInfo(Control, "State")) {
        GetEnumPropByName(Control, "State", text);
        text = LowerCase(text);
        if (text.find("uncheck") != std::string::npos) state = 1;
        else if (text.find("check") != std::string::npos) state = 2;
        else if (text.find("gray") != std::string::npos) state = 4;
    } else if (GetPropInfo(Control, "Checked")) {
        GetEnumPropByName(Control, "Checked", text);
        state = LowerCase(text) == "true" ? 2 : 1;
    }
    // A data-bound box shows what the data last set, not its own property.
    if (GetPropInfo(Control, "DataField") && StoredState != 0) state = StoredState == 3 ? 4 : StoredState;
    if (GetPropInfo(Control, "DataBinding")) state = 1;
    return state;
}

int TSkinCheckBox::FrameOf(int state, bool disabled, bool indeterminate, int frameCount) {
    int frame = state;
    if (disabled) frame += 2;
    if (indeterminate) frame = 4;
    if (frameCount == 12) {
        if (indeterminate) return disabled ? 12 : 9;
        if (frame == 2) return 5;
        if (frame == 3) return 4;
        if (frame == 4) return 8;
    }
    return frame;
}

int TSkinCheckBox::MarkFrame(int frameCount) {
    const LRESULT windowState = SendMessageA(Handle, BM_GETSTATE, 0, 0);
    const int state = ControlState((windowState & BST_CHECKED) ? 2 : 1);
    const bool disabled = (GetWindowLong(Handle, GWL_STYLE) & WS_DISABLED) != 0;
    return FrameOf(state, disabled, (windowState & BST_INDETERMINATE) != 0, frameCount);
}
