// The login's password hash, free of window code.
#pragma once

#include <string>

// The password cut at 16 bytes and zero-padded to 16, then a 16-byte built-in constant; MD5 over
// those 32 bytes as 32 upper-case hex digits. Passwords that share their first 16 bytes share
// their hash.
std::string HashPassword(const std::string& password);
