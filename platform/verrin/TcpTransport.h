#pragma once
#include <winsock2.h>

#include <map>
#include <memory>

#include "CriticalSection.h"
#include "StreamDecoder.h"
#include "Transport.h"

// One connection per terminal, each read by a thread of its own with a blocking receive. Under
// Wine a select set or a completion port costs far more per packet as connections grow (measured
// with the link benchmark); a blocked reader costs one call per packet whatever their number.
// An accepting thread takes new connections. A reader owns its socket and alone closes it: a
// handle closed under a blocked reader could be reused before the reader notices. Other threads
// flag the connection, and the reader sees the flag when its receive times out.
class TcpTransport : public Transport {
public:
    TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs);
    ~TcpTransport() override;
    int open(std::uint16_t port, TransportSink& sink) override;
    void poll(DWORD timeoutMs) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef& peer) override;
    void close() override;

private:
    struct Connection {
        TcpTransport* owner = nullptr;
        SOCKET socket = INVALID_SOCKET;
        verrin::PeerRef peer;
        bool closeRequested = false;  // by the service: no word to the sink
        bool broken = false;          // a send failed: the sink hears of it
    };
    using ConnectionMap = std::map<std::uint32_t, std::unique_ptr<Connection>>;

    static DWORD WINAPI acceptMain(LPVOID self);
    static DWORD WINAPI readerMain(LPVOID connection);
    void acceptLoop();
    void adopt(SOCKET s, const sockaddr_in& from);
    void readLoop(Connection& connection);
    bool shouldStop(const Connection& connection);
    void retire(Connection& connection);

    std::size_t maxConnections_;
    DWORD idleTimeoutMs_;
    TransportSink* sink_ = nullptr;
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    volatile LONG closing_ = 0;
    CriticalSection lock_;  // guards connections_ and the flags of every connection
    ConnectionMap connections_;
    std::uint32_t nextConnection_ = 1;
};
