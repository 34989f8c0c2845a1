#pragma once
#include <windows.h>

#include <cstddef>

// Posts one message to the host's window for every queued event. A post the window's queue
// refuses is owed and retried, so messages and events stay one to one.
class WindowNotifier {
public:
    void arm(HWND window, UINT message);
    void disarm();

    void announce(std::size_t events);
    void retry();
    bool owes() const { return owed_ > 0; }

private:
    HWND window_ = nullptr;
    UINT message_ = 0;
    std::size_t owed_ = 0;
};
