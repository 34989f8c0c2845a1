#include "fmOtherSetting.h"

#include "components/TClassInfo.h"
#include "fmMain.h"

const TClassInfo& Tfotherset::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tfotherset>("Tfotherset")
        .Field("ColorBox1", &Tfotherset::ColorBox1)
        .Field("ColorBox2", &Tfotherset::ColorBox2)
        .Field("ColorBox3", &Tfotherset::ColorBox3)
        .Field("CheckBox1", &Tfotherset::CheckBox1)
        .Field("CheckBox2", &Tfotherset::CheckBox2)
        .Field("Button1", &Tfotherset::Button1)
        .Field("Button2", &Tfotherset::Button2)
        .Handler("FormCreate", &Tfotherset::FormCreate)
        .Handler("Button1Click", &Tfotherset::Button1Click)
        .Handler("Button2Click", &Tfotherset::Button2Click)
        .Handler("CheckBox1Click", &Tfotherset::CheckBox1Click)
        .Handler("CheckBox2Click", &Tfotherset::CheckBox2Click)
        .Build();
    return info;
}

void Tfotherset::FormCreate(TObject*) {
    ColorBox1->SetSelected(Form1->OnColor);
    ColorBox2->SetSelected(Form1->OffColor);
    if (Form1->ErrorColor == Form1->Panel1->Color()) CheckBox1->SetChecked(true);
    else ColorBox3->SetSelected(Form1->ErrorColor);
    if (Form1->LightMode > 0) CheckBox2->SetChecked(true);
}

void Tfotherset::CheckBox1Click(TObject*) { ColorBox3->SetEnabled(!CheckBox1->Checked() && !CheckBox2->Checked()); }

void Tfotherset::CheckBox2Click(TObject*) {
    const bool pattern = !CheckBox2->Checked();
    ColorBox1->SetEnabled(pattern);
    ColorBox2->SetEnabled(pattern);
    CheckBox1->SetEnabled(pattern);
    // The error colour box stays off while the error lights take the panel's colour.
    ColorBox3->SetEnabled(pattern && !CheckBox1->Checked());
}

void Tfotherset::Button1Click(TObject*) {
    if (CheckBox2->Checked()) {
        Form1->LightMode = 1;
    } else {
        Form1->LightMode = 0;
        Form1->OnColor = ColorBox1->Selected();
        Form1->OffColor = ColorBox2->Selected();
        Form1->ErrorColor = CheckBox1->Checked() ? Form1->Panel1->Color() : ColorBox3->Selected();
    }
    SetModalResult(mrOk);
}

void Tfotherset::Button2Click(TObject*) { SetModalResult(mrCancel); }
