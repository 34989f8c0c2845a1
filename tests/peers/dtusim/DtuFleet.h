#pragma once
// Many simulated terminals from one process: connect and log in all of them, then send data at
// a steady total rate with heartbeats, while a receiving thread counts what the host sends.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "DtuTerminal.h"

struct DtuFleetOptions {
    DtuProtocol protocol = DtuProtocol::Udp;
    std::string host = "127.0.0.1";
    std::uint16_t port = 5002;
    int terminals = 10;
    std::uint64_t firstId = 13800000000ULL;  // ids are consecutive numbers from here
    double packetsPerSecond = 10;            // all terminals together, round robin
    int packetSize = 32;
    std::uint32_t heartbeatMs = 30000;
    std::uint32_t durationMs = 10000;
};

struct DtuFleetTotals {
    std::atomic<std::uint64_t> loginsAccepted{0};
    std::atomic<std::uint64_t> loginsRefused{0};
    std::atomic<std::uint64_t> dataSent{0};
    std::atomic<std::uint64_t> heartbeatsSent{0};
    std::atomic<std::uint64_t> dataReceived{0};
    std::atomic<std::uint64_t> bytesReceived{0};
    std::atomic<std::uint64_t> acksReceived{0};
    std::atomic<std::uint64_t> closesReceived{0};
};

class DtuFleet {
public:
    // Fills a data packet before it is sent; the default writes a counter pattern.
    using PayloadMaker = std::function<void(int terminal, std::vector<std::uint8_t>& payload)>;
    // Told of every frame a terminal receives, on the receiving thread.
    using FrameObserver = std::function<void(const DtuTerminal&, const verrin::Frame&)>;

    explicit DtuFleet(const DtuFleetOptions& options);
    ~DtuFleet();

    // Connects every terminal and logs it in; true when all were accepted within the time. Over
    // UDP a terminal whose login went unanswered sends it again every few seconds, as a real one
    // does: a burst of logins can overflow the host's socket.
    bool loginAll(std::uint32_t timeoutMs);
    // Sends for the configured duration; the receiving thread keeps counting meanwhile.
    void run(const PayloadMaker& makePayload = PayloadMaker());
    // Sends at the rate for the time, round robin, with heartbeats from the terminals left idle.
    void flood(double packetsPerSecond, std::uint32_t durationMs, const PayloadMaker& makePayload = PayloadMaker());
    void logoutAll();

    void observe(FrameObserver observer) { observer_ = std::move(observer); }
    const DtuFleetTotals& totals() const { return totals_; }
    const DtuTerminal& terminal(int index) const { return *terminals_[index]; }
    int size() const { return static_cast<int>(terminals_.size()); }

private:
    void receiveLoop();
    void count(const DtuTerminal& terminal, const verrin::Frame& frame);
    bool firstLoginAnswer(const DtuTerminal& terminal);
    void resendUnansweredLogins();

    DtuFleetOptions options_;
    std::vector<std::unique_ptr<DtuTerminal>> terminals_;
    DtuFleetTotals totals_;
    FrameObserver observer_;
    std::thread receiver_;
    std::atomic<bool> stopping_{false};
    std::mutex answeredLock_;
    std::unordered_set<const DtuTerminal*> loginAnswered_;  // each terminal's login counts once
};
