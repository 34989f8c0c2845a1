#pragma once
#include <winsock2.h>

#include <cstdint>
#include <vector>

#include "CriticalSection.h"
#include "LinkEvent.h"
#include "StreamDecoder.h"

// A terminal's TCP connection as the transport keeps it, under its own lock except where marked
// (so that a thread in a socket call on one connection holds up no other). Its reading side has one
// owner at a time: the worker that serves it while it reads, or the parked list, or the next input
// note the system posts to that worker; only the owner feeds the decoder, hands frames on and
// finishes the connection. Others may close its socket, and then tell the worker.
struct TcpConnection {
    static constexpr std::size_t kReceiveSize = 8192;

    CriticalSection lock;
    SOCKET socket = INVALID_SOCKET;  // INVALID_SOCKET once closed
    SOCKET handle = INVALID_SOCKET;  // the socket as the system's notes name it, kept after closing
    verrin::PeerRef peer;
    HWND worker = nullptr;  // the window of the worker that serves it; its notes go there

    // Reading.
    std::vector<char> received = std::vector<char>(kReceiveSize);
    bool awaitingNote = false;  // the next input note owns the reading side
    bool reading = true;        // its worker owns it (the first time through the note that adopts it)
    bool parked = false;  // the parked list owns it (under the transport's lock): nothing is read
    verrin::StreamDecoder decoder;  // owner only
    DWORD lastInputTick = 0;        // written by the owner only

    // Writing: what the service sent and the socket has not taken yet. The worker sends it when
    // told (flushDue: it has been told and not come round yet) and when the system notes room.
    std::vector<char> unsent;
    bool flushDue = false;
    DWORD blockedSinceTick = 0;  // when the socket last refused bytes; 0 while it takes them

    // Ending.
    bool closeRequested = false;  // by the service, which then hears nothing of the loss
    DWORD closeRequestTick = 0;
    bool shutDownSent = false;    // the terminal has seen the end of the stream
    bool lossReported = false;

    bool closed() const { return socket == INVALID_SOCKET; }
    bool idle() const { return closed() && !awaitingNote && !reading && !parked; }
    bool outputDrained() const { return unsent.empty(); }
};
