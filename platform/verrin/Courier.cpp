#include "Courier.h"

bool Courier::hand(verrin::Outbox&& out) {
    if (out.packets.empty() && out.disconnects.empty() && out.newEvents == 0) return false;
    Locked locked(lock_);
    pending_.events += out.newEvents;
    out.newEvents = 0;
    if (!out.packets.empty() || !out.disconnects.empty()) pending_.outboxes.push_back(std::move(out));
    return idle_.handedIn();
}

bool Courier::handResume() {
    Locked locked(lock_);
    pending_.resumeInput = true;
    return idle_.handedIn();
}

// Under the lock.
bool Courier::pending() const {
    return !pending_.outboxes.empty() || pending_.resumeInput || pending_.events > 0;
}

bool Courier::take(Delivery& delivery) {
    delivery.outboxes.clear();
    delivery.resumeInput = false;
    delivery.events = 0;
    Locked locked(lock_);
    std::swap(delivery, pending_);
    return !delivery.outboxes.empty() || delivery.resumeInput || delivery.events > 0;
}

void Courier::waitForWork(DWORD timeoutMs) {
    {
        Locked locked(lock_);
        if (pending()) return;
        idle_.goingToSleep();
    }
    idle_.sleep(timeoutMs);
}

void Courier::wake() { idle_.wake(); }

void Courier::discard() {
    Locked locked(lock_);
    pending_ = Delivery();
}
