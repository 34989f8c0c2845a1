// The MD5 message digest (RFC 1321), as the tool's check codes and password hash use it. Free
// of window code, so that it is also built natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct MD5Context {
    std::uint32_t state[4];
    std::uint64_t bitCount; // of everything added so far
    unsigned char buffer[64];
};

void MD5Init(MD5Context* pContext);
// Adds any number of bytes; the digest is the same however the input is cut into calls.
void MD5Update(MD5Context* pContext, const void* pData, std::size_t nLength);
void MD5Final(unsigned char digest[16], MD5Context* pContext);
// One 64-byte block into the state.
void MD5Transform(std::uint32_t state[4], const unsigned char block[64]);
void MD5(const void* pData, std::size_t nLength, unsigned char digest[16]);

// The 16 digest bytes in order, each as two upper-case hex digits, high nibble first.
std::string DigestToHex(const unsigned char digest[16]);
