#pragma once
#include <winsock2.h>

#include <vector>

#include "CriticalSection.h"
#include "IdleWake.h"
#include "Transport.h"

// Every terminal shares the one listening socket; a terminal is its source address and port. Input
// is never held back: datagrams that find the host's queue full are dropped and counted there.
//
// A thread of its own does nothing but read the socket and hand each datagram to the sink: what
// the kernel keeps for the socket is all the room there is for datagrams not yet read, and a
// thread that also sent and posted would leave them there for the time of its round trips to the
// wine server, long enough at thousands a second for the socket to drop what arrives meanwhile
// (which the host is never told of).
//
// Sends are queued for a sending thread of its own: a send is two round trips to the wine
// server, and at thousands of acknowledgements a second the service's network thread, which
// also posts the host's messages, could not make them all. One thread sends everything, in the
// order handed in, so that what goes to a terminal keeps its order.
class UdpTransport : public Transport {
public:
    ~UdpTransport() override;
    int open(std::uint16_t port, TransportSink& sink) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef&) override {}
    void close() override;

private:
    struct Datagram {
        sockaddr_in to;
        std::vector<std::uint8_t> bytes;
    };

    static DWORD WINAPI receiveMain(LPVOID self);
    void askReceiveBuffer();
    void receiveOne();
    static DWORD WINAPI sendMain(LPVOID self);
    bool sendQueued();
    void stopSending();

    TransportSink* sink_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
    HANDLE receiver_ = nullptr;
    HANDLE sender_ = nullptr;
    volatile LONG closing_ = 0;
    CriticalSection sendLock_;  // the two below
    std::vector<Datagram> outgoing_;
    bool sendingEnds_ = false;
    IdleWake senderIdle_{sendLock_};
    std::vector<std::uint8_t> datagram_ = std::vector<std::uint8_t>(65536);
    verrin::Frame frame_;
};
