#pragma once
#include <string>

#include "components/SysUtils.h"

class EClipboardError : public Exception { using Exception::Exception; };

// The system clipboard's plain text.
class TClipboard {
public:
    // Throws EClipboardError (the program's "cannot open clipboard" text) when it is busy.
    void SetAsText(const std::string& text);
    std::string AsText();
};

TClipboard* Clipboard();
