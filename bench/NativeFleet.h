#pragma once
// The terminals of a benchmark: the simulator built for the host (build-native/bin/dtusim),
// started from here outside Wine and run on orders over a loopback connection (the simulator's
// FleetControl). Its packets carry their send time in its own clock; calibrate() learns how that
// clock stands to this process's, so that a packet's age can be told where it arrives.
#include <winsock2.h>

#include <cstdint>
#include <future>
#include <string>

class NativeFleet {
public:
    ~NativeFleet();

    // The simulator's path as Wine names it: the one given, or build-native/bin/dtusim beside
    // this program's build folder.
    static std::string defaultProgram();
    // Starts the program and waits for it to report for orders; false, with a reason on stderr,
    // when it does not.
    bool start(const std::string& program);

    // Sends an order and waits for its answer ("" when the connection failed).
    std::string order(const std::string& line);
    // Sends an order whose answer comes later, while the caller pumps its window's messages.
    void orderLater(const std::string& line);
    bool answered();
    std::string answer();

    // Learns the offset of the simulator's clock from a few round trips; false when it cannot.
    bool calibrate();
    // How long ago, by this process's clock, the simulator's clock read the ticks.
    double ageMs(std::uint64_t ticks) const;

private:
    bool sendLine(const std::string& line);
    std::string readLine();

    SOCKET control_ = INVALID_SOCKET;
    std::string pending_;
    std::future<std::string> later_;
    long long offsetTicks_ = 0;  // the simulator's clock minus ours
};

// This process's clock in 100-ns ticks.
std::uint64_t NowTicks();
