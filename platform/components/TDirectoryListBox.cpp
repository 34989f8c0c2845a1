#include "components/TDirectoryListBox.h"

#include "components/Win32.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"

const TClassInfo& TDirectoryListBox::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDirectoryListBox>("TDirectoryListBox")
        .Str("Directory", &TDirectoryListBox::Directory, &TDirectoryListBox::SetDirectory)
        .Event("OnChange", &TDirectoryListBox::OnChange)
        .Build();
    return info;
}

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) {
    char current[MAX_PATH] = {0};
    GetCurrentDirectoryA(MAX_PATH, current);
    FDirectory = current;
}

static std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

void TDirectoryListBox::SetDirectory(const std::string& directory) {
    std::string full = WithoutTrailingSlash(directory);
    char buffer[MAX_PATH] = {0};
    if (GetFullPathNameA(full.c_str(), MAX_PATH, buffer, nullptr)) full = WithoutTrailingSlash(buffer);
    if (SameText(full, FDirectory)) return;
    FDirectory = full;
    if (HandleAllocated()) FillList();
    if (OnChange && !InState(csLoading)) OnChange(this);
}

void TDirectoryListBox::SetDrive(char drive) {
    if (std::tolower(static_cast<unsigned char>(drive)) == std::tolower(static_cast<unsigned char>(Drive()))) return;
    // The drive's own current directory when it has one, else its root.
    char root[] = {drive, ':', '\0'};
    char buffer[MAX_PATH] = {0};
    if (!GetFullPathNameA(root, MAX_PATH, buffer, nullptr)) std::snprintf(buffer, sizeof buffer, "%c:\\", drive);
    SetDirectory(buffer);
}

std::string TDirectoryListBox::GetItemPath(int index) const {
    if (index < 0 || index >= static_cast<int>(FPaths.size())) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return FPaths[static_cast<size_t>(index)];
}

void TDirectoryListBox::InitializeWindow() {
    TCustomListBox::InitializeWindow();
    FillList();
}

void TDirectoryListBox::FillList() {
    FPaths.clear();
    std::vector<std::string> lines;
    // The way down from the root: "c:\", then each folder, one step further in.
    std::string path = FDirectory.substr(0, std::min<size_t>(3, FDirectory.size()));
    if (path.size() == 2) path += "\\";
    lines.push_back(path);
    FPaths.push_back(path);
    size_t start = 3;
    int depth = 1;
    while (start < FDirectory.size()) {
        size_t end = FDirectory.find('\\', start);
        if (end == std::string::npos) end = FDirectory.size();
        const std::string part = FDirectory.substr(start, end - start);
        FPaths.push_back(FDirectory.substr(0, end));
        lines.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + part);
        ++depth;
        start = end + 1;
    }
    const int current = static_cast<int>(lines.size()) - 1;
    std::vector<std::string> children;
    WIN32_FIND_DATAA found;
    const std::string base = FPaths.back().back() == '\\' ? FPaths.back() : FPaths.back() + "\\";
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..") children.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(children.begin(), children.end(), [](const std::string& a, const std::string& b) { return LowerCase(a) < LowerCase(b); });
    for (const std::string& name : children) {
        lines.push_back(std::string(static_cast<size_t>(depth) * 2, ' ') + name);
        FPaths.push_back(base + name);
    }
    TStrings* items = Items();
    items->BeginUpdate();
    items->Clear();
    for (const std::string& line : lines) items->Add(line);
    items->EndUpdate();
    SetItemIndex(current);
}

void TDirectoryListBox::OpenCurrent() {
    const int index = ItemIndex();
    if (index >= 0 && index < static_cast<int>(FPaths.size())) SetDirectory(FPaths[static_cast<size_t>(index)]);
}

void TDirectoryListBox::DblClick() {
    OpenCurrent();
    TCustomListBox::DblClick();
}
