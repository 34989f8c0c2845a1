#include "components/TMemoStrings.h"

#include "components/Win32.h"

#include "components/TClassInfo.h"
#include "components/TCustomMemo.h"

const TClassInfo& TMemoStrings::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMemoStrings>("TMemoStrings").Build();
    return info;
}

std::vector<std::string> TMemoStrings::Lines() const { return SplitLines(FMemo.Text()); }

void TMemoStrings::Store(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    FMemo.SetText(text);
}

int TMemoStrings::Count() const { return static_cast<int>(Lines().size()); }

std::string TMemoStrings::Get(int index) const {
    const auto lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    return lines[static_cast<size_t>(index)];
}

void TMemoStrings::Put(int index, const std::string& text) {
    auto lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    lines[static_cast<size_t>(index)] = text;
    Store(lines);
}

void TMemoStrings::Insert(int index, const std::string& text) {
    const std::string current = FMemo.Text();
    const int count = static_cast<int>(SplitLines(current).size());
    CheckIndex(index, count + 1);
    if (index == count && FMemo.HandleAllocated()) {
        // Appending is what a log window does all day: add at the end without rewriting all.
        const bool needsBreak = !current.empty() && current.back() != '\n' && current.back() != '\r';
        const std::string added = (needsBreak ? "\r\n" : "") + text + "\r\n";
        HWND window = FMemo.Handle();
        const LRESULT end = GetWindowTextLengthA(window);
        SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(end), end);
        SendMessageA(window, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
        return;
    }
    auto lines = SplitLines(current);
    lines.insert(lines.begin() + index, text);
    Store(lines);
}

void TMemoStrings::Delete(int index) {
    auto lines = Lines();
    CheckIndex(index, static_cast<int>(lines.size()));
    lines.erase(lines.begin() + index);
    Store(lines);
}

void TMemoStrings::Clear() { FMemo.SetText(""); }

std::string TMemoStrings::Text() const { return FMemo.Text(); }

void TMemoStrings::SetText(const std::string& text) { FMemo.SetText(text); }

void TMemoStrings::SetUpdateState(bool updating) {
    if (!FMemo.HandleAllocated()) return;
    SendMessageA(FMemo.Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) FMemo.Invalidate();
}
