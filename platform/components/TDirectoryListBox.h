#pragma once
#include <vector>

#include "components/TCustomListBox.h"

// The folders on the way to the current directory (one line each, indented) and the folders
// inside it. A double click opens the folder clicked, then runs OnDblClick.
class TDirectoryListBox : public TCustomListBox {
    DECLARE_CLASS(TDirectoryListBox, TCustomListBox)
public:
    explicit TDirectoryListBox(TComponent* owner);

    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& directory);
    char Drive() const { return FDirectory.empty() ? 'c' : FDirectory[0]; }
    void SetDrive(char drive);
    // The full path of a line of the list.
    std::string GetItemPath(int index) const;
    void OpenCurrent();

    TNotifyEvent OnChange;

protected:
    void InitializeWindow() override;
    void DblClick() override;

private:
    void FillList();

    std::string FDirectory;
    std::vector<std::string> FPaths;
};
