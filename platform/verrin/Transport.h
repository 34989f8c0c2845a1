#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "LinkEvent.h"
#include "LinkFrame.h"

// Receives what a transport reads: on the network thread (UDP) or on a connection's reader
// (TCP), never with a transport lock held.
class TransportSink {
public:
    virtual ~TransportSink() = default;
    virtual void onFrame(const verrin::PeerRef& peer, const verrin::Frame& frame) = 0;
    virtual void onFault(const verrin::PeerRef& peer, verrin::FrameFault fault) = 0;
    virtual void onPeerLost(const verrin::PeerRef& peer) = 0;
};

// The listening socket and whatever it accepted. poll() runs on the network thread only;
// send() and disconnect() may come from any thread.
class Transport {
public:
    virtual ~Transport() = default;
    // 0, or the Winsock error that kept the port from being opened.
    virtual int open(std::uint16_t port, TransportSink& sink) = 0;
    // Waits at most about the given time for input, handing what came to the sink.
    virtual void poll(DWORD timeoutMs) = 0;
    virtual void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) = 0;
    virtual void disconnect(const verrin::PeerRef& peer) = 0;
    // Closes every socket and waits for the transport's own threads; only once the network
    // thread has ended, and not under a lock the sink takes.
    virtual void close() = 0;
};
