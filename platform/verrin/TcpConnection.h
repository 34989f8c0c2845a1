#pragma once
#include <winsock2.h>

#include <cstdint>
#include <vector>

#include "LinkEvent.h"
#include "StreamDecoder.h"

struct TcpConnection;

// One overlapped operation of a connection; the completion port hands it back.
struct TcpRequest : OVERLAPPED {
    enum Kind { Receive, Send };
    TcpConnection* connection = nullptr;
    Kind kind = Receive;

    void reset() { *static_cast<OVERLAPPED*>(this) = OVERLAPPED(); }
};

// A terminal's TCP connection as the transport keeps it. What is marked "network thread" is touched
// by that thread alone; the rest is guarded by the transport's lock.
struct TcpConnection {
    static constexpr std::size_t kReceiveSize = 8192;

    SOCKET socket = INVALID_SOCKET;  // INVALID_SOCKET once closed
    verrin::PeerRef peer;
    bool skipsWhenDone = false;  // an operation that finishes at once posts no completion

    // Reading: one overlapped receive at a time, issued by the network thread.
    TcpRequest receive;
    std::vector<char> received = std::vector<char>(kReceiveSize);
    bool receivePending = false;
    verrin::StreamDecoder decoder;  // network thread
    bool parked = false;            // network thread: input held back, no receive issued
    DWORD lastInputTick = 0;

    // Writing: what the socket did not take at once goes out in overlapped sends, one at a time.
    TcpRequest send;
    std::vector<char> sending;  // in the overlapped send
    std::vector<char> unsent;   // waiting behind it
    bool sendPending = false;
    DWORD blockedSinceTick = 0;  // when the socket last refused bytes; 0 while it takes them

    // Ending.
    bool closeRequested = false;  // by the service, which then hears nothing of the loss
    DWORD closeRequestTick = 0;
    bool shutDownSent = false;    // the terminal has seen the end of the stream
    bool failed = false;          // a send failed or stalled: the link is gone

    TcpConnection() {
        receive.connection = this;
        receive.kind = TcpRequest::Receive;
        send.connection = this;
        send.kind = TcpRequest::Send;
    }
    bool closed() const { return socket == INVALID_SOCKET; }
    bool idle() const { return closed() && !receivePending && !sendPending; }
    bool outputDrained() const { return !sendPending && unsent.empty(); }
};
