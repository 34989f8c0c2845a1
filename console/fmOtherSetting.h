#pragma once
// The indicator lights: running light or packet pattern, and the pattern's three colours.
#include "components/TButton.h"
#include "components/TColorBox.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomGroupBox.h"
#include "components/TCustomLabel.h"
#include "components/TForm.h"

class Tfotherset : public TForm {
    DECLARE_CLASS(Tfotherset, TForm)
public:
    explicit Tfotherset(TComponent* owner) : TForm(owner) {}

    TColorBox* ColorBox1 = nullptr;  // on
    TColorBox* ColorBox2 = nullptr;  // off
    TColorBox* ColorBox3 = nullptr;  // error
    TCheckBox* CheckBox1 = nullptr;  // error lights take the panel's colour
    TCheckBox* CheckBox2 = nullptr;  // running light instead of the pattern
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void CheckBox2Click(TObject* Sender);
};
