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

// One connection per terminal, served through I/O completion ports: a receive is pending on every
// connection that may read, and the connections are shared out among a few worker threads, each
// with a completion port of its own. Under Wine a completion costs several round trips to the wine
// server: with several threads those round trips overlap instead of queueing behind each other,
// and with a port per thread no completion wakes more than the one thread that takes it (threads
// sharing a port there all wake for each). An accepting thread takes new connections and hands
// each to a worker through its port.
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
    // Completion keys: sockets complete with IoKey; the others are the transport's own notes,
    // with a connection number where one is concerned.
    enum Key : ULONG_PTR { IoKey = 0, AdoptKey, ResumeKey, SendKey, WakeKey };
    enum class Issued { Pending, Done, Failed };
    using ConnectionMap = std::map<std::uint32_t, std::unique_ptr<TcpConnection>>;

    static DWORD WINAPI acceptMain(LPVOID self);
    struct Worker {
        TcpTransport* transport = nullptr;
        std::unique_ptr<CompletionPort> port;
        HANDLE thread = nullptr;
    };

    static DWORD WINAPI workerMain(LPVOID worker);
    void acceptLoop();
    void adopt(SOCKET s, const sockaddr_in& from);
    void post(const TcpConnection& connection, Key key);
    void takeCompletions(CompletionPort& port, DWORD timeoutMs);
    void handle(const CompletionPort::Completion& completion);

    // Reading: called by the owner of the connection's reading side.
    void onReceived(TcpConnection& connection, DWORD bytes, bool ok);
    void readFrom(TcpConnection& connection);
    Issued issueReceive(TcpConnection& connection, DWORD& bytes);
    bool consume(TcpConnection& connection, DWORD bytes, bool ok);
    bool deliver(TcpConnection& connection);
    bool park(TcpConnection& connection);
    void deliverParked();
    void finish(TcpConnection& connection);

    // Writing and ending, under the connection's lock.
    void onSent(TcpConnection& connection, DWORD bytes, bool ok);
    bool sendOn(TcpConnection& connection);
    void sent(TcpConnection& connection, DWORD bytes);
    void shutDownWhenDrained(TcpConnection& connection);
    void closeSocket(TcpConnection& connection);
    void releaseIfIdle(TcpConnection& connection);
    TcpConnection* find(std::uint32_t connection);
    TcpConnection* lockConnection(std::uint32_t connection);
    void sendLocked(TcpConnection& connection, const std::vector<std::uint8_t>& bytes);

    void housekeep();
    bool startWorkers();
    void stopWorkers();

    std::size_t maxConnections_;
    DWORD idleTimeoutMs_;
    TransportSink* sink_ = nullptr;
    SOCKET listener_ = INVALID_SOCKET;
    HANDLE acceptThread_ = nullptr;
    std::vector<std::unique_ptr<Worker>> workers_;
    std::size_t nextWorker_ = 0;
    volatile LONG closing_ = 0;
    volatile LONG stopWorkers_ = 0;
    volatile LONG resumePosted_ = 0;
    CriticalSection lock_;  // everything below; taken before a connection's lock, never after
    ConnectionMap connections_;
    std::uint32_t nextConnection_ = 1;
    std::deque<TcpConnection*> parked_;
    DWORD lastHousekeeping_ = 0;
};
