#pragma once
#include <windows.h>

#include <cstddef>

// Posts one message to the host's window for every queued event. A post the window's queue
// refuses is owed and retried, so messages and events stay one to one. Any thread may announce,
// and posts from several threads go out side by side (each is a round trip to the window system,
// under Wine to the wine server): only the count is shared. disarm() waits for posts under way,
// so that none follows it.
class WindowNotifier {
public:
    void arm(HWND window, UINT message);
    void disarm();

    void announce(std::size_t events);
    void retry() { postOwed(); }
    bool owes() const { return owed_ > 0; }

private:
    void postOwed();

    HWND window_ = nullptr;
    UINT message_ = 0;
    volatile LONG armed_ = 0;
    volatile LONG owed_ = 0;
    volatile LONG posting_ = 0;  // threads between their look at armed_ and their last post
};
