#include "UdpTransport.h"

namespace {

// Datagrams taken in one go before the loop looks at time-outs and owed messages again.
constexpr int kBurst = 512;
// Room for a burst of full packets while the host's window is busy.
constexpr int kReceiveBuffer = 4 * 1024 * 1024;

}  // namespace

UdpTransport::~UdpTransport() { close(); }

int UdpTransport::open(std::uint16_t port) {
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) return WSAGetLastError();
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    u_long nonBlocking = 1;
    int size = kReceiveBuffer;
    setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ioctlsocket(socket_, FIONBIO, &nonBlocking) != 0) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    return 0;
}

void UdpTransport::poll(DWORD timeoutMs, TransportSink& sink) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval timeout = {static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &timeout) > 0) receiveAll(sink);
}

void UdpTransport::receiveAll(TransportSink& sink) {
    verrin::Frame frame;
    for (int i = 0; i < kBurst; ++i) {
        sockaddr_in from = {};
        int fromLength = sizeof from;
        const int size = ::recvfrom(socket_, reinterpret_cast<char*>(datagram_.data()),
                                    static_cast<int>(datagram_.size()), 0,
                                    reinterpret_cast<sockaddr*>(&from), &fromLength);
        verrin::PeerRef peer;
        peer.address = ntohl(from.sin_addr.s_addr);
        peer.port = ntohs(from.sin_port);
        if (size < 0) {
            const int error = WSAGetLastError();
            if (error == WSAEMSGSIZE) sink.onFault(peer, verrin::FrameFault::Malformed);
            // A refused earlier send to a terminal (WSAECONNRESET) says nothing about this socket.
            if (error == WSAEMSGSIZE || error == WSAECONNRESET) continue;
            return;
        }
        const verrin::FrameFault fault =
            verrin::decodeDatagram(datagram_.data(), static_cast<std::size_t>(size), frame);
        if (fault == verrin::FrameFault::None)
            sink.onFrame(peer, frame);
        else
            sink.onFault(peer, fault);
    }
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
