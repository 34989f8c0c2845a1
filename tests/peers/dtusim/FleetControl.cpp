#include "FleetControl.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "StampedPayload.h"

namespace {

constexpr std::uint64_t kTimeMask = (std::uint64_t(1) << 48) - 1;
constexpr std::uint64_t kFirstId = 13800000000ULL;

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

}  // namespace

int FleetControl::serve() {
    std::string line;
    while (readLine(line)) {
        bool quit = false;
        answer(handle(line, quit));
        if (quit) return 0;
    }
    return 1;
}

bool FleetControl::readLine(std::string& line) {
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        char buffer[512];
        const int n = dtunet::receive(control_, buffer, sizeof buffer);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

void FleetControl::answer(const std::string& text) {
    const std::string line = text + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const int n = dtunet::send(control_, line.data() + done, line.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

std::string FleetControl::handle(const std::string& order, bool& quit) {
    std::istringstream words(order);
    std::string verb;
    words >> verb;
    if (verb == "login") {
        std::string protocol, host;
        int port = 0, terminals = 0, size = 0;
        if (!(words >> protocol >> host >> port >> terminals >> size) || terminals < 1 || terminals > 4000 ||
            size < static_cast<int>(kStampedPayloadMin) || size > 1024)
            return "error login udp|tcp HOST PORT TERMINALS SIZE";
        return login(protocol, host, port, terminals, size);
    }
    if (verb == "clock") return "clock " + std::to_string(dtunet::nowTicks());
    if (verb == "flood") {
        unsigned number = 0;
        double rate = 0;
        std::uint32_t milliseconds = 0;
        if (!fleet_) return "error no fleet";
        if (!(words >> number >> rate >> milliseconds) || rate <= 0) return "error flood NUMBER RATE MILLISECONDS";
        return flood(number, rate, milliseconds);
    }
    if (verb == "acks") return acks();
    if (verb == "logout") {
        if (fleet_) fleet_->logoutAll();
        return "ok";
    }
    if (verb == "quit") {
        quit = true;
        return "bye";
    }
    return "error unknown order";
}

std::string FleetControl::login(const std::string& protocol, const std::string& host, int port, int terminals,
                                int size) {
    DtuFleetOptions options;
    options.protocol = protocol == "tcp" ? DtuProtocol::Tcp : DtuProtocol::Udp;
    options.host = host;
    options.port = static_cast<std::uint16_t>(port);
    options.terminals = terminals;
    options.firstId = kFirstId;
    options.packetSize = size;
    fleet_.reset();
    sentAt_ = std::vector<std::atomic<std::uint64_t>>(static_cast<std::size_t>(terminals) * kRecentSends);
    fleet_ = std::make_unique<DtuFleet>(options);
    fleet_->observe([this](const DtuTerminal& terminal, const verrin::Frame& frame) {
        if (frame.type == static_cast<std::uint8_t>(verrin::FrameType::DataAck)) noteAck(terminal, frame.sequence);
    });
    fleet_->loginAll(60000);
    const DtuFleetTotals& totals = fleet_->totals();
    return "logged " + std::to_string(totals.loginsAccepted.load()) + " " + std::to_string(totals.loginsRefused.load());
}

std::string FleetControl::flood(unsigned number, double rate, std::uint32_t milliseconds) {
    {
        std::lock_guard<std::mutex> lock(ackLock_);
        ackMs_.clear();
    }
    const std::uint64_t before = fleet_->totals().dataSent;
    std::uint32_t count = 0;
    fleet_->flood(rate, milliseconds, [&](int terminal, std::vector<std::uint8_t>& payload) {
        PayloadStamp stamp;
        stamp.ticks = dtunet::nowTicks();
        stamp.flood = number;
        stamp.terminal = static_cast<unsigned>(terminal);
        stamp.number = count++;
        WriteStampedPayload(stamp, payload);
        // The sequence this packet goes out with, for timing its acknowledgement.
        const auto sequence = static_cast<std::uint16_t>(fleet_->terminal(terminal).lastDataSequence() + 1);
        sentAt_[static_cast<std::size_t>(terminal) * kRecentSends + sequence % kRecentSends] =
            std::uint64_t(sequence) << 48 | (stamp.ticks & kTimeMask);
    });
    return "flooded " + std::to_string(fleet_->totals().dataSent - before);
}

void FleetControl::noteAck(const DtuTerminal& terminal, std::uint16_t sequence) {
    const auto index = static_cast<std::size_t>(std::strtoull(terminal.id().c_str(), nullptr, 10) - kFirstId);
    const std::size_t slot = index * kRecentSends + sequence % kRecentSends;
    if (slot >= sentAt_.size()) return;
    const std::uint64_t sent = sentAt_[slot];
    if (sent >> 48 != sequence) return;  // too old to be timed
    const std::uint64_t elapsed = (dtunet::nowTicks() - (sent & kTimeMask)) & kTimeMask;
    std::lock_guard<std::mutex> lock(ackLock_);
    ackMs_.push_back(static_cast<double>(elapsed) / 10000.0);
}

std::string FleetControl::acks() {
    std::vector<double> ms;
    {
        std::lock_guard<std::mutex> lock(ackLock_);
        ms = ackMs_;
    }
    char text[128];
    std::snprintf(text, sizeof text, "acks %zu %.3f %.3f %.3f", ms.size(), percentile(ms, 0.5), percentile(ms, 0.99),
                  percentile(ms, 1.0));
    return text;
}
