#include "WindowNotifier.h"

void WindowNotifier::arm(HWND window, UINT message) {
    Locked locked(lock_);
    window_ = window;
    message_ = message;
    owed_ = 0;
}

void WindowNotifier::disarm() {
    Locked locked(lock_);
    window_ = nullptr;
    owed_ = 0;
}

void WindowNotifier::announce(std::size_t events) {
    if (events == 0) return;
    Locked locked(lock_);
    owed_ += events;
    postOwed();
}

void WindowNotifier::retry() {
    Locked locked(lock_);
    postOwed();
}

bool WindowNotifier::owes() {
    Locked locked(lock_);
    return owed_ > 0;
}

void WindowNotifier::postOwed() {
    while (owed_ > 0 && window_ && PostMessageA(window_, message_, 0, 0)) --owed_;
}
