#pragma once
// The account list. Kept for a later version: only its exit button does anything, and its
// menu item is hidden.
#include "components/TButton.h"
#include "components/TCustomListBox.h"
#include "components/TForm.h"

class Tfaccount : public TForm {
    DECLARE_CLASS(Tfaccount, TForm)
public:
    explicit Tfaccount(TComponent* owner) : TForm(owner) {}

    TListBox* ListBox1 = nullptr;
    TButton* Button4 = nullptr;

    void Button4Click(TObject* Sender);
};
