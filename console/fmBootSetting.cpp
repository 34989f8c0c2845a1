#include "fmBootSetting.h"

#include "SettingsFile.h"
#include "components/TClassInfo.h"
#include "fmMain.h"
#include "unitCustomDialogs.h"

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

// The choice counts only once it is stored: a settings file that cannot be written is said so,
// and the dialog stays open (to try again, or to cancel).
void TFStart::Button1Click(TObject*) {
    const int mode = RadioButton1->Checked() ? StartManual : StartAutomatic;
    if (!WriteStartMode(mode)) {
        MessageDialog("启动设置无法保存：" + SettingsFilePath() + " 不能写入。", mtError, ButtonSet({mbOK}), 0);
        return;
    }
    Form1->StartMode = mode;
    SetModalResult(mrOk);
}

void TFStart::Button2Click(TObject*) { SetModalResult(mrCancel); }
