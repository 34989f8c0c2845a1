#include "TcpTransport.h"

namespace {

// A terminal that leaves host data unread this long is treated as gone.
constexpr DWORD kSendTimeoutMs = 2000;
// What a terminal that does not read may have waiting for it before it is treated as gone.
constexpr std::size_t kMaxUnsent = 1024 * 1024;
// The longest a connection the host ended stays open when its terminal does not close first.
constexpr DWORD kCloseGraceMs = 500;
constexpr DWORD kHousekeepingEveryMs = 100;
// How long close() waits for the sockets' last operations to come back.
constexpr DWORD kCloseLimitMs = 5000;
// How long the accepting thread waits before it looks at the closing flag again.
constexpr long kAcceptWaitUs = 50000;

}  // namespace

TcpTransport::TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs)
    : maxConnections_(maxConnections), idleTimeoutMs_(idleTimeoutMs) {}

TcpTransport::~TcpTransport() { close(); }

int TcpTransport::open(std::uint16_t port, TransportSink& sink) {
    sink_ = &sink;
    if (!port_.open()) return static_cast<int>(GetLastError());
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) {
        const int error = WSAGetLastError();
        close();
        return error;
    }
    // Connections the service closed linger on the port for a while; without this a restart on
    // the same port would fail until they are gone. A second listener is still refused.
    BOOL reuse = TRUE;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    // Non-blocking: the accepting thread takes every waiting connection, and what it accepts
    // inherits the mode, so that a send takes what fits and never waits.
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

// ---- accepting --------------------------------------------------------------------------------

DWORD WINAPI TcpTransport::acceptMain(LPVOID self) {
    static_cast<TcpTransport*>(self)->acceptLoop();
    return 0;
}

// Waiting in select with a time-out rather than on an event: under Wine an event selection on the
// listener stopped being signalled after a burst of connections.
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
    BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);

    Locked locked(lock_);
    // Beyond the slots and a margin for terminals still logging in, nobody can be served.
    bool skipsWhenDone = false;
    if (closing_ || connections_.size() >= maxConnections_ ||
        !port_.attach(reinterpret_cast<HANDLE>(s), skipsWhenDone)) {
        closesocket(s);
        return;
    }
    auto connection = std::make_unique<TcpConnection>();
    connection->socket = s;
    connection->skipsWhenDone = skipsWhenDone;
    connection->peer.address = ntohl(from.sin_addr.s_addr);
    connection->peer.port = ntohs(from.sin_port);
    connection->peer.connection = nextConnection_++;
    connection->lastInputTick = GetTickCount();
    const std::uint32_t id = connection->peer.connection;
    connections_[id] = std::move(connection);
    // The network thread issues every receive.
    post(AdoptKey, id);
}

void TcpTransport::post(Key key, std::uint32_t connection) { port_.post(key, connection); }

TcpConnection* TcpTransport::find(std::uint32_t connection) {
    auto it = connections_.find(connection);
    return it == connections_.end() ? nullptr : it->second.get();
}

// ---- the network thread -----------------------------------------------------------------------

void TcpTransport::poll(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    CompletionPort::Completion completions[CompletionPort::kBatch];
    for (DWORD elapsed = 0; elapsed < timeoutMs; elapsed = GetTickCount() - start) {
        const std::size_t count = port_.wait(completions, timeoutMs - elapsed);
        if (count == 0) break;
        for (std::size_t i = 0; i < count; ++i) handle(completions[i]);
    }
    if (GetTickCount() - lastHousekeeping_ >= kHousekeepingEveryMs) housekeep();
}

void TcpTransport::handle(const CompletionPort::Completion& completion) {
    const auto connectionId = static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(completion.overlapped));
    switch (completion.key) {
        case IoKey: {
            if (!completion.overlapped) break;
            auto* request = static_cast<TcpRequest*>(completion.overlapped);
            if (request->kind == TcpRequest::Receive)
                onReceived(*request->connection, completion.bytes, completion.ok && completion.bytes > 0);
            else
                onSent(*request->connection, completion.bytes, completion.ok);
            break;
        }
        case AdoptKey: {
            TcpConnection* connection;
            {
                Locked locked(lock_);
                connection = find(connectionId);
            }
            if (connection) readFrom(*connection);
            break;
        }
        case ResumeKey:
            resumePosted_ = 0;
            inputHeld_ = false;
            deliverParked();
            break;
        case SendKey: {
            bool failed = false;
            TcpConnection* connection;
            {
                Locked locked(lock_);
                connection = find(connectionId);
                if (connection) failed = !sendOn(*connection);
            }
            if (failed) finish(*connection);
            break;
        }
    }
}

// ---- reading (network thread) -----------------------------------------------------------------

void TcpTransport::onReceived(TcpConnection& connection, DWORD bytes, bool ok) {
    {
        Locked locked(lock_);
        connection.receivePending = false;
    }
    if (consume(connection, bytes, ok)) readFrom(connection);
}

