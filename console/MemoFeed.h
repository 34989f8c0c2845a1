#pragma once
// The memo's lines between two updates of the screen. However many lines come in between, the
// memo then changes once: the new lines appended at its end, or, when it was emptied meanwhile,
// its whole text replaced by what came after. It counts the memo's lines itself, since reading
// the whole text back to count them costs more than showing the lines does.
#include <string>

struct TMemoChange {
    bool Replace = false;  // the memo's text goes; Text takes its place
    std::string Text;      // the lines, each ended by CR LF
};

class TMemoFeed {
public:
    // A memo that already shows the given number of lines.
    explicit TMemoFeed(int linesShown = 0) : FLineCount(linesShown) {}

    // One line (its own line breaks, if any, make further lines of the memo).
    void Add(const std::string& line);
    // Empties the memo at the next update, dropping the lines not shown yet.
    void Clear();
    // The lines the memo holds once the change pending is shown.
    int LineCount() const { return FLineCount; }
    bool Pending() const { return FReplace || !FText.empty(); }
    // The change to make to the memo; nothing is pending afterwards.
    TMemoChange Take();

private:
    std::string FText;
    bool FReplace = false;
    int FLineCount = 0;
};

// The number of lines a text makes in the memo: CR LF, a lone CR and a lone LF each end one;
// text after the last break is a line of its own.
int MemoLinesIn(const std::string& text);
