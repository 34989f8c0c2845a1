#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

#include "CriticalSection.h"
#include "IdleWake.h"
#include "LinkEngine.h"

// What the service owes the terminals and the host's window: packets to send, links to end,
// input to resume and messages to post. Any thread hands in what the engine gave it, while it
// still holds the engine's lock, so that the order of hand-ins is the engine's; the network
// thread alone carries it out, in that order.
//
// Under Wine every send and every posted message is a round trip to the wine server, a UDP
// receive two. So the thread that reads the socket hands its events on and goes back to the
// socket, and the host's do_read_proc hands its acknowledgement on and returns; neither waits
// for the other's system calls. The network thread, busy, takes what came in the last
// millisecond at once and posts its messages back to back, so that the host's window wakes once
// for them rather than once each; idle, it sleeps until the first hand-in wakes it.
class Courier {
public:
    struct Delivery {
        std::size_t events = 0;  // messages to post
        bool resumeInput = false;
        std::vector<verrin::Outbox> outboxes;  // each one's packets, then its ends of links
    };

    Courier() = default;
    Courier(const Courier&) = delete;
    Courier& operator=(const Courier&) = delete;

    // True when the network thread sleeps and must be woken (wake(), after the engine's lock: it
    // is a round trip of its own).
    bool hand(verrin::Outbox&& out);
    bool handResume();
    // Everything handed in since the last take; false when there was nothing.
    bool take(Delivery& delivery);
    // Waits until something is handed in, wake() is called or the time is up.
    void waitForWork(DWORD timeoutMs);
    void wake();
    // Forgets what was handed in and not taken: what a stopped service's threads left behind.
    void discard();

private:
    bool pending() const;

    CriticalSection lock_;
    Delivery pending_;
    IdleWake idle_{lock_};
};
