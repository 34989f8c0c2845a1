#pragma once
// The pace of the screen's updates under a stream of events: an event after a quiet spell is
// shown at once, later ones together at most once per interval. An update that took long
// stretches the interval before the next one, up to a limit, so that updating takes at most a
// share of the time and the events the rest. Times are millisecond ticks that wrap around.
#include <algorithm>
#include <cstdint>

class TUpdatePace {
public:
    // costTimes: the interval after an update is at least that many times what it took (0: the
    // interval stays as it is).
    explicit TUpdatePace(std::uint32_t intervalMs, std::uint32_t longestMs = 0, std::uint32_t costTimes = 0)
        : FInterval(intervalMs), FLongest(std::max(intervalMs, longestMs)), FCostTimes(costTimes), FCurrent(intervalMs) {}

    std::uint32_t Interval() const { return FCurrent; }
    // True when an update may be shown now.
    bool Due(std::uint32_t now) const { return !FShownOnce || now - FLastShown >= FCurrent; }
    // Milliseconds until the next update may be shown (0 when it may now).
    std::uint32_t Wait(std::uint32_t now) const { return Due(now) ? 0 : FCurrent - (now - FLastShown); }
    // An update began at the time and took as long.
    void Shown(std::uint32_t now, std::uint32_t tookMs = 0) {
        FLastShown = now;
        FShownOnce = true;
        const std::uint64_t stretched = static_cast<std::uint64_t>(tookMs) * FCostTimes;
        FCurrent = static_cast<std::uint32_t>(std::clamp<std::uint64_t>(stretched, FInterval, FLongest));
    }

private:
    std::uint32_t FInterval;
    std::uint32_t FLongest;
    std::uint32_t FCostTimes;
    std::uint32_t FCurrent;
    std::uint32_t FLastShown = 0;
    bool FShownOnce = false;
};
