#pragma once
#include <winsock2.h>

#include <map>
#include <memory>

#include "CriticalSection.h"
#include "StreamDecoder.h"
#include "Transport.h"

// One connection per terminal. Only the network thread accepts, reads and closes sockets; other
// threads send, or ask for a close that the network thread carries out on its next pass.
class TcpTransport : public Transport {
public:
    TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs);
    ~TcpTransport() override;
    int open(std::uint16_t port) override;
    void poll(DWORD timeoutMs, TransportSink& sink) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef& peer) override;
    void close() override;

private:
    struct Connection {
        SOCKET socket = INVALID_SOCKET;
        verrin::PeerRef peer;
        verrin::StreamDecoder decoder;
        DWORD lastActivity = 0;
        bool closeRequested = false;  // by the service: no word to the sink
        bool lost = false;            // the link broke: the sink hears of it
    };
    using ConnectionMap = std::map<std::uint32_t, std::unique_ptr<Connection>>;

    void reap(TransportSink& sink);
    void acceptAll();
    void receive(Connection& connection, TransportSink& sink);
    void closeConnection(Connection& connection);

    std::size_t maxConnections_;
    DWORD idleTimeoutMs_;
    SOCKET listener_ = INVALID_SOCKET;
    CriticalSection lock_;  // guards connections_ against the other threads
    ConnectionMap connections_;
    std::uint32_t nextConnection_ = 1;
    std::vector<std::uint8_t> chunk_ = std::vector<std::uint8_t>(16384);
};
