#include "components/ControlTypes.h"

#include <string>

static bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

TShiftState KeyboardShiftState() {
    TShiftState state = 0;
    if (KeyDown(VK_SHIFT)) state |= ssShift;
    if (KeyDown(VK_CONTROL)) state |= ssCtrl;
    if (KeyDown(VK_MENU)) state |= ssAlt;
    if (KeyDown(VK_LBUTTON)) state |= ssLeft;
    if (KeyDown(VK_RBUTTON)) state |= ssRight;
    if (KeyDown(VK_MBUTTON)) state |= ssMiddle;
    return state;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
    TShiftState state = 0;
    if (KeyDown(VK_SHIFT)) state |= ssShift;
    if (KeyDown(VK_CONTROL)) state |= ssCtrl;
    // Bit 29 of the key data: Alt was held down with the key.
    if (keyData & (1 << 29)) state |= ssAlt;
    return state;
}

char GetHotkey(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

bool IsAccel(char key, const std::string& caption) {
    const char hot = GetHotkey(caption);
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return hot != 0 && upper(hot) == upper(key);
}

std::string StripHotkey(const std::string& caption) {
    std::string text;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') text += '&';
            ++i;
            if (i < caption.size() && caption[i] != '&') text += caption[i];
            continue;
        }
        text += caption[i];
    }
    return text;
}
