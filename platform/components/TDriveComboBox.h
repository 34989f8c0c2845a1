#pragma once
#include "components/TCustomComboBox.h"

class TDirectoryListBox;

// A drop-down list of the system's drives ("c: [label]"); choosing one moves the bound
// directory list to that drive.
class TDriveComboBox : public TCustomComboBox {
    DECLARE_CLASS(TDriveComboBox, TCustomComboBox)
public:
    explicit TDriveComboBox(TComponent* owner);

    char Drive() const { return FDrive; }
    void SetDrive(char drive);
    TDirectoryListBox* DirList() const { return FDirList; }
    void SetDirList(TDirectoryListBox* list);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void InitializeWindow() override;
    void Select() override;

private:
    void FillDrives();
    int IndexOfDrive(char drive);

    char FDrive = 'c';
    TDirectoryListBox* FDirList = nullptr;
};
