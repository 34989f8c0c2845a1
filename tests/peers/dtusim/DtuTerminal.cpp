#include "DtuTerminal.h"

#include "LoginMessage.h"

DtuTerminal::DtuTerminal(DtuProtocol protocol, std::string id, std::uint32_t mobileAddress,
                         std::uint16_t mobilePort)
    : protocol_(protocol), id_(std::move(id)), mobileAddress_(mobileAddress), mobilePort_(mobilePort) {}

DtuTerminal::~DtuTerminal() { disconnect(); }

bool DtuTerminal::connect(const char* host, std::uint16_t port) {
    disconnect();
    const bool tcp = protocol_ == DtuProtocol::Tcp;
    socket_ = dtunet::open(tcp);
    if (socket_ == dtunet::kNoSocket) return false;
    // A connected UDP socket hears only the host, like a real terminal behind its modem.
    if (!dtunet::connectTo(socket_, host, port)) {
        disconnect();
        return false;
    }
    if (tcp) dtunet::setNoDelay(socket_);
    localPort_ = dtunet::localPort(socket_);
    dtunet::setNonBlocking(socket_);
    linkClosed_ = false;
    decoder_ = verrin::StreamDecoder();
    pending_.clear();
    return true;
}

void DtuTerminal::disconnect() {
    if (socket_ == dtunet::kNoSocket) return;
    dtunet::close(socket_);
    socket_ = dtunet::kNoSocket;
}

bool DtuTerminal::sendLogin() {
    verrin::LoginMessage login;
    login.id = id_;
    login.mobileAddress = mobileAddress_;
    login.mobilePort = mobilePort_;
    const auto payload = login.encode();
    return sendFrame(verrin::FrameType::Login, 0, payload.data(), payload.size());
}

bool DtuTerminal::sendData(const std::uint8_t* data, std::size_t length) {
    return sendFrame(verrin::FrameType::Data, dataSequence_++, data, length);
}

bool DtuTerminal::sendHeartbeat() {
    return sendFrame(verrin::FrameType::Heartbeat, heartbeatSequence_++, nullptr, 0);
}

bool DtuTerminal::sendLogout() { return sendFrame(verrin::FrameType::Logout, 0, nullptr, 0); }

bool DtuTerminal::sendFrame(verrin::FrameType type, std::uint16_t sequence, const std::uint8_t* payload,
                            std::size_t length) {
    return sendRaw(verrin::encodeFrame(type, sequence, payload, length));
}

bool DtuTerminal::sendRaw(const std::vector<std::uint8_t>& bytes) {
    if (socket_ == dtunet::kNoSocket) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int sent = dtunet::send(socket_, bytes.data() + done, bytes.size() - done);
        if (sent > 0) {
            done += static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && dtunet::wouldBlock() && protocol_ == DtuProtocol::Tcp) {
            dtunet::sleepMs(1);
            continue;
        }
        return false;
    }
    return true;
}

bool DtuTerminal::receive(verrin::Frame& frame, std::uint32_t timeoutMs) {
    const std::uint64_t start = dtunet::nowMs();
    for (;;) {
        if (!pending_.empty()) {
            frame = std::move(pending_.front());
            pending_.erase(pending_.begin());
            return true;
        }
        if (socket_ == dtunet::kNoSocket || linkClosed_) return false;
        const std::uint64_t elapsed = dtunet::nowMs() - start;
        if (elapsed >= timeoutMs) return false;
        const auto left = static_cast<std::uint32_t>(timeoutMs - elapsed);
        if (!dtunet::waitReadable({socket_}, left).empty()) readOnce(pending_);
    }
}

bool DtuTerminal::receiveType(verrin::FrameType type, verrin::Frame& frame, std::uint32_t timeoutMs) {
    const std::uint64_t start = dtunet::nowMs();
    for (;;) {
        const std::uint64_t elapsed = dtunet::nowMs() - start;
        if (elapsed >= timeoutMs || !receive(frame, static_cast<std::uint32_t>(timeoutMs - elapsed))) return false;
        if (frame.type == static_cast<std::uint8_t>(type)) return true;
    }
}

void DtuTerminal::drain(std::vector<verrin::Frame>& frames) {
    for (auto& frame : pending_) frames.push_back(std::move(frame));
    pending_.clear();
    while (socket_ != dtunet::kNoSocket && !linkClosed_ && readOnce(frames)) {
    }
}

bool DtuTerminal::readOnce(std::vector<verrin::Frame>& frames) {
    std::uint8_t buffer[65536];
    const int size = dtunet::receive(socket_, buffer, sizeof buffer);
    if (size < 0) {
        if (dtunet::wouldBlock() || protocol_ == DtuProtocol::Udp) return false;
        linkClosed_ = true;
        return false;
    }
    if (protocol_ == DtuProtocol::Udp) {
        verrin::Frame frame;
        if (verrin::decodeDatagram(buffer, static_cast<std::size_t>(size), frame) == verrin::FrameFault::None)
            frames.push_back(std::move(frame));
        return true;
    }
    if (size == 0) {
        linkClosed_ = true;
        return false;
    }
    decoder_.feed(buffer, static_cast<std::size_t>(size));
    verrin::Frame frame;
    verrin::FrameFault fault;
    while (decoder_.next(frame, fault) == verrin::StreamDecoder::Step::GotFrame) frames.push_back(frame);
    return true;
}
