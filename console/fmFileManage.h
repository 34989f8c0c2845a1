#pragma once
// The data log files: their folder (the program's own, or one chosen) and records per file.
#include "components/TButton.h"
#include "components/TCustomCheckBox.h"
#include "components/TCustomComboBox.h"
#include "components/TCustomLabel.h"
#include "components/TCustomMemo.h"
#include "components/TDirectoryListBox.h"
#include "components/TDriveComboBox.h"
#include "components/TForm.h"
#include "components/TPageControl.h"
#include "components/TTabSheet.h"

class Tflog : public TForm {
    DECLARE_CLASS(Tflog, TForm)
public:
    explicit Tflog(TComponent* owner) : TForm(owner) {}

    TDriveComboBox* DriveComboBox1 = nullptr;
    TDirectoryListBox* DirectoryListBox1 = nullptr;
    TCheckBox* CheckBox1 = nullptr;  // the program's own folder
    TMemo* Memo1 = nullptr;          // the folder chosen
    TComboBox* ComboBox1 = nullptr;  // records per file
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    void FormCreate(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void DirectoryListBox1DblClick(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
};
