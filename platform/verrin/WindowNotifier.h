#pragma once
#include <windows.h>

#include <cstddef>

#include "CriticalSection.h"

// Posts one message to the host's window for every queued event. A post the window's queue
// refuses is owed and retried, so messages and events stay one to one. Any thread may announce;
// posts are made under the notifier's own lock (never the engine's), so that none follows
// disarm().
class WindowNotifier {
public:
    void arm(HWND window, UINT message);
    void disarm();

    void announce(std::size_t events);
    void retry();
    bool owes();

private:
    void postOwed();

    CriticalSection lock_;
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::size_t owed_ = 0;
};
