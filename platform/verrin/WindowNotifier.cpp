#include "WindowNotifier.h"

void WindowNotifier::arm(HWND window, UINT message) {
    window_ = window;
    message_ = message;
    InterlockedExchange(&owed_, 0);
    InterlockedExchange(&armed_, 1);
}

void WindowNotifier::disarm() {
    InterlockedExchange(&armed_, 0);
    while (posting_ > 0) Sleep(0);
    InterlockedExchange(&owed_, 0);
}

void WindowNotifier::announce(std::size_t events) {
    if (events == 0) return;
    InterlockedExchangeAdd(&owed_, static_cast<LONG>(events));
    postOwed();
}

// Claims one owed message at a time and posts it; a refused post is owed again.
void WindowNotifier::postOwed() {
    InterlockedIncrement(&posting_);
    while (armed_) {
        const LONG owed = owed_;
        if (owed <= 0) break;
        if (InterlockedCompareExchange(&owed_, owed - 1, owed) != owed) continue;
        if (!PostMessageA(window_, message_, 0, 0)) {
            InterlockedIncrement(&owed_);
            break;
        }
    }
    InterlockedDecrement(&posting_);
}
