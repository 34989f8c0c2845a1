#pragma once
#include <winsock2.h>

#include "Transport.h"

// Every terminal shares the one listening socket; a terminal is its source address and port. Input
// is never held back: datagrams that find the host's queue full are dropped and counted there.
// poll() waits at most a short fixed time whatever it is asked, which the loop allows for.
class UdpTransport : public Transport {
public:
    ~UdpTransport() override;
    int open(std::uint16_t port, TransportSink& sink) override;
    void poll(DWORD timeoutMs) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef&) override {}
    void close() override;

private:
    TransportSink* sink_ = nullptr;
    SOCKET socket_ = INVALID_SOCKET;
    std::vector<std::uint8_t> datagram_ = std::vector<std::uint8_t>(65536);
    verrin::Frame frame_;
};
