#pragma once
#include <windows.h>

#include "CriticalSection.h"

// How a thread that works through what others hand it sleeps when there is nothing, and is woken
// only then: setting an event is a round trip to the wine server, too dear to make for every
// hand-in at thousands a second. The lock is the one that guards what is handed in; the thread
// asks whether there is work and says it sleeps under it, so that no hand-in slips in between.
class IdleWake {
public:
    explicit IdleWake(CriticalSection& lock) : lock_(lock), event_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~IdleWake() {
        if (event_) CloseHandle(event_);
    }
    IdleWake(const IdleWake&) = delete;
    IdleWake& operator=(const IdleWake&) = delete;

    bool usable() const { return event_ != nullptr; }

    // Under the lock, by whoever handed something in: true when the thread sleeps and must be
    // woken (wake(), after the lock).
    bool handedIn() {
        const bool sleeping = sleeping_;
        sleeping_ = false;
        return sleeping;
    }
    // Under the lock, by the thread that found nothing to do; sleep() follows after the lock.
    void goingToSleep() { sleeping_ = true; }
    // Until woken or the time is up.
    void sleep(DWORD timeoutMs) {
        WaitForSingleObject(event_, timeoutMs);
        Locked locked(lock_);
        sleeping_ = false;
    }
    void wake() { SetEvent(event_); }

private:
    CriticalSection& lock_;
    HANDLE event_;
    bool sleeping_ = false;  // under the lock
};
