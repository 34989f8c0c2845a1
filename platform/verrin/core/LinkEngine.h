#pragma once
// The link service without its sockets: turns frames from terminals into events for the host,
// answers the terminals, and carries out the host's requests. Not thread-safe; the caller
// serialises every call. What must go out on the network is collected in an Outbox.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "EventQueue.h"
#include "LinkFrame.h"
#include "TerminalTable.h"

namespace verrin {

struct LinkLimits {
    std::size_t slots = 2048;
    std::uint32_t idleTimeoutMs = 180000;
    std::size_t queueLimit = 16384;
    // Over TCP a full queue holds the input back (the terminals' data wait in the network) instead
    // of dropping events; over UDP there is nowhere to hold them, so they are dropped and counted.
    bool holdInputWhenFull = false;
};

struct LinkCounters {
    std::uint32_t eventsQueued = 0;
    std::uint32_t eventsRead = 0;
    std::uint32_t eventsLost = 0;  // the queue was full
    std::uint32_t garbage = 0;
    std::uint32_t malformed = 0;
    std::uint32_t unknownType = 0;
    std::uint32_t oversize = 0;
    std::uint32_t badIds = 0;
    std::uint32_t beforeLogin = 0;
    std::uint32_t refusedLogins = 0;  // every slot was taken
    std::uint32_t timedOut = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t nowMs() = 0;
    virtual std::string timeText() = 0;  // local time, "YYYY-MM-DD HH:MM:SS"
};

struct Outbox {
    struct Packet {
        PeerRef peer;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Packet> packets;
    std::vector<PeerRef> disconnects;  // sent after the packets
    std::size_t newEvents = 0;
};

class LinkEngine {
public:
    enum class SendResult { Sent, Offline, BadLength };

    LinkEngine(const LinkLimits& limits, Clock& clock);

    void onFrame(const PeerRef& peer, const Frame& frame, Outbox& out);
    void onFault(FrameFault fault);
    void onPeerLost(const PeerRef& peer, Outbox& out);
    void sweep(Outbox& out);

    bool takeEvent(LinkEvent& event);
    // False while input is held back: the queue filled up, and the host has not yet read it down
    // to half. The network side hands over no frames meanwhile.
    bool takesInput() const { return !holding_; }
    void acknowledge(const LinkEvent& event, Outbox& out);
    SendResult sendData(const std::string& id, const std::uint8_t* data, std::size_t length, Outbox& out);
    bool detach(const std::string& id, Outbox& out);
    std::size_t detachAll(CloseReason reason, Outbox& out);

    const TerminalTable& terminals() const { return table_; }
    LinkCounters counters() const;

private:
    void onLogin(const PeerRef& peer, const Frame& frame, Outbox& out);
    void onData(const PeerRef& peer, const Frame& frame, Outbox& out);
    void onHeartbeat(const PeerRef& peer, const Frame& frame, Outbox& out);
    void onLogout(const PeerRef& peer, Outbox& out);
    void refuseBeforeLogin(const PeerRef& peer, Outbox& out);

    void touch(Terminal& terminal);
    void endSession(int slot, EventKind kind, Outbox& out);
    void closePeer(const PeerRef& peer, CloseReason reason, Outbox& out);
    void queueEvent(LinkEvent&& event, Outbox& out);
    void holdInput();
    void resumeInput();

    static void reply(Outbox& out, const PeerRef& peer, FrameType type, std::uint16_t sequence,
                      const std::uint8_t* payload = nullptr, std::size_t length = 0);

    LinkLimits limits_;
    Clock& clock_;
    TerminalTable table_;
    EventQueue queue_;
    LinkCounters counters_;
    bool holding_ = false;
    std::uint64_t holdingSinceMs_ = 0;
};

}  // namespace verrin
