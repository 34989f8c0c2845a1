#include "DtuTerminal.h"

#include "LoginMessage.h"

DtuTerminal::DtuTerminal(DtuProtocol protocol, std::string id, std::uint32_t mobileAddress,
                         std::uint16_t mobilePort)
    : protocol_(protocol), id_(std::move(id)), mobileAddress_(mobileAddress), mobilePort_(mobilePort) {}

DtuTerminal::~DtuTerminal() { disconnect(); }

bool DtuTerminal::connect(const char* host, std::uint16_t port) {
    disconnect();
    const bool tcp = protocol_ == DtuProtocol::Tcp;
    socket_ = ::socket(AF_INET, tcp ? SOCK_STREAM : SOCK_DGRAM, tcp ? IPPROTO_TCP : IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = inet_addr(host);
    // A connected UDP socket hears only the host, like a real terminal behind its modem.
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        disconnect();
        return false;
    }
    if (tcp) {
        BOOL noDelay = TRUE;
        setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    }
    sockaddr_in local = {};
    int length = sizeof local;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length);
    localPort_ = ntohs(local.sin_port);
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
    linkClosed_ = false;
    decoder_ = verrin::StreamDecoder();
    pending_.clear();
    return true;
}

void DtuTerminal::disconnect() {
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
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
    if (socket_ == INVALID_SOCKET) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const int sent = ::send(socket_, reinterpret_cast<const char*>(bytes.data()) + done,
                                static_cast<int>(bytes.size() - done), 0);
        if (sent > 0) {
            done += static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && WSAGetLastError() == WSAEWOULDBLOCK && protocol_ == DtuProtocol::Tcp) {
            Sleep(1);
            continue;
        }
        return false;
    }
    return true;
}

bool DtuTerminal::receive(verrin::Frame& frame, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!pending_.empty()) {
            frame = std::move(pending_.front());
            pending_.erase(pending_.begin());
            return true;
        }
        if (socket_ == INVALID_SOCKET || linkClosed_) return false;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        const DWORD left = timeoutMs - elapsed;
        timeval timeout = {static_cast<long>(left / 1000), static_cast<long>(left % 1000) * 1000};
        if (::select(0, &readable, nullptr, nullptr, &timeout) > 0) readOnce(pending_);
    }
}

bool DtuTerminal::receiveType(verrin::FrameType type, verrin::Frame& frame, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs || !receive(frame, timeoutMs - elapsed)) return false;
        if (frame.type == static_cast<std::uint8_t>(type)) return true;
    }
}

void DtuTerminal::drain(std::vector<verrin::Frame>& frames) {
    for (auto& frame : pending_) frames.push_back(std::move(frame));
    pending_.clear();
    while (socket_ != INVALID_SOCKET && !linkClosed_ && readOnce(frames)) {
    }
}

bool DtuTerminal::readOnce(std::vector<verrin::Frame>& frames) {
    std::uint8_t buffer[65536];
    const int size = ::recv(socket_, reinterpret_cast<char*>(buffer), sizeof buffer, 0);
    if (size < 0) {
        const int error = WSAGetLastError();
        if (error == WSAEWOULDBLOCK || protocol_ == DtuProtocol::Udp) return false;
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
