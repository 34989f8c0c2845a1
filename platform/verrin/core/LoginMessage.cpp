#include "LoginMessage.h"

#include "LinkFrame.h"

namespace verrin {

namespace {
constexpr std::size_t kAddressBytes = 6;
}

std::vector<std::uint8_t> LoginMessage::encode() const {
    std::vector<std::uint8_t> bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(mobileAddress >> shift));
    bytes.push_back(static_cast<std::uint8_t>(mobilePort >> 8));
    bytes.push_back(static_cast<std::uint8_t>(mobilePort));
    bytes.insert(bytes.end(), id.begin(), id.end());
    return bytes;
}

LoginMessage::Fault LoginMessage::parse(const std::vector<std::uint8_t>& payload, LoginMessage& out) {
    if (payload.size() < kAddressBytes) return Fault::Truncated;
    std::string id(payload.begin() + kAddressBytes, payload.end());
    if (!isValidTerminalId(id)) return Fault::BadId;
    out.mobileAddress = (std::uint32_t(payload[0]) << 24) | (std::uint32_t(payload[1]) << 16) |
                        (std::uint32_t(payload[2]) << 8) | payload[3];
    out.mobilePort = static_cast<std::uint16_t>((payload[4] << 8) | payload[5]);
    out.id = std::move(id);
    return Fault::None;
}

bool isValidTerminalId(const std::string& id) {
    if (id.empty() || id.size() > kMaxIdLength) return false;
    for (unsigned char c : id)
        if (c < 0x21 || c > 0x7E) return false;
    return true;
}

}  // namespace verrin
