#include "TcpTransport.h"

#include <vector>

namespace {

void makeNonBlocking(SOCKET s) {
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
}

}  // namespace

TcpTransport::TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs)
    : maxConnections_(maxConnections), idleTimeoutMs_(idleTimeoutMs) {}

TcpTransport::~TcpTransport() { close(); }

int TcpTransport::open(std::uint16_t port) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) return WSAGetLastError();
    // Connections the service closed linger on the port for a while; without this a restart on
    // the same port would fail until they are gone.
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, SOMAXCONN) != 0) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    makeNonBlocking(listener_);
    return 0;
}

void TcpTransport::poll(DWORD timeoutMs, TransportSink& sink) {
    reap(sink);

    // Only this thread changes the map, so it may walk it without the lock.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    for (auto& entry : connections_)
        if (readable.fd_count < FD_SETSIZE) FD_SET(entry.second->socket, &readable);
    timeval timeout = {static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &timeout) <= 0) return;

    if (FD_ISSET(listener_, &readable)) acceptAll();
    for (auto& entry : connections_) {
        Connection& connection = *entry.second;
        if (FD_ISSET(connection.socket, &readable)) receive(connection, sink);
    }
}

void TcpTransport::reap(TransportSink& sink) {
    std::vector<verrin::PeerRef> lost;
    const DWORD now = GetTickCount();
    {
        Locked locked(lock_);
        for (auto it = connections_.begin(); it != connections_.end();) {
            Connection& connection = *it->second;
            if (now - connection.lastActivity > idleTimeoutMs_) connection.lost = true;
            if (!connection.closeRequested && !connection.lost) {
                ++it;
                continue;
            }
            if (!connection.closeRequested) lost.push_back(connection.peer);
            closeConnection(connection);
            it = connections_.erase(it);
        }
    }
    for (const auto& peer : lost) sink.onPeerLost(peer);
}

void TcpTransport::acceptAll() {
    for (;;) {
        sockaddr_in from = {};
        int fromLength = sizeof from;
        SOCKET s = ::accept(listener_, reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (s == INVALID_SOCKET) return;
        // Beyond the slots and a margin for terminals still logging in, nobody can be served.
        if (connections_.size() >= maxConnections_) {
            closesocket(s);
            continue;
        }
        makeNonBlocking(s);
        BOOL noDelay = TRUE;
        setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        auto connection = std::make_unique<Connection>();
        connection->socket = s;
        connection->peer.address = ntohl(from.sin_addr.s_addr);
        connection->peer.port = ntohs(from.sin_port);
        connection->peer.connection = nextConnection_++;
        connection->lastActivity = GetTickCount();
        Locked locked(lock_);
        connections_[connection->peer.connection] = std::move(connection);
    }
}

void TcpTransport::receive(Connection& connection, TransportSink& sink) {
    if (connection.lost || connection.closeRequested) return;
    const int size = ::recv(connection.socket, reinterpret_cast<char*>(chunk_.data()),
                            static_cast<int>(chunk_.size()), 0);
    if (size < 0 && WSAGetLastError() == WSAEWOULDBLOCK) return;
    if (size <= 0) {
        if (connection.decoder.holdsPartialFrame()) sink.onFault(connection.peer, verrin::FrameFault::Malformed);
        Locked locked(lock_);
        connection.lost = true;
        return;
    }
    connection.lastActivity = GetTickCount();
    connection.decoder.feed(chunk_.data(), static_cast<std::size_t>(size));
    verrin::Frame frame;
    verrin::FrameFault fault = verrin::FrameFault::None;
    for (;;) {
        const auto step = connection.decoder.next(frame, fault);
        if (step == verrin::StreamDecoder::Step::NeedMore) break;
        if (step == verrin::StreamDecoder::Step::GotFrame)
            sink.onFrame(connection.peer, frame);
        else
            sink.onFault(connection.peer, fault);
    }
    if (connection.decoder.broken()) {
        Locked locked(lock_);
        connection.lost = true;
    }
}

void TcpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    Locked locked(lock_);
    auto it = connections_.find(peer.connection);
    if (it == connections_.end()) return;
    Connection& connection = *it->second;
    if (connection.closeRequested || connection.lost) return;
    // A terminal that does not read its data fills the socket's buffer; it is treated as gone
    // rather than blocking the caller or sending half a frame.
    const int sent = ::send(connection.socket, reinterpret_cast<const char*>(bytes.data()),
                            static_cast<int>(bytes.size()), 0);
    if (sent != static_cast<int>(bytes.size())) connection.lost = true;
}

void TcpTransport::disconnect(const verrin::PeerRef& peer) {
    Locked locked(lock_);
    auto it = connections_.find(peer.connection);
    if (it != connections_.end()) it->second->closeRequested = true;
}

void TcpTransport::closeConnection(Connection& connection) {
    // Unread input would turn the close into a reset, which can take our last frame with it.
    char sink[1024];
    while (::recv(connection.socket, sink, sizeof sink, 0) > 0) {
    }
    shutdown(connection.socket, SD_SEND);
    closesocket(connection.socket);
    connection.socket = INVALID_SOCKET;
}

void TcpTransport::close() {
    {
        Locked locked(lock_);
        for (auto& entry : connections_) closeConnection(*entry.second);
        connections_.clear();
    }
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
}
