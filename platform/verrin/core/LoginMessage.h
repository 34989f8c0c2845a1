#pragma once
// Payload of a Login frame: the terminal's address and port inside the mobile network, then its
// id (1 to 12 printable ASCII characters, no terminator).

#include <cstdint>
#include <string>
#include <vector>

namespace verrin {

struct LoginMessage {
    std::uint32_t mobileAddress = 0;  // first octet in the most significant byte
    std::uint16_t mobilePort = 0;
    std::string id;

    enum class Fault { None, Truncated, BadId };

    std::vector<std::uint8_t> encode() const;
    static Fault parse(const std::vector<std::uint8_t>& payload, LoginMessage& out);
};

bool isValidTerminalId(const std::string& id);

}  // namespace verrin
