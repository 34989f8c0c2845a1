#pragma once
// The processor time of the wine server this program talks to over a stretch of a benchmark.
// Every socket call, posted message and message taken by any thread of the prefix is a request
// to that one thread, so its share of a core is the first thing to run out. Found among the
// processes as the server whose prefix is this program's; it says nothing outside Wine.
#include <cstdint>
#include <string>

class WineServerLoad {
public:
    bool found() const { return !stat_.empty(); }
    void begin();
    void end();
    double coreShare() const;  // 1.0 = one core all the time
    // "wine server 61% of a core, 61 us per event"
    std::string describe(std::uint64_t events) const;

private:
    static std::string findServerStat();
    unsigned long long ticks() const;

    std::string stat_;
    unsigned long long startTicks_ = 0;
    unsigned long long endTicks_ = 0;
    long long startTime_ = 0;
    long long endTime_ = 0;
};
