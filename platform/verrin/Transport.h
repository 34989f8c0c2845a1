#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "LinkEvent.h"
#include "LinkFrame.h"

// Receives what a transport reads, on the transport's threads. Only takesInput() is asked with a
// transport lock held.
class TransportSink {
public:
    virtual ~TransportSink() = default;
    // False when the sink takes no more frames for now: a transport that can hold its input back
    // (TCP) reads nothing more until resumeInput().
    virtual bool onFrame(const verrin::PeerRef& peer, const verrin::Frame& frame) = 0;
    // Whether the sink takes frames now; asked before input is parked and before it resumes.
    virtual bool takesInput() = 0;
    virtual void onFault(const verrin::PeerRef& peer, verrin::FrameFault fault) = 0;
    virtual void onPeerLost(const verrin::PeerRef& peer) = 0;
};

// The listening socket and whatever it accepted. A transport reads on threads of its own, from
// open() to close(), and hands what it read to the sink there. close() runs on the service's
// network thread; send(), disconnect() and resumeInput() may come from any thread.
class Transport {
public:
    virtual ~Transport() = default;
    // 0, or the Winsock error that kept the port from being opened.
    virtual int open(std::uint16_t port, TransportSink& sink) = 0;
    virtual void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) = 0;
    // Ends the link after what was sent to the peer so far.
    virtual void disconnect(const verrin::PeerRef& peer) = 0;
    // The sink takes frames again after refusing them.
    virtual void resumeInput() {}
    // Lets what was sent go out, closes every socket and ends the transport's own threads.
    virtual void close() = 0;
};
