#include "components/TClipboard.h"

#include "components/Win32.h"

#include <cstring>

#include "components/Dialogs.h"
#include "components/TApplication.h"

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

static void OpenOrThrow() {
    if (!OpenClipboard(Application->Handle())) throw EClipboardError(LoadResString(SCannotOpenClipboard, "Cannot open clipboard"));
}

void TClipboard::SetAsText(const std::string& text) {
    OpenOrThrow();
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

std::string TClipboard::AsText() {
    OpenOrThrow();
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) text = chars;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}
