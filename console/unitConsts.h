#pragma once
// The console's localized texts: identifiers in the program's string table (unitConsts.rc).
#include <string>

enum TConstId {
    sButtonOK = 65232,
    sButtonCancel = 65233,
    sButtonHelp = 65234,
    sButtonAbort = 65235,
    sButtonRetry = 65236,
    sButtonIgnore = 65237,
    sButtonAll = 65238,
    sButtonNoToAll = 65239,
    sButtonYesToAll = 65240,
    sCannotOpenClipboard = 65241,
    sCaptionWarning = 65258,
    sCaptionError = 65259,
    sCaptionInformation = 65260,
    sCaptionConfirmation = 65261,
    sButtonYes = 65262,
    sButtonNo = 65263,
};

// The text under the identifier in the program's string table.
std::string ConstText(TConstId id);
