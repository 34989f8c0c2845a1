#include "components/TCustomCheckBox.h"

#include "components/TClassInfo.h"

const TEnumType CheckBoxStateType{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};

const TClassInfo& TCustomCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCustomCheckBox>("TCustomCheckBox")
        .Enum("Alignment", AlignmentType, &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment).Default(taRightJustify)
        .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed).Default(0)
        .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Default(0)
        .Enum("State", CheckBoxStateType, &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked)
        .Build();
    return info;
}

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCheckBox>("TCheckBox").Build();
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
    TButtonControl::CreateParams(params);
    // The state is kept here and drawn by the window; the window never toggles on its own.
    params.Style |= BS_3STATE | (FAlignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCustomCheckBox::InitializeWindow() {
    TButtonControl::InitializeWindow();
    SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
    if (state == FState) return;
    FState = state;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(state), 0);
    if (!InState(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    RecreateWnd();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        return;
    }
    TButtonControl::WndProc(m);
}
