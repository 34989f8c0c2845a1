#pragma once
// How the values of a skin description read. A value that does not read gives the caller's
// default; a skin never reports a bad value.
#include <string>

// A 32-bit integer: an optional sign and decimal digits or "$" and hexadecimal digits, or "0x"
// and hexadecimal digits. Hexadecimal up to FFFFFFFF wraps into the negative range as a bit
// pattern. Anything else, and overflow, gives the default.
int IniTextToInt(const std::string& text, int fallback);
