#include "SmsFrame.h"

#include "Md5.h"

#include <cstring>

const char kFrameAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

namespace {

// The keys are built when they are used, from these bytes; the same
// values stand in docs/sms-commands.md.
const unsigned char kFrameKeyBytes[16] = { 0x3A, 0x91, 0x5C, 0x07, 0xE2, 0x48, 0xB6, 0x1D,
                                           0x73, 0xAF, 0x20, 0xC5, 0x6E, 0x09, 0xD4, 0x82 };
const unsigned char kTrustKeyBytes[16] = { 0x58, 0x0B, 0xF3, 0x66, 0x2D, 0x94, 0x71, 0xCE,
                                           0x15, 0xA8, 0x3F, 0xE0, 0x47, 0x9A, 0x62, 0xBD };

void BuildKey(int nKeyIndex, unsigned char key[16])
{
    std::memcpy(key, nKeyIndex == kTrustKey ? kTrustKeyBytes : kFrameKeyBytes, 16);
}

} // namespace

std::string RandomPair(int nDraw1, int nDraw2)
{
    std::string pair;
    pair += kFrameAlphabet[(unsigned)nDraw1 % kFrameAlphabetSize];
    pair += kFrameAlphabet[(unsigned)nDraw2 % kFrameAlphabetSize];
    return pair;
}

// The key and the text are streamed into the digest, so no length of text overflows anything.
std::string SignSms(const std::string& text, int nKeyIndex)
{
    unsigned char key[16];
    BuildKey(nKeyIndex, key);
    MD5Context context;
    MD5Init(&context);
    MD5Update(&context, key, sizeof key);
    MD5Update(&context, text.data(), text.size());
    unsigned char digest[16];
    MD5Final(digest, &context);
    return DigestToHex(digest);
}

std::string SignTrustList(const std::string& list)
{
    return SignSms(list + ",", kTrustKey);
}

std::string SignFrame(const std::string& text)
{
    return text + SignSms(text, kFrameKey).substr(0, kFrameCodeLength);
}

bool HoldsControlCharacter(const std::string& text)
{
    for (char ch : text) {
        unsigned char byte = (unsigned char)ch;
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

FrameFault CheckFrameText(const std::string& text)
{
    if (text.size() > kFrameTextMax)
        return FrameFault::TooLong;
    if (HoldsControlCharacter(text))
        return FrameFault::ControlCharacter;
    return FrameFault::None;
}
