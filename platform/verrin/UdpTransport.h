#pragma once
#include <winsock2.h>

#include "Transport.h"

// Every terminal shares the one listening socket; a terminal is its source address and port.
class UdpTransport : public Transport {
public:
    ~UdpTransport() override;
    int open(std::uint16_t port) override;
    void poll(DWORD timeoutMs, TransportSink& sink) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef&) override {}
    void close() override;

private:
    void receiveAll(TransportSink& sink);

    SOCKET socket_ = INVALID_SOCKET;
    std::vector<std::uint8_t> datagram_ = std::vector<std::uint8_t>(65536);
};
