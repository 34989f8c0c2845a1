#pragma once
// How the values of a skin description read. A value that does not read gives the caller's
// default; a skin never reports a bad value.
#include <string>

#include "components/Colors.h"

// A 32-bit integer: an optional sign and decimal digits or "$" and hexadecimal digits, or "0x"
// and hexadecimal digits. Hexadecimal up to FFFFFFFF wraps into the negative range as a bit
// pattern. Anything else, and overflow, gives the default.
int IniTextToInt(const std::string& text, int fallback);

// A colour written as red, green and blue: decimal numbers separated by anything that is not a
// digit ("213 209 201", "213,209,201"), each taken modulo 256; a missing green or blue is 0 and
// numbers after the third are ignored. A text without a number gives the default.
TColor ColourTextToColor(const std::string& text, TColor fallback);

// A colour given as three integer keys (NameR, NameG, NameB): set only when all three are 0 or
// more, each taken modulo 256.
bool ColourFromChannels(int red, int green, int blue, TColor& colour);

// The package entry an image value names: the text after its last "\" or ":", when it ends in
// ".bmp" in lower case; empty (no image) for any other value.
std::string ImageEntryName(const std::string& value);

// The largest picture a skin may hold, in either direction: far above any real skin's, small
// enough that the copies the painters make of it fit in memory. A larger one is no picture.
constexpr int MaxSkinPictureSide = 4096;
inline bool IsSkinPictureSize(int width, int height) {
    return width <= MaxSkinPictureSide && height <= MaxSkinPictureSide;
}
