#pragma once
// Framing of the terminal protocol: an 8-byte header and a payload of at most 1024 bytes.
// Multi-byte fields are big-endian (network order). See docs/terminal-protocol.md.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace verrin {

constexpr std::uint8_t kMagic0 = 'D';
constexpr std::uint8_t kMagic1 = 'T';
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kMaxPayload = 1024;
constexpr std::size_t kMaxIdLength = 12;

enum class FrameType : std::uint8_t {
    // terminal -> host
    Login = 0x01,
    Data = 0x02,
    Heartbeat = 0x03,
    Logout = 0x04,
    // host -> terminal
    LoginReply = 0x81,
    HostData = 0x82,
    DataAck = 0x83,
    HeartbeatReply = 0x84,
    Close = 0x85,
};

// Result byte of LoginReply.
enum class LoginResult : std::uint8_t { Accepted = 0, NoFreeSlot = 1, BadId = 2 };

// Reason byte of Close.
enum class CloseReason : std::uint8_t {
    Detached = 1,      // the host detached this terminal
    ServiceStopped = 2,
    IdleTimeout = 3,
    Replaced = 4,      // the same id logged in from elsewhere
    NotLoggedIn = 5,   // a frame other than Login arrived before a login
};

// What was wrong with bytes that did not make a usable frame.
enum class FrameFault : std::uint8_t {
    None,
    Garbage,    // no frame start where one must be
    Malformed,  // a frame cut short, with bytes after it, or with a payload its type forbids
    Oversize,   // a payload longer than 1024 bytes
};

struct Frame {
    std::uint8_t type = 0;  // raw, so that unknown types reach the caller
    std::uint16_t sequence = 0;
    std::vector<std::uint8_t> payload;
};

std::vector<std::uint8_t> encodeFrame(FrameType type, std::uint16_t sequence,
                                      const std::uint8_t* payload, std::size_t length);

inline std::vector<std::uint8_t> encodeFrame(FrameType type, std::uint16_t sequence = 0) {
    return encodeFrame(type, sequence, nullptr, 0);
}

// One datagram carries exactly one frame.
FrameFault decodeDatagram(const std::uint8_t* bytes, std::size_t size, Frame& frame);

bool isKnownTerminalFrame(std::uint8_t type);

}  // namespace verrin
