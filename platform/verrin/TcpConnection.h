#pragma once
#include <winsock2.h>

#include <cstdint>
#include <vector>

#include "CompletionPort.h"
#include "CriticalSection.h"
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

// A terminal's TCP connection as the transport keeps it, under its own lock except where marked
// (so that a thread in a socket call on one connection holds up no other). Its reading side has one
// owner at a time: the thread that handles its receive, or the parked list, or the receive in
// flight; only the owner feeds the decoder, hands frames on and finishes the connection. Others
// may close its socket, which brings the owner round.
struct TcpConnection {
    static constexpr std::size_t kReceiveSize = 8192;

    CriticalSection lock;
    SOCKET socket = INVALID_SOCKET;  // INVALID_SOCKET once closed
    verrin::PeerRef peer;
    CompletionPort* port = nullptr;  // of the worker that serves it
    bool skipsWhenDone = false;      // an operation that finishes at once posts no completion

    // Reading.
    TcpRequest receive;
    std::vector<char> received = std::vector<char>(kReceiveSize);
    bool receivePending = false;  // the receive in flight owns the reading side
    bool reading = true;          // a thread owns it (the first is the one that adopts it)
    bool parked = false;  // the parked list owns it (under the transport's lock): no receive issued
    verrin::StreamDecoder decoder;  // owner only
    DWORD lastInputTick = 0;        // written by the owner only

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
    bool lossReported = false;

    TcpConnection() {
        receive.connection = this;
        receive.kind = TcpRequest::Receive;
        send.connection = this;
        send.kind = TcpRequest::Send;
    }
    bool closed() const { return socket == INVALID_SOCKET; }
    bool idle() const { return closed() && !receivePending && !reading && !parked && !sendPending; }
    bool outputDrained() const { return !sendPending && unsent.empty(); }
};
