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

// Whether the field holds a "," or a line break.
bool HoldsListSeparator(const std::string& field);