// Receives and delivers until a receive is left pending, or the connection parks or ends.
void TcpTransport::readFrom(TcpConnection& connection) {
    for (;;) {
        DWORD bytes = 0;
        switch (issueReceive(connection, bytes)) {
            case Issued::Pending: return;
            case Issued::Failed: return finish(connection);
            case Issued::Done:
                if (!consume(connection, bytes, bytes > 0)) return;
                break;
        }
    }
}

TcpTransport::Issued TcpTransport::issueReceive(TcpConnection& connection, DWORD& bytes) {
    Locked locked(lock_);
    if (connection.receivePending) return Issued::Pending;
    if (connection.closed()) return Issued::Failed;
    connection.receive.reset();
    WSABUF buffer = {static_cast<ULONG>(connection.received.size()), connection.received.data()};
    DWORD flags = 0;
    const int result = WSARecv(connection.socket, &buffer, 1, &bytes, &flags, &connection.receive, nullptr);
    if (result == 0 && connection.skipsWhenDone) return Issued::Done;
    if (result != 0 && WSAGetLastError() != WSA_IO_PENDING) return Issued::Failed;
    connection.receivePending = true;  // the completion comes through the port
    return Issued::Pending;
}

// Takes what a receive brought. True when the connection wants to read on; false when it parked
// or ended.
bool TcpTransport::consume(TcpConnection& connection, DWORD bytes, bool ok) {
    bool requested;
    bool ended;
    {
        Locked locked(lock_);
        requested = connection.closeRequested;
        // What follows an end the host asked for is no longer the terminal's.
        ended = !ok || connection.closed() || requested;
    }
    if (ended) {
        if (!ok && !requested && connection.decoder.holdsPartialFrame())
            sink_->onFault(connection.peer, verrin::FrameFault::Malformed);
        finish(connection);
        return false;
    }
    connection.lastInputTick = GetTickCount();
    connection.decoder.feed(reinterpret_cast<const std::uint8_t*>(connection.received.data()), bytes);
    return deliver(connection);
}

// Hands the connection's complete frames to the sink until it has none left (true: read on) or
// the sink takes no more (false: the connection parks).
bool TcpTransport::deliver(TcpConnection& connection) {
    verrin::Frame frame;
    verrin::FrameFault fault = verrin::FrameFault::None;
    while (!inputHeld_) {
        const auto step = connection.decoder.next(frame, fault);
        if (step == verrin::StreamDecoder::Step::NeedMore) return true;
        if (step == verrin::StreamDecoder::Step::GotFrame) {
            if (!sink_->onFrame(connection.peer, frame)) inputHeld_ = true;
        } else {
            sink_->onFault(connection.peer, fault);
        }
        if (connection.decoder.broken()) {  // the framing is lost for good
            finish(connection);
            return false;
        }
    }
    park(connection);
    return false;
}

void TcpTransport::park(TcpConnection& connection) {
    if (connection.parked) return;
    connection.parked = true;
    parked_.push_back(&connection);
}

void TcpTransport::deliverParked() {
    while (!inputHeld_ && !parked_.empty()) {
        TcpConnection& connection = *parked_.front();
        parked_.pop_front();
        connection.parked = false;
        bool ended;
        {
            Locked locked(lock_);
            ended = connection.closed() || connection.closeRequested;
        }
        if (ended)
            finish(connection);
        else if (deliver(connection))
            readFrom(connection);
    }
}

// ---- writing ----------------------------------------------------------------------------------

void TcpTransport::onSent(TcpConnection& connection, DWORD bytes, bool ok) {
    bool failed = !ok;
    {
        Locked locked(lock_);
        connection.sendPending = false;
        if (ok && !connection.closed()) {
            sent(connection, bytes);
            failed = !sendOn(connection);
        }
        if (failed) connection.failed = true;
    }
    if (failed)
        finish(connection);
    else
        releaseIfIdle(connection);
}

// Under the lock: a send took bytes; what it did not take goes first next time.
void TcpTransport::sent(TcpConnection& connection, DWORD bytes) {
    const std::size_t done = bytes < connection.sending.size() ? bytes : connection.sending.size();
    connection.sending.erase(connection.sending.begin(), connection.sending.begin() + static_cast<std::ptrdiff_t>(done));
    connection.unsent.insert(connection.unsent.begin(), connection.sending.begin(), connection.sending.end());
    connection.sending.clear();
    if (connection.unsent.empty()) connection.blockedSinceTick = 0;
}

// Under the lock: sends what waits, unless a send is under way, and ends the stream when the
// host asked for it and everything is out. False when the socket refused.
bool TcpTransport::sendOn(TcpConnection& connection) {
    while (!connection.sendPending && !connection.unsent.empty() && !connection.closed()) {
        connection.sending.swap(connection.unsent);
        connection.send.reset();
        WSABUF buffer = {static_cast<ULONG>(connection.sending.size()), connection.sending.data()};
        DWORD bytes = 0;
        const int result = WSASend(connection.socket, &buffer, 1, &bytes, 0, &connection.send, nullptr);
        if (result == 0 && connection.skipsWhenDone) {
            sent(connection, bytes);
            continue;
        }
        if (result != 0 && WSAGetLastError() != WSA_IO_PENDING) return false;
        connection.sendPending = true;
    }
    shutDownWhenDrained(connection);
    return true;
}

