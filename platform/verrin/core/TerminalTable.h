#pragma once
// The fixed set of terminal slots the host enumerates, with lookups by id and by peer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "LinkEvent.h"

namespace verrin {

struct Terminal {
    bool online = false;
    std::string id;
    PeerRef peer;
    std::uint32_t mobileAddress = 0;
    std::uint16_t mobilePort = 0;
    std::string loginTime;
    std::string lastHeardTime;
    std::uint64_t lastHeardMs = 0;
    std::uint16_t nextSequence = 0;  // of data frames sent to the terminal
};

class TerminalTable {
public:
    explicit TerminalTable(std::size_t slots) : slots_(slots) {}

    std::size_t capacity() const { return slots_.size(); }
    std::size_t onlineCount() const { return byId_.size(); }
    const Terminal& at(std::size_t slot) const { return slots_[slot]; }
    Terminal& at(std::size_t slot) { return slots_[slot]; }

    int findById(const std::string& id) const;
    int findByPeer(const PeerRef& peer) const;

    // The lowest free slot taken for id at peer, or -1 when every slot is taken.
    int claim(const std::string& id, const PeerRef& peer);
    void movePeer(int slot, const PeerRef& peer);
    void release(int slot);

    std::vector<int> silentSince(std::uint64_t deadlineMs) const;
    std::vector<int> onlineSlots() const;

private:
    std::vector<Terminal> slots_;
    std::unordered_map<std::string, int> byId_;
    std::unordered_map<std::uint64_t, int> byPeer_;
};

}  // namespace verrin
