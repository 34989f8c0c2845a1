#pragma once
#include <windows.h>

#include "LinkEngine.h"

// Milliseconds since the service started and the local time as text. The 32-bit tick count
// wraps after 49 days, so the wrap is carried into 64 bits; callers serialise calls.
class SystemClock : public verrin::Clock {
public:
    SystemClock();
    std::uint64_t nowMs() override;
    std::string timeText() override;

private:
    DWORD lastTick_;
    std::uint64_t elapsed_ = 0;
};
