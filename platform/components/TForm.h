#pragma once
#include "components/TCustomForm.h"

// The form class the program's own forms derive from.
class TForm : public TCustomForm {
    DECLARE_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};
