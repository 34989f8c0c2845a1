#pragma once
// Conversions between the link library's binary fields and the texts the console shows and
// takes: addresses, hex dumps, typed hex data. No Win32 here, so they are checked natively too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Dotted decimal of an address whose first octet is the most significant byte.
std::string IpToText(std::uint32_t address);
// Two upper-case hex digits and a blank for each byte.
std::string BytesToHexText(const std::uint8_t* bytes, std::size_t count);
// 0-15 for a hex digit of either case; -1 for any other character.
int HexDigitValue(char c);
// The 1-based position of the first character that is no hex digit; 0 when every one is.
int FirstNonHexPosition(const std::string& text);
// One byte per pair of digits, high digit first; a trailing odd digit is dropped. Callers
// check the text with FirstNonHexPosition first.
std::vector<std::uint8_t> HexTextToBytes(const std::string& text);
// A fixed-size, NUL-padded field as text: up to its first NUL, or the whole field when full.
std::string FieldText(const char* field, std::size_t size);
