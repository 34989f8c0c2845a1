#include "DtuFleet.h"

#include <algorithm>
#include <cstdio>

namespace {

// How long a UDP terminal waits for the answer to its login before it sends it again.
constexpr std::uint64_t kLoginRetryMs = 3000;

}  // namespace

DtuFleet::DtuFleet(const DtuFleetOptions& options) : options_(options) {
    for (int i = 0; i < options_.terminals; ++i) {
        const std::string id = std::to_string(options_.firstId + static_cast<std::uint64_t>(i));
        // Each terminal claims an address of its own inside the mobile network.
        const std::uint32_t mobile = 0x0A000000u + static_cast<std::uint32_t>(i) + 1;
        terminals_.push_back(std::make_unique<DtuTerminal>(options_.protocol, id, mobile,
                                                           static_cast<std::uint16_t>(7000 + i % 1000)));
    }
}

DtuFleet::~DtuFleet() {
    stopping_ = true;
    if (receiver_.joinable()) receiver_.join();
}

bool DtuFleet::loginAll(std::uint32_t timeoutMs) {
    for (auto& terminal : terminals_) {
        if (!terminal->connect(options_.host.c_str(), options_.port)) {
            std::fprintf(stderr, "dtusim: terminal %s cannot connect (error %d)\n", terminal->id().c_str(),
                         dtunet::lastError());
            return false;
        }
        if (!terminal->sendLogin())
            std::fprintf(stderr, "dtusim: terminal %s cannot send its login (error %d)\n", terminal->id().c_str(),
                         dtunet::lastError());
    }
    if (!receiver_.joinable()) receiver_ = std::thread([this] { receiveLoop(); });
    const std::uint64_t start = dtunet::nowMs();
    std::uint64_t lastSent = start;
    const auto answered = [this] { return totals_.loginsAccepted + totals_.loginsRefused; };
    while (answered() < terminals_.size() && dtunet::nowMs() - start < timeoutMs) {
        dtunet::sleepMs(10);
        if (options_.protocol == DtuProtocol::Udp && dtunet::nowMs() - lastSent >= kLoginRetryMs) {
            resendUnansweredLogins();
            lastSent = dtunet::nowMs();
        }
    }
    return totals_.loginsAccepted == terminals_.size();
}

void DtuFleet::resendUnansweredLogins() {
    std::vector<DtuTerminal*> waiting;
    {
        std::lock_guard<std::mutex> locked(answeredLock_);
        for (auto& terminal : terminals_)
            if (!loginAnswered_.count(terminal.get())) waiting.push_back(terminal.get());
    }
    for (DtuTerminal* terminal : waiting) terminal->sendLogin();
}

bool DtuFleet::firstLoginAnswer(const DtuTerminal& terminal) {
    std::lock_guard<std::mutex> locked(answeredLock_);
    return loginAnswered_.insert(&terminal).second;
}

void DtuFleet::run(const PayloadMaker& makePayload) {
    flood(options_.packetsPerSecond, options_.durationMs, makePayload);
}

void DtuFleet::flood(double packetsPerSecond, std::uint32_t durationMs, const PayloadMaker& makePayload) {
    std::vector<std::uint8_t> payload(static_cast<std::size_t>(std::max(1, options_.packetSize)));
    const std::uint64_t start = dtunet::nowMs();
    std::vector<std::uint64_t> lastHeartbeat(terminals_.size(), start);
    std::uint64_t sent = 0;
    std::size_t next = 0;
    for (;;) {
        const std::uint64_t elapsed = dtunet::nowMs() - start;
        if (elapsed >= durationMs) break;
        const auto due = static_cast<std::uint64_t>(packetsPerSecond * static_cast<double>(elapsed) / 1000.0);
        for (; sent < due; ++sent) {
            const int index = static_cast<int>(next);
            if (makePayload) {
                makePayload(index, payload);
            } else {
                for (std::size_t b = 0; b < payload.size(); ++b) payload[b] = static_cast<std::uint8_t>(sent + b);
            }
            if (terminals_[next]->sendData(payload)) ++totals_.dataSent;
            lastHeartbeat[next] = dtunet::nowMs();
            next = (next + 1) % terminals_.size();
        }
        // A terminal with nothing to say still tells the host it is alive.
        const std::uint64_t now = dtunet::nowMs();
        for (std::size_t i = 0; i < terminals_.size(); ++i) {
            if (now - lastHeartbeat[i] < options_.heartbeatMs) continue;
            if (terminals_[i]->sendHeartbeat()) ++totals_.heartbeatsSent;
            lastHeartbeat[i] = now;
        }
        dtunet::sleepMs(1);
    }
}

void DtuFleet::logoutAll() {
    for (auto& terminal : terminals_) terminal->sendLogout();
}

void DtuFleet::receiveLoop() {
    std::vector<verrin::Frame> frames;
    std::vector<dtunet::Socket> watched;
    std::vector<DtuTerminal*> owners;
    while (!stopping_) {
        watched.clear();
        owners.clear();
        for (auto& terminal : terminals_)
            if (terminal->socket() != dtunet::kNoSocket && !terminal->linkClosed()) {
                watched.push_back(terminal->socket());
                owners.push_back(terminal.get());
            }
        for (std::size_t i : dtunet::waitReadable(watched, 50)) {
            frames.clear();
            owners[i]->drain(frames);
            for (const auto& frame : frames) count(*owners[i], frame);
        }
    }
}

void DtuFleet::count(const DtuTerminal& terminal, const verrin::Frame& frame) {
    switch (static_cast<verrin::FrameType>(frame.type)) {
        case verrin::FrameType::LoginReply:
            if (!firstLoginAnswer(terminal)) break;  // the answer to a login sent again
            if (!frame.payload.empty() && frame.payload[0] == 0)
                ++totals_.loginsAccepted;
            else
                ++totals_.loginsRefused;
            break;
        case verrin::FrameType::HostData:
            ++totals_.dataReceived;
            totals_.bytesReceived += frame.payload.size();
            break;
        case verrin::FrameType::DataAck: ++totals_.acksReceived; break;
        case verrin::FrameType::Close: ++totals_.closesReceived; break;
        default: break;
    }
    if (observer_) observer_(terminal, frame);
}
