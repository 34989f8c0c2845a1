#pragma once
#include <winsock2.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "CompletionPort.h"
#include "CriticalSection.h"
#include "TcpConnection.h"
#include "Transport.h"

// One connection per terminal, all served by the network thread through one I/O completion
// port: an overlapped receive is always pending on every connection that may read, so the
// thread wakes once per arrival whatever the number of connections. An accepting thread takes
// new connections and hands them over through the port.
//
// When the sink takes no more frames (the host's queue is full), connections with input are
// parked without a receive: their terminals' data wait in the network, and TCP slows the
// terminals down. resumeInput() lets the parked connections go on, oldest first.
//
// Sends go straight to the socket when it takes them; what it does not take is queued and sent
// with overlapped sends, so that no caller ever waits for a terminal.
class TcpTransport : public Transport {
public:
    TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs);
    ~TcpTransport() override;
    int open(std::uint16_t port, TransportSink& sink) override;
    void poll(DWORD timeoutMs) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef& peer) override;
    void resumeInput() override;
    void close() override;

private:
    // Completion keys: sockets complete with IoKey; the others are the transport's own notes.
    enum Key : ULONG_PTR { IoKey = 0, AdoptKey, ResumeKey, SendKey };
    using ConnectionMap = std::map<std::uint32_t, std::unique_ptr<TcpConnection>>;

    static DWORD WINAPI acceptMain(LPVOID self);
    void acceptLoop();
    void adopt(SOCKET s, const sockaddr_in& from);
    void post(Key key, std::uint32_t connection);

    enum class Issued { Pending, Done, Failed };
    void handle(const CompletionPort::Completion& completion);
    void onReceived(TcpConnection& connection, DWORD bytes, bool ok);
    void readFrom(TcpConnection& connection);
    Issued issueReceive(TcpConnection& connection, DWORD& bytes);
    bool consume(TcpConnection& connection, DWORD bytes, bool ok);
    bool deliver(TcpConnection& connection);
    void deliverParked();
    void park(TcpConnection& connection);
    void onSent(TcpConnection& connection, DWORD bytes, bool ok);
    bool sendOn(TcpConnection& connection);
    void sent(TcpConnection& connection, DWORD bytes);
    void shutDownWhenDrained(TcpConnection& connection);
    void housekeep();
    void finish(TcpConnection& connection);
    void closeSocket(TcpConnection& connection);
    void releaseIfIdle(TcpConnection& connection);
    TcpConnection* find(std::uint32_t connection);

    std::size_t maxConnections_;
    DWORD idleTimeoutMs_;
    TransportSink* sink_ = nullptr;
    CompletionPort port_{IoKey};
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    volatile LONG closing_ = 0;
    volatile LONG resumePosted_ = 0;
    CriticalSection lock_;  // connections_, nextConnection_, and each connection's shared part
    ConnectionMap connections_;
    std::uint32_t nextConnection_ = 1;
    std::deque<TcpConnection*> parked_;  // network thread
    bool inputHeld_ = false;             // network thread
    DWORD lastHousekeeping_ = 0;         // network thread
};
