#include "fmFileManage.h"

#include <windows.h>

#include "components/Dialogs.h"
#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "fmMain.h"

namespace {

bool DirectoryExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

const TClassInfo& Tflog::StaticClass() {
    static const TClassInfo info = TClassBuilder<Tflog>("Tflog")
        .Field("DriveComboBox1", &Tflog::DriveComboBox1)
        .Field("DirectoryListBox1", &Tflog::DirectoryListBox1)
        .Field("CheckBox1", &Tflog::CheckBox1)
        .Field("Memo1", &Tflog::Memo1)
        .Field("ComboBox1", &Tflog::ComboBox1)
        .Field("Button1", &Tflog::Button1)
        .Field("Button2", &Tflog::Button2)
        .Handler("FormCreate", &Tflog::FormCreate)
        .Handler("CheckBox1Click", &Tflog::CheckBox1Click)
        .Handler("DirectoryListBox1DblClick", &Tflog::DirectoryListBox1DblClick)
        .Handler("Button1Click", &Tflog::Button1Click)
        .Handler("Button2Click", &Tflog::Button2Click)
        .Build();
    return info;
}

void Tflog::FormCreate(TObject*) {
    if (Form1->LogDir == "NODIR") CheckBox1->SetChecked(true);
    else if (DirectoryExists(Form1->LogDir)) DirectoryListBox1->SetDirectory(Form1->LogDir);
    DriveComboBox1->SetDrive(DirectoryListBox1->Drive());
    Memo1->SetText(Form1->LogDir);
    ComboBox1->SetItemIndex(ComboBox1->Items()->IndexOf(IntToStr(Form1->RecordsPerFile)));
}

void Tflog::CheckBox1Click(TObject*) {
    DriveComboBox1->SetEnabled(!CheckBox1->Checked());
    DirectoryListBox1->SetEnabled(!CheckBox1->Checked());
}

void Tflog::DirectoryListBox1DblClick(TObject*) { Memo1->SetText(DirectoryListBox1->Directory()); }

void Tflog::Button1Click(TObject*) {
    if (CheckBox1->Checked()) {
        Form1->LogDir = "NODIR";
    } else {
        const std::string folder = Trim(Memo1->Text());
        if (!DirectoryExists(folder)) {
            ShowMessage("目录不存在");
            return;
        }
        Form1->LogDir = folder;
    }
    if (ComboBox1->ItemIndex() >= 0) Form1->RecordsPerFile = StrToIntDef(ComboBox1->Text(), Form1->RecordsPerFile);
    SetModalResult(mrOk);
}

void Tflog::Button2Click(TObject*) { SetModalResult(mrCancel); }
