#include "LinkFrame.h"

namespace verrin {

std::vector<std::uint8_t> encodeFrame(FrameType type, std::uint16_t sequence,
                                      const std::uint8_t* payload, std::size_t length) {
    if (length > 0xFFFF) length = 0xFFFF;  // the length field cannot say more
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kHeaderSize + length);
    bytes.push_back(kMagic0);
    bytes.push_back(kMagic1);
    bytes.push_back(static_cast<std::uint8_t>(type));
    bytes.push_back(0);  // flags, none defined
    bytes.push_back(static_cast<std::uint8_t>(sequence >> 8));
    bytes.push_back(static_cast<std::uint8_t>(sequence));
    bytes.push_back(static_cast<std::uint8_t>(length >> 8));
    bytes.push_back(static_cast<std::uint8_t>(length));
    if (length > 0) bytes.insert(bytes.end(), payload, payload + length);
    return bytes;
}

FrameFault decodeDatagram(const std::uint8_t* bytes, std::size_t size, Frame& frame) {
    if (size < 2 || bytes[0] != kMagic0 || bytes[1] != kMagic1) return FrameFault::Garbage;
    if (size < kHeaderSize) return FrameFault::Malformed;
    const std::size_t length = (std::size_t(bytes[6]) << 8) | bytes[7];
    if (length > kMaxPayload) return FrameFault::Oversize;
    if (size != kHeaderSize + length) return FrameFault::Malformed;
    frame.type = bytes[2];
    frame.sequence = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    frame.payload.assign(bytes + kHeaderSize, bytes + size);
    return FrameFault::None;
}

bool isKnownTerminalFrame(std::uint8_t type) {
    switch (static_cast<FrameType>(type)) {
        case FrameType::Login:
        case FrameType::Data:
        case FrameType::Heartbeat:
        case FrameType::Logout:
            return true;
        default:
            return false;
    }
}

}  // namespace verrin
