#pragma once
// The pace of the screen's updates under a stream of events: an event after a quiet spell is
// shown at once, later ones together at most once per interval. Times are millisecond ticks
// that wrap around.
#include <cstdint>

class TUpdatePace {
public:
    explicit TUpdatePace(std::uint32_t intervalMs) : FInterval(intervalMs) {}

    std::uint32_t Interval() const { return FInterval; }
    // True when an update may be shown now.
    bool Due(std::uint32_t now) const { return !FShownOnce || now - FLastShown >= FInterval; }
    // Milliseconds until the next update may be shown (0 when it may now).
    std::uint32_t Wait(std::uint32_t now) const { return Due(now) ? 0 : FInterval - (now - FLastShown); }
    void Shown(std::uint32_t now) {
        FLastShown = now;
        FShownOnce = true;
    }

private:
    std::uint32_t FInterval;
    std::uint32_t FLastShown = 0;
    bool FShownOnce = false;
};
