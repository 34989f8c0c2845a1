// The SMS command frame that the tool sends to a device, free of window code:
//
//   reply flag ("+" or "-"), two random characters, "T", command groups, 8-digit check code
//
// The text before the check code holds at most 140 characters. The check code is the first 8
// hex digits of MD5 over a 16-byte key followed by that text; the trusted-phone list of a set
// command carries all 32 digits of its own code, made with the second key. docs/sms-commands.md
// describes the frame, the keys and the replies for anyone who writes a terminal.
#pragma once

#include <string>

// The 62 characters the two random characters of a prefix are drawn from.
extern const char kFrameAlphabet[];
const int kFrameAlphabetSize = 62;
// The most characters a frame may hold before its check code.
const std::size_t kFrameTextMax = 140;
const std::size_t kFrameCodeLength = 8;

enum SmsKey {
    kFrameKey = 0, // signs whole frames
    kTrustKey = 1, // signs the trusted-phone list
};

// The two characters that two draws of the run-time library's generator pick.
std::string RandomPair(int nDraw1, int nDraw2);

// 32 upper-case hex digits: MD5 over the 16 bytes of the key, then the text. Any key index other
// than kTrustKey signs with the frame key. The text may be of any length.
std::string SignSms(const std::string& text, int nKeyIndex);

// The check code a set command carries after the trusted-phone list: all 32 digits over the
// list followed by ",", with the trust key.
std::string SignTrustList(const std::string& list);

// The frame: the text followed by the first 8 digits of its code.
std::string SignFrame(const std::string& text);

enum class FrameFault {
    None,
    TooLong,          // more than kFrameTextMax characters before the check code
    ControlCharacter, // Ctrl-Z or ESC would end or cancel the message at the modem, CR or LF
                      // would break the dialogue with it
};
FrameFault CheckFrameText(const std::string& text);
bool HoldsControlCharacter(const std::string& text);
