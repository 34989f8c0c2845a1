#include "WindowNotifier.h"

void WindowNotifier::arm(HWND window, UINT message) {
    window_ = window;
    message_ = message;
    owed_ = 0;
}

void WindowNotifier::disarm() {
    window_ = nullptr;
    owed_ = 0;
}

void WindowNotifier::announce(std::size_t events) {
    owed_ += events;
    retry();
}

void WindowNotifier::retry() {
    while (owed_ > 0 && window_ && PostMessageA(window_, message_, 0, 0)) --owed_;
}
