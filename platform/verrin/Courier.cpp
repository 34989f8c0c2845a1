#include "Courier.h"

Courier::Courier() : work_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

Courier::~Courier() {
    if (work_) CloseHandle(work_);
}

bool Courier::hand(verrin::Outbox&& out) {
    if (out.packets.empty() && out.disconnects.empty() && out.newEvents == 0) return false;
    Locked locked(lock_);
    pending_.events += out.newEvents;
    out.newEvents = 0;
    if (!out.packets.empty() || !out.disconnects.empty()) pending_.outboxes.push_back(std::move(out));
    return handed();
}

bool Courier::handResume() {
    Locked locked(lock_);
    pending_.resumeInput = true;
    return handed();
}

// Under the lock.
bool Courier::handed() {
    const bool wakeUp = waiting_;
    waiting_ = false;
    return wakeUp;
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
        if (!pending_.outboxes.empty() || pending_.resumeInput || pending_.events > 0) return;
        waiting_ = true;
    }
    WaitForSingleObject(work_, timeoutMs);
    Locked locked(lock_);
    waiting_ = false;
}

void Courier::wake() { SetEvent(work_); }

void Courier::discard() {
    Locked locked(lock_);
    pending_ = Delivery();
}