// Under the lock: once everything sent before an end the host asked for is out, the terminal
// sees the end of the stream.
void TcpTransport::shutDownWhenDrained(TcpConnection& connection) {
    if (!connection.closeRequested || connection.shutDownSent || connection.closed() || !connection.outputDrained())
        return;
    shutdown(connection.socket, SD_SEND);
    connection.shutDownSent = true;
}

// Ends what has to end: failed links, terminals that leave host data unread, ends the host asked
// for once their grace is over, and connections silent for longer than the service's net for
// terminals that never log in (a parked connection is not silent: its input waits for us).
void TcpTransport::housekeep() {
    const DWORD now = GetTickCount();
    lastHousekeeping_ = now;
    std::vector<TcpConnection*> ending;
    {
        Locked locked(lock_);
        for (auto& entry : connections_) {
            TcpConnection& c = *entry.second;
            if (c.closed()) continue;
            if (c.blockedSinceTick && now - c.blockedSinceTick >= kSendTimeoutMs) c.failed = true;
            const bool graceOver = c.closeRequested && now - c.closeRequestTick >= kCloseGraceMs;
            const bool silent = !c.parked && now - c.lastInputTick > idleTimeoutMs_;
            if (c.failed || graceOver || silent) ending.push_back(&c);
        }
    }
    for (TcpConnection* connection : ending) finish(*connection);
}

// The connection's last act on the network thread: the sink hears of a link that was lost, the
// socket closes, and the connection goes once its operations have come back.
void TcpTransport::finish(TcpConnection& connection) {
    bool lost = false;
    {
        Locked locked(lock_);
        if (!connection.closed()) {
            lost = !connection.closeRequested;
            connection.closeRequested = true;  // nothing more to say about it
            closeSocket(connection);
        }
    }
    if (lost) sink_->onPeerLost(connection.peer);
    releaseIfIdle(connection);
}

// Under the lock. Pending operations come back through the port, cancelled.
void TcpTransport::closeSocket(TcpConnection& connection) {
    closesocket(connection.socket);
    connection.socket = INVALID_SOCKET;
}

void TcpTransport::releaseIfIdle(TcpConnection& connection) {
    if (connection.parked) {
        Locked locked(lock_);
        if (!connection.idle()) return;
        for (auto it = parked_.begin(); it != parked_.end(); ++it)
            if (*it == &connection) {
                parked_.erase(it);
                break;
            }
        connections_.erase(connection.peer.connection);
        return;
    }
    Locked locked(lock_);
    if (connection.idle()) connections_.erase(connection.peer.connection);
}

// ---- any thread -------------------------------------------------------------------------------

void TcpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    Locked locked(lock_);
    TcpConnection* connection = find(peer.connection);
    if (!connection || connection->closed() || connection->closeRequested || connection->failed) return;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    std::size_t taken = 0;
    if (connection->outputDrained()) {
        const int sent = ::send(connection->socket, data, static_cast<int>(bytes.size()), 0);
        if (sent < 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
            connection->failed = true;  // the network thread ends it
            return;
        }
        taken = sent > 0 ? static_cast<std::size_t>(sent) : 0;
        if (taken == bytes.size()) return;
    }
    if (connection->unsent.empty() && !connection->blockedSinceTick) connection->blockedSinceTick = GetTickCount();
    connection->unsent.insert(connection->unsent.end(), data + taken, data + bytes.size());
    if (connection->unsent.size() > kMaxUnsent) {
        connection->failed = true;
        return;
    }
    if (!connection->sendPending) post(SendKey, peer.connection);
}

void TcpTransport::disconnect(const verrin::PeerRef& peer) {
    Locked locked(lock_);
    TcpConnection* connection = find(peer.connection);
    if (!connection || connection->closeRequested) return;
    connection->closeRequested = true;
    connection->closeRequestTick = GetTickCount();
    shutDownWhenDrained(*connection);
}

void TcpTransport::resumeInput() {
    if (port_.isOpen() && InterlockedExchange(&resumePosted_, 1) == 0) post(ResumeKey, 0);
}

// ---- closing (network thread) -----------------------------------------------------------------

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
    if (port_.isOpen()) {
        // Every terminal gets what was sent to it and the end of the stream; input is no longer read.
        {
            Locked locked(lock_);
            const DWORD now = GetTickCount();
            for (auto& entry : connections_) {
                TcpConnection& c = *entry.second;
                if (!c.closeRequested) {
                    c.closeRequested = true;
                    c.closeRequestTick = now;
                }
                shutDownWhenDrained(c);
            }
        }
        const DWORD start = GetTickCount();
        for (;;) {
            {
                Locked locked(lock_);
                if (connections_.empty()) break;
            }
            if (GetTickCount() - start >= kCloseLimitMs) break;
            poll(20);
        }
        // Connections whose operations never came back are left as they are rather than freed
        // under them.
        {
            Locked locked(lock_);
            for (auto& entry : connections_) {
                if (!entry.second->closed()) closeSocket(*entry.second);
                entry.second.release();
            }
            connections_.clear();
        }
        parked_.clear();
        port_.close();
    }
}
