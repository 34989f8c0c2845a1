#include "MemoFeed.h"

int MemoLinesIn(const std::string& text) {
    int lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ++lines;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    const bool openLast = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return lines + (openLast ? 1 : 0);
}

void TMemoFeed::Add(const std::string& line) {
    const std::string added = line + "\r\n";
    FText += added;
    FLineCount += MemoLinesIn(added);
}

void TMemoFeed::Clear() {
    FText.clear();
    FReplace = true;
    FLineCount = 0;
}

TMemoChange TMemoFeed::Take() {
    TMemoChange change;
    change.Replace = FReplace;
    change.Text.swap(FText);
    FReplace = false;
    return change;
}
