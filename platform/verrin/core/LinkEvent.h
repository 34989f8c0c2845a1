#pragma once
// What the network side hands to the host: one login, data packet, logout or drop.

#include <cstdint>
#include <string>
#include <vector>

namespace verrin {

// Values are those the host reads from the record's kind byte.
enum class EventKind : std::uint8_t { None = 0, Data = 1, Login = 3, Logout = 4, Dropped = 5 };

// Where a terminal talks from: UDP terminals are told apart by address and port, TCP terminals by
// their connection (numbered by the transport, never reused while the service runs).
struct PeerRef {
    std::uint32_t address = 0;  // first octet in the most significant byte
    std::uint16_t port = 0;
    std::uint32_t connection = 0;  // 0 for UDP

    std::uint64_t key() const {
        return connection ? (std::uint64_t(1) << 63) | connection
                          : (std::uint64_t(address) << 16) | port;
    }
    bool operator==(const PeerRef& other) const { return key() == other.key(); }
};

struct LinkEvent {
    EventKind kind = EventKind::None;
    std::string id;
    std::string time;
    PeerRef peer;
    std::uint16_t sequence = 0;  // of the Data frame, echoed in its acknowledgement
    std::vector<std::uint8_t> data;
};

}  // namespace verrin
