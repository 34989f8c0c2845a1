#pragma once
// The start mode: whether the service starts as soon as the console opens. Stored at once; a
// choice that cannot be stored keeps the dialog open.
#include "components/TButton.h"
#include "components/TForm.h"
#include "components/TRadioButton.h"

class TFStart : public TForm {
    DECLARE_CLASS(TFStart, TForm)
public:
    explicit TFStart(TComponent* owner) : TForm(owner) {}

    TRadioButton* RadioButton1 = nullptr;  // manual
    TRadioButton* RadioButton2 = nullptr;  // automatic
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
};
