// What a device name and the other typed fields of a device may hold. The name becomes a file
// name (devices\<name>.ini) and every field a field of devices.csv, which has no quoting.
// Texts are GBK: the second byte of a Chinese character is never taken for a character of its
// own.
#pragma once

#include <string>

enum class DeviceNameFault {
    None,
    ListSeparator,    // "," or a line break: the name would shift the fields of its line
    ControlCharacter, // a byte below 0x20, or 0x7F
    PathCharacter,    // \ / : * ? " < > |
    DotName,          // "." or ".."
    ReservedName,     // a name the system keeps for a device: CON, NUL, COM1, ...
};

// The first fault of the name in the order of the enumeration; None for a name that may be
// committed. The empty name is not judged here.
DeviceNameFault CheckDeviceName(const std::string& name);

// Whether a file name may be made of the name: every fault rules it out but a ",", which a
// file name may hold (a line break is a control character).
bool IsSafeFileName(const std::string& name);

// Whether two names name one file. The system compares file names without regard to case: the
// ASCII letters, and the GBK letters that come in both cases, are compared as capitals. Those
// are the full-width Latin letters (A3C1-A3DA / A3E1-A3FA), the Greek letters (A6A1-A6B8 /
// A6C1-A6D8), the Cyrillic letters (A7A1-A7C1 / A7D1-A7F1) and the Roman numerals one to ten
// (A2F1-A2FA / A2A1-A2AA). A letter is never taken for its full-width or ASCII twin, and the
// second byte of a Chinese character never for a letter.
bool SameFileName(const std::string& a, const std::string& b);

// Whether the field holds a "," or a line break.
bool HoldsListSeparator(const std::string& field);
