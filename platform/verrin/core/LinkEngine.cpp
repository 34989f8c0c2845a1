#include "LinkEngine.h"

#include "LoginMessage.h"

namespace verrin {

LinkEngine::LinkEngine(const LinkLimits& limits, Clock& clock)
    : limits_(limits),
      clock_(clock),
      table_(limits.slots),
      queue_(limits.queueLimit,
             limits.holdInputWhenFull ? EventQueue::WhenFull::Keep : EventQueue::WhenFull::Drop) {}

void LinkEngine::onFrame(const PeerRef& peer, const Frame& frame, Outbox& out) {
    switch (static_cast<FrameType>(frame.type)) {
        case FrameType::Login: onLogin(peer, frame, out); break;
        case FrameType::Data: onData(peer, frame, out); break;
        case FrameType::Heartbeat: onHeartbeat(peer, frame, out); break;
        case FrameType::Logout: onLogout(peer, out); break;
        default: ++counters_.unknownType; break;
    }
}

void LinkEngine::onFault(FrameFault fault) {
    switch (fault) {
        case FrameFault::Garbage: ++counters_.garbage; break;
        case FrameFault::Malformed: ++counters_.malformed; break;
        case FrameFault::Oversize: ++counters_.oversize; break;
        case FrameFault::None: break;
    }
}

void LinkEngine::onPeerLost(const PeerRef& peer, Outbox& out) {
    const int slot = table_.findByPeer(peer);
    if (slot >= 0) endSession(slot, EventKind::Dropped, out);
}

void LinkEngine::sweep(Outbox& out) {
    // While input is held, a terminal's frames may be waiting in the network: its silence is ours.
    if (holding_) return;
    const std::uint64_t now = clock_.nowMs();
    if (now < limits_.idleTimeoutMs) return;
    for (int slot : table_.silentSince(now - limits_.idleTimeoutMs)) {
        ++counters_.timedOut;
        closePeer(table_.at(slot).peer, CloseReason::IdleTimeout, out);
        endSession(slot, EventKind::Dropped, out);
    }
}

void LinkEngine::onLogin(const PeerRef& peer, const Frame& frame, Outbox& out) {
    LoginMessage login;
    switch (LoginMessage::parse(frame.payload, login)) {
        case LoginMessage::Fault::Truncated:
            ++counters_.malformed;
            return;
        case LoginMessage::Fault::BadId: {
            ++counters_.badIds;
            const auto result = static_cast<std::uint8_t>(LoginResult::BadId);
            reply(out, peer, FrameType::LoginReply, frame.sequence, &result, 1);
            return;
        }
        case LoginMessage::Fault::None:
            break;
    }

    // A peer that logs in under another id ends its earlier session first.
    const int earlier = table_.findByPeer(peer);
    if (earlier >= 0 && table_.at(earlier).id != login.id) endSession(earlier, EventKind::Logout, out);

    int slot = table_.findById(login.id);
    if (slot >= 0 && !(table_.at(slot).peer == peer)) {
        // The same terminal came back on a new address or connection; the old one is stale.
        closePeer(table_.at(slot).peer, CloseReason::Replaced, out);
        table_.movePeer(slot, peer);
    }
    if (slot < 0) slot = table_.claim(login.id, peer);
    if (slot < 0) {
        ++counters_.refusedLogins;
        const auto result = static_cast<std::uint8_t>(LoginResult::NoFreeSlot);
        reply(out, peer, FrameType::LoginReply, frame.sequence, &result, 1);
        out.disconnects.push_back(peer);
        return;
    }

    Terminal& terminal = table_.at(slot);
    terminal.mobileAddress = login.mobileAddress;
    terminal.mobilePort = login.mobilePort;
    touch(terminal);
    terminal.loginTime = terminal.lastHeardTime;
    const auto result = static_cast<std::uint8_t>(LoginResult::Accepted);
    reply(out, peer, FrameType::LoginReply, frame.sequence, &result, 1);

    LinkEvent event;
    event.kind = EventKind::Login;
    event.id = login.id;
    event.peer = peer;
    event.time = terminal.loginTime;
    queueEvent(std::move(event), out);
}

void LinkEngine::onData(const PeerRef& peer, const Frame& frame, Outbox& out) {
    const int slot = table_.findByPeer(peer);
    if (slot < 0) return refuseBeforeLogin(peer, out);
    if (frame.payload.empty()) {
        // An empty packet would read as "no data" to the host, which means something else.
        ++counters_.malformed;
        return;
    }
    Terminal& terminal = table_.at(slot);
    touch(terminal);
    LinkEvent event;
    event.kind = EventKind::Data;
    event.id = terminal.id;
    event.peer = peer;
    event.time = terminal.lastHeardTime;
    event.sequence = frame.sequence;
    event.data = frame.payload;
    queueEvent(std::move(event), out);
}

void LinkEngine::onHeartbeat(const PeerRef& peer, const Frame& frame, Outbox& out) {
    const int slot = table_.findByPeer(peer);
    if (slot < 0) return refuseBeforeLogin(peer, out);
    touch(table_.at(slot));
    reply(out, peer, FrameType::HeartbeatReply, frame.sequence);
}

void LinkEngine::onLogout(const PeerRef& peer, Outbox& out) {
    const int slot = table_.findByPeer(peer);
    if (slot < 0) {
        ++counters_.beforeLogin;
        return;
    }
    endSession(slot, EventKind::Logout, out);
}

void LinkEngine::refuseBeforeLogin(const PeerRef& peer, Outbox& out) {
    ++counters_.beforeLogin;
    closePeer(peer, CloseReason::NotLoggedIn, out);
}

bool LinkEngine::takeEvent(LinkEvent& event) {
    if (!queue_.pop(event)) return false;
    ++counters_.eventsRead;
    // Half the queue is room for a burst before input has to be held again.
    if (holding_ && queue_.size() <= queue_.limit() / 2) resumeInput();
    return true;
}

void LinkEngine::acknowledge(const LinkEvent& event, Outbox& out) {
    if (event.kind != EventKind::Data) return;
    const int slot = table_.findById(event.id);
    if (slot < 0) return;
    reply(out, table_.at(slot).peer, FrameType::DataAck, event.sequence);
}

LinkEngine::SendResult LinkEngine::sendData(const std::string& id, const std::uint8_t* data,
                                            std::size_t length, Outbox& out) {
    if (length == 0 || length > kMaxPayload) return SendResult::BadLength;
    const int slot = table_.findById(id);
    if (slot < 0) return SendResult::Offline;
    Terminal& terminal = table_.at(slot);
    reply(out, terminal.peer, FrameType::HostData, terminal.nextSequence++, data, length);
    return SendResult::Sent;
}

bool LinkEngine::detach(const std::string& id, Outbox& out) {
    const int slot = table_.findById(id);
    if (slot < 0) return false;
    closePeer(table_.at(slot).peer, CloseReason::Detached, out);
    table_.release(slot);
    return true;
}

std::size_t LinkEngine::detachAll(CloseReason reason, Outbox& out) {
    const std::vector<int> online = table_.onlineSlots();
    for (int slot : online) {
        closePeer(table_.at(slot).peer, reason, out);
        table_.release(slot);
    }
    return online.size();
}

LinkCounters LinkEngine::counters() const {
    LinkCounters c = counters_;
    c.eventsLost = queue_.lost();
    return c;
}

void LinkEngine::touch(Terminal& terminal) {
    terminal.lastHeardMs = clock_.nowMs();
    terminal.lastHeardTime = clock_.timeText();
}

void LinkEngine::endSession(int slot, EventKind kind, Outbox& out) {
    LinkEvent event;
    event.kind = kind;
    event.id = table_.at(slot).id;
    event.peer = table_.at(slot).peer;
    event.time = clock_.timeText();
    table_.release(slot);
    queueEvent(std::move(event), out);
}

void LinkEngine::closePeer(const PeerRef& peer, CloseReason reason, Outbox& out) {
    const auto code = static_cast<std::uint8_t>(reason);
    reply(out, peer, FrameType::Close, 0, &code, 1);
    out.disconnects.push_back(peer);
}

void LinkEngine::queueEvent(LinkEvent&& event, Outbox& out) {
    if (!queue_.push(std::move(event))) return;
    ++counters_.eventsQueued;
    ++out.newEvents;
    if (limits_.holdInputWhenFull && queue_.full() && !holding_) holdInput();
}

void LinkEngine::holdInput() {
    holding_ = true;
    holdingSinceMs_ = clock_.nowMs();
}

// The time input was held does not count as silence: every idle clock moves on by that much.
void LinkEngine::resumeInput() {
    holding_ = false;
    const std::uint64_t now = clock_.nowMs();
    const std::uint64_t held = now - holdingSinceMs_;
    for (int slot : table_.onlineSlots()) {
        Terminal& terminal = table_.at(static_cast<std::size_t>(slot));
        terminal.lastHeardMs = terminal.lastHeardMs + held < now ? terminal.lastHeardMs + held : now;
    }
}

void LinkEngine::reply(Outbox& out, const PeerRef& peer, FrameType type, std::uint16_t sequence,
                       const std::uint8_t* payload, std::size_t length) {
    out.packets.push_back({peer, encodeFrame(type, sequence, payload, length)});
}

}  // namespace verrin
