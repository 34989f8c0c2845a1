#include "UdpTransport.h"

namespace {

// Room for a burst of full packets while the host's window is busy.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;
// How long one wait for a datagram lasts before the loop looks at time-outs and owed messages.
constexpr DWORD kReceiveWaitMs = 20;

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
    int size = kReceiveBuffer;
    setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    // A blocking receive with a time-out costs one call per datagram where select and a
    // non-blocking receive cost three; at thousands of datagrams a second that matters.
    DWORD wait = kReceiveWaitMs;
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    return 0;
}

void UdpTransport::poll(DWORD) {
    TransportSink& sink = *sink_;
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
        if (WSAGetLastError() == WSAEMSGSIZE) sink.onFault(peer, verrin::FrameFault::Malformed);
        return;
    }
    verrin::Frame& frame = frame_;
    const verrin::FrameFault fault = verrin::decodeDatagram(datagram_.data(), static_cast<std::size_t>(size), frame);
    if (fault == verrin::FrameFault::None)
        sink.onFrame(peer, frame);
    else
        sink.onFault(peer, fault);
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

void UdpTransport::close() {
    if (socket_ == INVALID_SOCKET) return;
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
