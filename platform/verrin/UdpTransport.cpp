#include "UdpTransport.h"

#include <cstdio>

namespace {

// Room for a burst of full packets while the receiving thread waits for the processor.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
// How long one wait for a datagram lasts before the receiving thread looks at the closing flag.
constexpr DWORD kReceiveWaitMs = 50;

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
    receiver_ = CreateThread(nullptr, 0, &UdpTransport::receiveMain, this, 0, nullptr);
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
    if (socket_ == INVALID_SOCKET) return;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(peer.port);
    to.sin_addr.s_addr = htonl(peer.address);
    ::sendto(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
             reinterpret_cast<sockaddr*>(&to), sizeof to);
}

// The receiving thread sees the flag within one wait; the socket closes once it is gone.
void UdpTransport::close() {
    closing_ = 1;
    if (receiver_) {
        WaitForSingleObject(receiver_, INFINITE);
        CloseHandle(receiver_);
        receiver_ = nullptr;
    }
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
