#pragma once
// The about box.
#include "components/TButton.h"
#include "components/TCustomLabel.h"
#include "components/TForm.h"
#include "components/TImage.h"

class Tfabout : public TForm {
    DECLARE_CLASS(Tfabout, TForm)
public:
    explicit Tfabout(TComponent* owner) : TForm(owner) {}

    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TButton* Button1 = nullptr;

    void Button1Click(TObject* Sender);
};
