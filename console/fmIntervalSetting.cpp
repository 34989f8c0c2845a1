#include "fmIntervalSetting.h"

#include "components/TClassInfo.h"
#include "fmMain.h"

const TClassInfo& Tfinterval::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfinterval>("Tfinterval")
        .Field("ComboBox1", &Tfinterval::ComboBox1)
        .Field("Button1", &Tfinterval::Button1)
        .Field("Button2", &Tfinterval::Button2)
        .Handler("FormCreate", &Tfinterval::FormCreate)
        .Handler("Button1Click", &Tfinterval::Button1Click)
        .Handler("Button2Click", &Tfinterval::Button2Click)
        .Build();
    return info;
}

void Tfinterval::FormCreate(TObject*) { ComboBox1->SetItemIndex(Form1->TerminalInterval - 1); }

void Tfinterval::Button1Click(TObject*) {
    if (ComboBox1->ItemIndex() >= 0) Form1->TerminalInterval = ComboBox1->ItemIndex() + 1;
    SetModalResult(mrOk);
}

void Tfinterval::Button2Click(TObject*) { SetModalResult(mrCancel); }
