#include "TcpTransport.h"

namespace {

// How long the accepting thread waits before it looks at the closing flag again.
constexpr long kAcceptWaitUs = 50000;
// A reader's stack: it holds little more than one receive buffer.
constexpr SIZE_T kReaderStack = 64 * 1024;
// A terminal that stops reading must not stall the host for long.
constexpr DWORD kSendTimeoutMs = 2000;
// How often an idle reader looks at its connection's flags: the longest a detached or stopped
// connection stays open when its terminal does not close its end first.
constexpr DWORD kReaderWakeMs = 500;
constexpr int kChunk = 4096;

}  // namespace

TcpTransport::TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs)
    : maxConnections_(maxConnections), idleTimeoutMs_(idleTimeoutMs) {}

TcpTransport::~TcpTransport() { close(); }

int TcpTransport::open(std::uint16_t port, TransportSink& sink) {
    sink_ = &sink;
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) return WSAGetLastError();
    // Connections the service closed linger on the port for a while; without this a restart on
    // the same port would fail until they are gone. A second listener is still refused.
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    u_long nonBlocking = 1;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, SOMAXCONN) != 0 || ioctlsocket(listener_, FIONBIO, &nonBlocking) != 0) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    closing_ = 0;
    acceptThread_ = CreateThread(nullptr, 0, &TcpTransport::acceptMain, this, 0, nullptr);
    if (!acceptThread_) {
        const int error = static_cast<int>(GetLastError());
        close();
        return error;
    }
    return 0;
}

// The readers do the work; the network thread only waits here between its own rounds.
void TcpTransport::poll(DWORD timeoutMs) { Sleep(timeoutMs); }

DWORD WINAPI TcpTransport::acceptMain(LPVOID self) {
    static_cast<TcpTransport*>(self)->acceptLoop();
    return 0;
}

void TcpTransport::acceptLoop() {
    while (!closing_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(listener_, &readable);
        timeval timeout = {0, kAcceptWaitUs};
        if (::select(0, &readable, nullptr, nullptr, &timeout) <= 0) continue;
        for (;;) {
            sockaddr_in from = {};
            int fromLength = sizeof from;
            SOCKET s = ::accept(listener_, reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (s == INVALID_SOCKET) break;
            adopt(s, from);
        }
    }
}

void TcpTransport::adopt(SOCKET s, const sockaddr_in& from) {
    Locked locked(lock_);
    // Beyond the slots and a margin for terminals still logging in, nobody can be served.
    if (closing_ || connections_.size() >= maxConnections_) {
        closesocket(s);
        return;
    }
    u_long nonBlocking = 0;  // the listener's mode is inherited; readers block
    ioctlsocket(s, FIONBIO, &nonBlocking);
    BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    DWORD sendTimeout = kSendTimeoutMs;
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout), sizeof sendTimeout);
    DWORD receiveTimeout = kReaderWakeMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&receiveTimeout), sizeof receiveTimeout);

    auto connection = std::make_unique<Connection>();
    connection->owner = this;
    connection->socket = s;
    connection->peer.address = ntohl(from.sin_addr.s_addr);
    connection->peer.port = ntohs(from.sin_port);
    connection->peer.connection = nextConnection_++;
    HANDLE reader = CreateThread(nullptr, kReaderStack, &TcpTransport::readerMain, connection.get(),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!reader) {
        closesocket(s);
        return;
    }
    CloseHandle(reader);
    connections_[connection->peer.connection] = std::move(connection);
}

DWORD WINAPI TcpTransport::readerMain(LPVOID param) {
    auto* connection = static_cast<Connection*>(param);
    connection->owner->readLoop(*connection);
    return 0;
}

void TcpTransport::readLoop(Connection& connection) {
    verrin::StreamDecoder decoder;
    std::vector<std::uint8_t> chunk(kChunk);
    verrin::Frame frame;
    verrin::FrameFault fault = verrin::FrameFault::None;
    DWORD lastHeard = GetTickCount();
    for (;;) {
        const int size = ::recv(connection.socket, reinterpret_cast<char*>(chunk.data()), kChunk, 0);
        if (size < 0 && WSAGetLastError() == WSAETIMEDOUT) {
            // A connection that never logs in ends here; the engine times out those that did.
            if (shouldStop(connection) || GetTickCount() - lastHeard > idleTimeoutMs_) break;
            continue;
        }
        if (size <= 0) {
            if (decoder.holdsPartialFrame()) sink_->onFault(connection.peer, verrin::FrameFault::Malformed);
            break;
        }
        if (shouldStop(connection)) break;  // what follows a detach is no longer the terminal's
        lastHeard = GetTickCount();
        decoder.feed(chunk.data(), static_cast<std::size_t>(size));
        for (verrin::StreamDecoder::Step step; (step = decoder.next(frame, fault)) != verrin::StreamDecoder::Step::NeedMore;) {
            if (step == verrin::StreamDecoder::Step::GotFrame)
                sink_->onFrame(connection.peer, frame);
            else
                sink_->onFault(connection.peer, fault);
        }
        if (decoder.broken()) break;
    }
    retire(connection);
}

bool TcpTransport::shouldStop(const Connection& connection) {
    Locked locked(lock_);
    return connection.closeRequested || connection.broken;
}

// The reader's last act: the sink hears of a link that broke, then the connection goes.
void TcpTransport::retire(Connection& connection) {
    bool requested;
    {
        Locked locked(lock_);
        requested = connection.closeRequested;
    }
    if (!requested) sink_->onPeerLost(connection.peer);
    Locked locked(lock_);
    // A graceful close lets the host's last frame reach the terminal before the FIN.
    shutdown(connection.socket, SD_SEND);
    closesocket(connection.socket);
    connections_.erase(connection.peer.connection);
}

void TcpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    Locked locked(lock_);
    auto it = connections_.find(peer.connection);
    if (it == connections_.end()) return;
    Connection& connection = *it->second;
    if (connection.closeRequested) return;
    // A terminal that leaves its data unread until the send times out is treated as gone.
    const int sent = ::send(connection.socket, reinterpret_cast<const char*>(bytes.data()),
                            static_cast<int>(bytes.size()), 0);
    if (sent != static_cast<int>(bytes.size())) connection.broken = true;
}

void TcpTransport::disconnect(const verrin::PeerRef& peer) {
    Locked locked(lock_);
    auto it = connections_.find(peer.connection);
    if (it == connections_.end()) return;
    it->second->closeRequested = true;
    // The terminal hears the end at once, after the frames already sent.
    shutdown(it->second->socket, SD_SEND);
}

void TcpTransport::close() {
    closing_ = 1;
    if (acceptThread_) {
        WaitForSingleObject(acceptThread_, INFINITE);
        CloseHandle(acceptThread_);
        acceptThread_ = nullptr;
    }
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    {
        Locked locked(lock_);
        for (auto& entry : connections_) {
            entry.second->closeRequested = true;
            shutdown(entry.second->socket, SD_SEND);
        }
    }
    // Each reader removes its own connection on the way out.
    for (;;) {
        {
            Locked locked(lock_);
            if (connections_.empty()) break;
        }
        Sleep(5);
    }
}
