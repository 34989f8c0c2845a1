#pragma once
#include <winsock2.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "CriticalSection.h"
#include "TcpConnection.h"
#include "Transport.h"

// One connection per terminal. The connections are shared out among a few worker threads, each
// with a hidden window of its own to which the system posts a note when a connection it serves
// has input, has room for output again, or was closed by its terminal; the worker then reads once.
// Notes rather than an overlapped receive per frame: under Wine a receive that waits costs the
// wine server an operation of its own (a request that goes pending, a call back into the thread
// that issued it, a completion queued and taken), while a note is posted by the server itself and
// a receive of data that are there is one request. At a few thousand frames a second the pending
// receives kept the workers and the wine server busy enough that frames queued up for tens of
// milliseconds. An accepting thread takes new connections and hands each to a worker.
//
// When the sink takes no more frames (the host's queue is full), connections with input are
// parked without reading: their terminals' data wait in the network, and TCP slows the terminals
// down. resumeInput() lets the parked connections go on, oldest first, each on its own worker.
//
// Sends are queued for the worker that serves the connection, which sends them; what the socket
// does not take waits until the system notes room, so that no caller ever waits for a terminal.
class TcpTransport : public Transport {
public:
    TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs);
    ~TcpTransport() override;
    int open(std::uint16_t port, TransportSink& sink) override;
    void send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) override;
    void disconnect(const verrin::PeerRef& peer) override;
    void resumeInput() override;
    void close() override;

private:
    enum class Received { Data, More, Wait, End, Failed };
    using ConnectionMap = std::map<std::uint32_t, std::unique_ptr<TcpConnection>>;

    struct Worker {
        TcpTransport* transport = nullptr;
        HWND window = nullptr;
        HANDLE thread = nullptr;
        DWORD threadId = 0;
        HANDLE ready = nullptr;  // set once the window stands
        // Under the transport's lock: connections with output queued for this worker to send,
        // and whether a flush note for them is on its way.
        std::vector<std::uint32_t> toFlush;
        bool flushNoted = false;
    };

    static DWORD WINAPI acceptMain(LPVOID self);
    void acceptLoop();
    void adopt(SOCKET s, const sockaddr_in& from);

    static DWORD WINAPI workerMain(LPVOID worker);
    static LRESULT CALLBACK workerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void serve(Worker& worker);
    void onNote(Worker& worker, const MSG& note);
    TcpConnection* ownConnection(HWND window, std::uint32_t id);
    TcpConnection* ownConnectionBySocket(HWND window, SOCKET s);

    // Reading: called by the owner of the connection's reading side.
    void onInputNote(TcpConnection& connection);
    void readFrom(TcpConnection& connection);
    Received receive(TcpConnection& connection, DWORD& bytes);
    bool consume(TcpConnection& connection, DWORD bytes, bool ok);
    bool deliver(TcpConnection& connection);
    bool park(TcpConnection& connection);
    void deliverParked(HWND window);
    void finish(TcpConnection& connection);

    // Writing and ending, under the connection's lock.
    void onRoomNote(TcpConnection& connection);
    bool sendOn(TcpConnection& connection);
    void shutDownWhenDrained(TcpConnection& connection);
    void closeSocket(TcpConnection& connection);
    void releaseIfIdle(TcpConnection& connection);
    TcpConnection* find(std::uint32_t connection);
    TcpConnection* lockConnection(std::uint32_t connection);
    bool queueLocked(TcpConnection& connection, const std::vector<std::uint8_t>& bytes);
    void queueForFlush(HWND window, std::uint32_t id);
    Worker* workerOf(HWND window);
    void flushQueued(Worker& worker);

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
    CriticalSection lock_;  // everything below; taken before a connection's lock, never after
    ConnectionMap connections_;
    std::map<SOCKET, std::uint32_t> bySocket_;  // the connection a note about a socket is for
    std::uint32_t nextConnection_ = 1;
    std::deque<TcpConnection*> parked_;
    DWORD lastHousekeeping_ = 0;
};
