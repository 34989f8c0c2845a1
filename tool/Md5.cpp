#include "Md5.h"

#include <cstring>

namespace {

inline std::uint32_t RotateLeft(std::uint32_t x, int n)
{
    return (x << n) | (x >> (32 - n));
}

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) | (~x & z); }
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & z) | (y & ~z); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

// The shift amounts of the four rounds, four per round.
const int kShifts[4][4] = { { 7, 12, 17, 22 }, { 5, 9, 14, 20 }, { 4, 11, 16, 23 }, { 6, 10, 15, 21 } };

// T[i] = floor(2^32 * |sin(i + 1)|), as the RFC tabulates it.
const std::uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

void EncodeLittleEndian(unsigned char* pOut, std::uint64_t value, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        pOut[i] = (unsigned char)(value >> (8 * i));
}

} // namespace

void MD5Init(MD5Context* pContext)
{
    pContext->state[0] = 0x67452301;
    pContext->state[1] = 0xefcdab89;
    pContext->state[2] = 0x98badcfe;
    pContext->state[3] = 0x10325476;
    pContext->bitCount = 0;
    std::memset(pContext->buffer, 0, sizeof pContext->buffer);
}

void MD5Transform(std::uint32_t state[4], const unsigned char block[64])
{
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = (std::uint32_t)block[4 * i] | ((std::uint32_t)block[4 * i + 1] << 8) |
               ((std::uint32_t)block[4 * i + 2] << 16) | ((std::uint32_t)block[4 * i + 3] << 24);
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 64; ++step) {
        int round = step / 16;
        std::uint32_t f = 0;
        int k = 0;
        switch (round) {
        case 0:
            f = F(b, c, d);
            k = step;
            break;
        case 1:
            f = G(b, c, d);
            k = (5 * step + 1) % 16;
            break;
        case 2:
            f = H(b, c, d);
            k = (3 * step + 5) % 16;
            break;
        default:
            f = I(b, c, d);
            k = (7 * step) % 16;
            break;
        }
        std::uint32_t rotated = RotateLeft(a + f + x[k] + kSines[step], kShifts[round][step % 4]);
        a = d;
        d = c;
        c = b;
        b = b + rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

void MD5Update(MD5Context* pContext, const void* pData, std::size_t nLength)
{
    const unsigned char* pInput = static_cast<const unsigned char*>(pData);
    std::size_t nUsed = (std::size_t)((pContext->bitCount / 8) % 64);
    pContext->bitCount += (std::uint64_t)nLength * 8;
    while (nLength > 0) {
        std::size_t nTake = 64 - nUsed < nLength ? 64 - nUsed : nLength;
        std::memcpy(pContext->buffer + nUsed, pInput, nTake);
        nUsed += nTake;
        pInput += nTake;
        nLength -= nTake;
        if (nUsed == 64) {
            MD5Transform(pContext->state, pContext->buffer);
            nUsed = 0;
        }
    }
}

// Pads to 56 bytes past a block boundary with 0x80 and zeros, then the bit count.
void MD5Final(unsigned char digest[16], MD5Context* pContext)
{
    unsigned char length[8];
    EncodeLittleEndian(length, pContext->bitCount, 8);
    static const unsigned char kPadding[64] = { 0x80 };
    std::size_t nUsed = (std::size_t)((pContext->bitCount / 8) % 64);
    std::size_t nPad = nUsed < 56 ? 56 - nUsed : 120 - nUsed;
    MD5Update(pContext, kPadding, nPad);
    MD5Update(pContext, length, 8);
    for (int i = 0; i < 4; ++i)
        EncodeLittleEndian(digest + 4 * i, pContext->state[i], 4);
    std::memset(pContext, 0, sizeof *pContext);
}

void MD5(const void* pData, std::size_t nLength, unsigned char digest[16])
{
    MD5Context context;
    MD5Init(&context);
    MD5Update(&context, pData, nLength);
    MD5Final(digest, &context);
}

std::string DigestToHex(const unsigned char digest[16])
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (int i = 0; i < 16; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 0x0F];
    }
    return hex;
}
