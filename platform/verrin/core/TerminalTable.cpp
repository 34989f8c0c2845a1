#include "TerminalTable.h"

namespace verrin {

int TerminalTable::findById(const std::string& id) const {
    auto it = byId_.find(id);
    return it == byId_.end() ? -1 : it->second;
}

int TerminalTable::findByPeer(const PeerRef& peer) const {
    auto it = byPeer_.find(peer.key());
    return it == byPeer_.end() ? -1 : it->second;
}

int TerminalTable::claim(const std::string& id, const PeerRef& peer) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].online) continue;
        Terminal fresh;
        fresh.online = true;
        fresh.id = id;
        fresh.peer = peer;
        slots_[i] = fresh;
        byId_[id] = static_cast<int>(i);
        byPeer_[peer.key()] = static_cast<int>(i);
        return static_cast<int>(i);
    }
    return -1;
}

void TerminalTable::movePeer(int slot, const PeerRef& peer) {
    Terminal& t = slots_[slot];
    byPeer_.erase(t.peer.key());
    t.peer = peer;
    byPeer_[peer.key()] = slot;
}

void TerminalTable::release(int slot) {
    Terminal& t = slots_[slot];
    if (!t.online) return;
    byId_.erase(t.id);
    byPeer_.erase(t.peer.key());
    t = Terminal();
}

std::vector<int> TerminalTable::silentSince(std::uint64_t deadlineMs) const {
    std::vector<int> silent;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].online && slots_[i].lastHeardMs < deadlineMs) silent.push_back(static_cast<int>(i));
    return silent;
}

std::vector<int> TerminalTable::onlineSlots() const {
    std::vector<int> online;
    for (const auto& entry : byId_) online.push_back(entry.second);
    return online;
}

}  // namespace verrin
