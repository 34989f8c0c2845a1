#pragma once
// Text routines the skin painters share: window texts widened from the program's code page,
// drawn with the wide text call where the system has it, and the control behind a window.
#include "components/Win32.h"

#include <string>

class TControl;

// The text converted from the system's ANSI code page.
std::wstring AnsiToWide(const std::string& text);
// The first count characters of the wide text (fewer when it ends before), or all up to its
// terminating zero for a count of -1; an empty text for no text.
std::wstring WideCopy(const wchar_t* text, int count);
// DrawTextW on Windows NT; elsewhere DrawTextA of the text in the ANSI code page. Returns what
// the call returns (the text's height).
int DrawTextWide(HDC dc, const std::wstring& text, RECT& r, UINT format);
// The control the component layer made for the window; nullptr for any other window and for no
// window.
TControl* ControlFromHandle(HWND window);
