#pragma once
// The serial bridge's settings: port, baud rate, parity, data bits and stop bits.
#include "components/TButton.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomLabel.h"
#include "components/TForm.h"

class Tfcomset : public TForm {
    DECLARE_CLASS(Tfcomset, TForm)
public:
    explicit Tfcomset(TComponent* owner) : TForm(owner) {}

    TComboBox* ComboBox1 = nullptr;  // port
    TComboBox* ComboBox2 = nullptr;  // baud rate
    TComboBox* ComboBox3 = nullptr;  // parity
    TComboBox* ComboBox4 = nullptr;  // data bits
    TComboBox* ComboBox5 = nullptr;  // stop bits
    TComboBox* ComboBox6 = nullptr;  // flow control, shown only
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    void FormCreate(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
};
