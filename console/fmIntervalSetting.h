#pragma once
// The terminals' registration interval, one to four minutes.
#include "components/TButton.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomLabel.h"
#include "components/TForm.h"

class Tfinterval : public TForm {
    DECLARE_CLASS(Tfinterval, TForm)
public:
    explicit Tfinterval(TComponent* owner) : TForm(owner) {}

    TComboBox* ComboBox1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
};
