#include "PasswordHash.h"

#include "Md5.h"

#include <cstring>

namespace {

// Built into the block when a password is hashed; the value is fixed for every installation,
// since the stored hashes depend on it (docs/sms-commands.md).
const unsigned char kPasswordBytes[16] = { 0xC3, 0x1E, 0x8A, 0x55, 0x70, 0x2F, 0xD9, 0x04,
                                           0xB1, 0x6C, 0x93, 0x48, 0xE7, 0x3A, 0x05, 0xF6 };

} // namespace

std::string HashPassword(const std::string& password)
{
    unsigned char block[32] = {};
    std::memcpy(block, password.data(), password.size() < 16 ? password.size() : 16);
    std::memcpy(block + 16, kPasswordBytes, sizeof kPasswordBytes);
    unsigned char digest[16];
    MD5(block, sizeof block, digest);
    return DigestToHex(digest);
}
