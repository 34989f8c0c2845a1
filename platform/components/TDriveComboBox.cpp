#include "components/TDriveComboBox.h"

#include <cctype>
#include <cstring>

#include "components/TClassInfo.h"
#include "components/TDirectoryListBox.h"

const TClassInfo& TDriveComboBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDriveComboBox>("TDriveComboBox")
        .Object("DirList", &TDriveComboBox::DirList, &TDriveComboBox::SetDirList)
        .Build();
    return info;
}

TDriveComboBox::TDriveComboBox(TComponent* owner) : TCustomComboBox(owner) {
    TCustomComboBox::SetStyle(csDropDownList);
    char current[MAX_PATH] = {0};
    if (GetCurrentDirectoryA(MAX_PATH, current) && std::isalpha(static_cast<unsigned char>(current[0])))
        FDrive = static_cast<char>(std::tolower(static_cast<unsigned char>(current[0])));
}

void TDriveComboBox::FillDrives() {
    char drives[512] = {0};
    const DWORD length = GetLogicalDriveStringsA(sizeof drives - 1, drives);
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    for (const char* root = drives; length && *root; root += std::strlen(root) + 1) {
        std::string entry(1, static_cast<char>(std::tolower(static_cast<unsigned char>(root[0]))));
        entry += ":";
        char label[MAX_PATH] = {0};
        if (GetDriveTypeA(root) == DRIVE_FIXED && GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
            entry += std::string(" [") + label + "]";
        items->Add(entry);
    }
    items->EndUpdate();
}

int TDriveComboBox::IndexOfDrive(char drive) {
    for (int i = 0; i < Items()->Count(); ++i)
        if (std::tolower(static_cast<unsigned char>(Items()->Get(i)[0])) == std::tolower(static_cast<unsigned char>(drive))) return i;
    return -1;
}

void TDriveComboBox::InitializeWindow() {
    TCustomComboBox::InitializeWindow();
    FillDrives();
    SetItemIndex(IndexOfDrive(FDrive));
}

void TDriveComboBox::SetDrive(char drive) {
    drive = static_cast<char>(std::tolower(static_cast<unsigned char>(drive)));
    if (drive == FDrive) return;
    FDrive = drive;
    if (HandleAllocated()) SetItemIndex(IndexOfDrive(drive));
    if (FDirList) FDirList->SetDrive(drive);
    Change();
}

void TDriveComboBox::Select() {
    const int index = ItemIndex();
    if (index >= 0) SetDrive(Items()->Get(index)[0]);
    TCustomComboBox::Select();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    if (FDirList) FDirList->RemoveFreeNotification(this);
    FDirList = list;
    if (list) list->FreeNotification(this);
}

void TDriveComboBox::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FDirList) FDirList = nullptr;
}
