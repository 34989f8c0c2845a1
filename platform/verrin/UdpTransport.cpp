#include "UdpTransport.h"

#include <cstdio>

namespace {

// Room for a burst of full packets while the receiving thread waits for the processor.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
// How long one wait for a datagram lasts before the receiving thread looks at the closing flag.
constexpr DWORD kReceiveWaitMs = 50;
// How long the sending thread sleeps, with nothing to send, before it looks again.
constexpr DWORD kSendIdleWaitMs = 1000;

}  // namespace

UdpTransport::~UdpTransport() { close(); }

int UdpTransport::open(std::uint16_t port, TransportSink& sink) {
    sink_ = &sink;
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) return WSAGetLastError();
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    askReceiveBuffer();
    // A blocking receive with a time-out costs one call per datagram where select and a
    // non-blocking receive cost three; at thousands of datagrams a second that matters.
    DWORD wait = kReceiveWaitMs;
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    closing_ = 0;
    sendingEnds_ = false;
    sender_ = senderIdle_.usable() ? CreateThread(nullptr, 0, &UdpTransport::sendMain, this, 0, nullptr) : nullptr;
    receiver_ = sender_ ? CreateThread(nullptr, 0, &UdpTransport::receiveMain, this, 0, nullptr) : nullptr;
    if (!receiver_) {
        const int error = static_cast<int>(GetLastError());
        close();
        return error;
    }
    return 0;
}

// The system may grant less than is asked for (a Linux host, under Wine, at most twice its
// net.core.rmem_max, though Wine reports the size asked for): what the socket says it has is
// what a debugger is told.
void UdpTransport::askReceiveBuffer() {
    int size = kReceiveBuffer;
    setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    int granted = 0;
    int length = sizeof granted;
    if (getsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&granted), &length) != 0 ||
        granted >= kReceiveBuffer)
        return;
    char note[128];
    std::snprintf(note, sizeof note, "verrin: UDP receive buffer %d bytes, %d asked for\n", granted, kReceiveBuffer);
    OutputDebugStringA(note);
}

DWORD WINAPI UdpTransport::receiveMain(LPVOID self) {
    auto& transport = *static_cast<UdpTransport*>(self);
    while (!transport.closing_) transport.receiveOne();
    return 0;
}

void UdpTransport::receiveOne() {
    sockaddr_in from = {};
    int fromLength = sizeof from;
    const int size = ::recvfrom(socket_, reinterpret_cast<char*>(datagram_.data()), static_cast<int>(datagram_.size()),
                                0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    verrin::PeerRef peer;
    peer.address = ntohl(from.sin_addr.s_addr);
    peer.port = ntohs(from.sin_port);
    // Other errors: the time-out, or a refused earlier send to a terminal (WSAECONNRESET), which
    // says nothing about this socket.
    if (size < 0) {
        if (WSAGetLastError() == WSAEMSGSIZE) sink_->onFault(peer, verrin::FrameFault::Malformed);
        return;
    }
    const verrin::FrameFault fault = verrin::decodeDatagram(datagram_.data(), static_cast<std::size_t>(size), frame_);
    if (fault == verrin::FrameFault::None)
        sink_->onFrame(peer, frame_);
    else
        sink_->onFault(peer, fault);
}

void UdpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    Datagram datagram;
    datagram.to = {};
    datagram.to.sin_family = AF_INET;
    datagram.to.sin_port = htons(peer.port);
    datagram.to.sin_addr.s_addr = htonl(peer.address);
    datagram.bytes = bytes;
    bool wake;
    {
        Locked locked(sendLock_);
        if (sendingEnds_ || !sender_) return;
        outgoing_.push_back(std::move(datagram));
        wake = senderIdle_.handedIn();
    }
    if (wake) senderIdle_.wake();
}

DWORD WINAPI UdpTransport::sendMain(LPVOID self) {
    auto& transport = *static_cast<UdpTransport*>(self);
    while (transport.sendQueued()) {
    }
    return 0;
}

// Sends what was queued, or sleeps until something is. False once the transport closes and
// everything handed in before has gone out.
bool UdpTransport::sendQueued() {
    std::vector<Datagram> batch;
    {
        Locked locked(sendLock_);
        batch.swap(outgoing_);
        if (batch.empty()) {
            if (sendingEnds_) return false;
            senderIdle_.goingToSleep();
        }
    }
    if (batch.empty()) {
        senderIdle_.sleep(kSendIdleWaitMs);
        return true;
    }
    for (const Datagram& datagram : batch)
        ::sendto(socket_, reinterpret_cast<const char*>(datagram.bytes.data()), static_cast<int>(datagram.bytes.size()), 0,
                 reinterpret_cast<const sockaddr*>(&datagram.to), sizeof datagram.to);
    return true;
}

// What was handed in goes out before the thread ends.
void UdpTransport::stopSending() {
    if (!sender_) return;
    {
        Locked locked(sendLock_);
        sendingEnds_ = true;
    }
    senderIdle_.wake();
    WaitForSingleObject(sender_, INFINITE);
    CloseHandle(sender_);
    sender_ = nullptr;
}

// The receiving thread sees the flag within one wait, the sending thread sends what is queued;
// the socket closes once both are gone.
void UdpTransport::close() {
    closing_ = 1;
    if (receiver_) {
        WaitForSingleObject(receiver_, INFINITE);
        CloseHandle(receiver_);
        receiver_ = nullptr;
    }
    stopSending();
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
