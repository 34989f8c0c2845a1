#include "fmBootSetting.h"

#include "SettingsFile.h"
#include "components/TClassInfo.h"
#include "fmMain.h"

const TClassInfo& TFStart::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFStart>("TFStart")
        .Field("RadioButton1", &TFStart::RadioButton1)
        .Field("RadioButton2", &TFStart::RadioButton2)
        .Field("Button1", &TFStart::Button1)
        .Field("Button2", &TFStart::Button2)
        .Handler("FormCreate", &TFStart::FormCreate)
        .Handler("Button1Click", &TFStart::Button1Click)
        .Handler("Button2Click", &TFStart::Button2Click)
        .Build();
    return info;
}

void TFStart::FormCreate(TObject*) {
    if (Form1->StartMode == StartAutomatic) RadioButton2->SetChecked(true);
    else RadioButton1->SetChecked(true);
}

void TFStart::Button1Click(TObject*) {
    Form1->StartMode = RadioButton1->Checked() ? StartManual : StartAutomatic;
    WriteStartMode(Form1->StartMode);
    SetModalResult(mrOk);
}

void TFStart::Button2Click(TObject*) { SetModalResult(mrCancel); }
