#include "TcpTransport.h"

namespace {

// Threads taking completions: as many as processors, within bounds.
constexpr DWORD kMinWorkers = 2;
constexpr DWORD kMaxWorkers = 8;
// A terminal that leaves host data unread this long is treated as gone.
constexpr DWORD kSendTimeoutMs = 2000;
// What a terminal that does not read may have waiting for it before it is treated as gone.
constexpr std::size_t kMaxUnsent = 1024 * 1024;
// The longest a connection the host ended stays open when its terminal does not close first.
constexpr DWORD kCloseGraceMs = 500;
constexpr DWORD kHousekeepingEveryMs = 100;
// How long a worker waits for completions before it looks at the stop flag again.
constexpr DWORD kWorkerWaitMs = 100;
// How long close() waits for the sockets' last operations to come back.
constexpr DWORD kCloseLimitMs = 5000;
// How long the accepting thread waits before it looks at the closing flag again.
constexpr long kAcceptWaitUs = 50000;

// Milliseconds from then to now; 0 when another thread noted "then" after "now" was read.
DWORD since(DWORD then, DWORD now) {
    const DWORD elapsed = now - then;
    return static_cast<LONG>(elapsed) < 0 ? 0 : elapsed;
}

}  // namespace

TcpTransport::TcpTransport(std::size_t maxConnections, DWORD idleTimeoutMs)
    : maxConnections_(maxConnections), idleTimeoutMs_(idleTimeoutMs) {}

TcpTransport::~TcpTransport() { close(); }

int TcpTransport::open(std::uint16_t port, TransportSink& sink) {
    sink_ = &sink;
    if (!startWorkers()) {
        const int error = static_cast<int>(GetLastError());
        close();
        return error;
    }
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
    CompletionPort& port = *workers_[nextWorker_]->port;
    bool skipsWhenDone = false;
    if (closing_ || connections_.size() >= maxConnections_ || !port.attach(reinterpret_cast<HANDLE>(s), skipsWhenDone)) {
        closesocket(s);
        return;
    }
    nextWorker_ = (nextWorker_ + 1) % workers_.size();
    auto connection = std::make_unique<TcpConnection>();
    connection->socket = s;
    connection->port = &port;
    connection->skipsWhenDone = skipsWhenDone;
    connection->peer.address = ntohl(from.sin_addr.s_addr);
    connection->peer.port = ntohs(from.sin_port);
    connection->peer.connection = nextConnection_++;
    connection->lastInputTick = GetTickCount();
    TcpConnection& adopted = *connection;
    connections_[adopted.peer.connection] = std::move(connection);
    // The worker owns the new connection's reading and starts it.
    post(adopted, AdoptKey);
}

void TcpTransport::post(const TcpConnection& connection, Key key) {
    connection.port->post(key, connection.peer.connection);
}

TcpConnection* TcpTransport::find(std::uint32_t connection) {
    auto it = connections_.find(connection);
    return it == connections_.end() ? nullptr : it->second.get();
}

// ---- taking completions -----------------------------------------------------------------------

// The workers do the reading; the network thread only waits here between its own rounds.
void TcpTransport::poll(DWORD timeoutMs) { Sleep(timeoutMs); }

bool TcpTransport::startWorkers() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    DWORD count = system.dwNumberOfProcessors;
    count = count < kMinWorkers ? kMinWorkers : count > kMaxWorkers ? kMaxWorkers : count;
    stopWorkers_ = 0;
    for (DWORD i = 0; i < count; ++i) {
        auto worker = std::make_unique<Worker>();
        worker->transport = this;
        worker->port = std::make_unique<CompletionPort>(IoKey);
        if (!worker->port->open()) return false;
        worker->thread = CreateThread(nullptr, 0, &TcpTransport::workerMain, worker.get(), 0, nullptr);
        if (!worker->thread) return false;
        workers_.push_back(std::move(worker));
    }
    return true;
}

DWORD WINAPI TcpTransport::workerMain(LPVOID param) {
    auto& worker = *static_cast<Worker*>(param);
    while (!worker.transport->stopWorkers_) worker.transport->takeCompletions(*worker.port, kWorkerWaitMs);
    return 0;
}

void TcpTransport::takeCompletions(CompletionPort& port, DWORD timeoutMs) {
    CompletionPort::Completion completions[CompletionPort::kBatch];
    const std::size_t count = port.wait(completions, timeoutMs);
    for (std::size_t i = 0; i < count; ++i) handle(completions[i]);
    housekeep();
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
            if (connection) readFrom(*connection);  // the adopting worker owns its reading
            break;
        }
        case ResumeKey:
            resumePosted_ = 0;
            deliverParked();
            break;
        case SendKey:
            if (TcpConnection* connection = lockConnection(connectionId)) {
                if (!sendOn(*connection)) closeSocket(*connection);
                connection->lock.leave();
            }
            break;
        default:
            break;
    }
}

// ---- reading ----------------------------------------------------------------------------------

void TcpTransport::onReceived(TcpConnection& connection, DWORD bytes, bool ok) {
    {
        Locked own(connection.lock);
        connection.receivePending = false;
        connection.reading = true;
    }
    if (consume(connection, bytes, ok)) readFrom(connection);
}

// Receives and delivers until a receive is left pending, or the connection parks or ends. Once a
// receive is pending, the connection belongs to its completion.
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
    Locked own(connection.lock);
    if (connection.closed()) return Issued::Failed;
    connection.receive.reset();
    WSABUF buffer = {static_cast<ULONG>(connection.received.size()), connection.received.data()};
    DWORD flags = 0;
    const int result = WSARecv(connection.socket, &buffer, 1, &bytes, &flags, &connection.receive, nullptr);
    if (result == 0 && connection.skipsWhenDone) return Issued::Done;
    if (result != 0 && WSAGetLastError() != WSA_IO_PENDING) return Issued::Failed;
    connection.receivePending = true;  // the completion comes through the port
    connection.reading = false;
    return Issued::Pending;
}

// Takes what a receive brought. True when the connection wants to read on; false when it parked
// or ended.
bool TcpTransport::consume(TcpConnection& connection, DWORD bytes, bool ok) {
    bool requested;
    bool ended;
    {
        Locked own(connection.lock);
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
// the sink takes no more (false: the connection parked, and belongs to the parked list).
bool TcpTransport::deliver(TcpConnection& connection) {
    if (!sink_->takesInput() && park(connection)) return false;
    verrin::Frame frame;
    verrin::FrameFault fault = verrin::FrameFault::None;
    for (;;) {
        const auto step = connection.decoder.next(frame, fault);
        if (step == verrin::StreamDecoder::Step::NeedMore) return true;
        if (step == verrin::StreamDecoder::Step::GotFault) {
            sink_->onFault(connection.peer, fault);
            if (connection.decoder.broken()) {  // the framing is lost for good
                finish(connection);
                return false;
            }
            continue;
        }
        if (!sink_->onFrame(connection.peer, frame) && park(connection)) return false;
    }
}

// Hands the connection to the parked list unless the sink has meanwhile started taking input
// again (asked under the lock that resuming takes, so that a resume cannot slip in between).
// True when it parked.
bool TcpTransport::park(TcpConnection& connection) {
    Locked locked(lock_);
    if (sink_->takesInput()) return false;
    Locked own(connection.lock);
    connection.parked = true;
    connection.reading = false;
    parked_.push_back(&connection);
    return true;
}

void TcpTransport::deliverParked() {
    for (;;) {
        TcpConnection* connection;
        bool ended;
        {
            Locked locked(lock_);
            if (parked_.empty() || !sink_->takesInput()) return;
            connection = parked_.front();
            parked_.pop_front();
            Locked own(connection->lock);
            connection->parked = false;
            connection->reading = true;
            ended = connection->closed() || connection->closeRequested;
        }
        if (ended)
            finish(*connection);
        else if (deliver(*connection))
            readFrom(*connection);
    }
}

// The reading owner's last act: the socket closes, the sink hears of a link that was lost, and
// the connection goes once nothing of it is in flight.
void TcpTransport::finish(TcpConnection& connection) {
    bool lost;
    const verrin::PeerRef peer = connection.peer;
    {
        Locked own(connection.lock);
        if (!connection.closed()) closeSocket(connection);
        lost = !connection.closeRequested && !connection.lossReported;
        connection.lossReported = true;
        connection.reading = false;
    }
    releaseIfIdle(connection);
    if (lost) sink_->onPeerLost(peer);
}

// ---- writing ----------------------------------------------------------------------------------

void TcpTransport::onSent(TcpConnection& connection, DWORD bytes, bool ok) {
    {
        Locked own(connection.lock);
        connection.sendPending = false;
        if (!connection.closed()) {
            if (ok) sent(connection, bytes);
            // A failed send ends the link; the reading owner notices the closed socket.
            if (!ok || !sendOn(connection)) closeSocket(connection);
        }
    }
    releaseIfIdle(connection);
}

// Under the connection's lock: a send took bytes; what it did not take goes first next time.
void TcpTransport::sent(TcpConnection& connection, DWORD bytes) {
    const std::size_t done = bytes < connection.sending.size() ? bytes : connection.sending.size();
    connection.sending.erase(connection.sending.begin(), connection.sending.begin() + static_cast<std::ptrdiff_t>(done));
    connection.unsent.insert(connection.unsent.begin(), connection.sending.begin(), connection.sending.end());
    connection.sending.clear();
    if (connection.unsent.empty()) connection.blockedSinceTick = 0;
}

// Under the connection's lock: sends what waits, unless a send is under way, and ends the stream
// when the host asked for it and everything is out. False when the socket refused.
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

// Under the connection's lock: once everything sent before an end the host asked for is out, the
// terminal sees the end of the stream.
void TcpTransport::shutDownWhenDrained(TcpConnection& connection) {
    if (!connection.closeRequested || connection.shutDownSent || connection.closed() || !connection.outputDrained())
        return;
    shutdown(connection.socket, SD_SEND);
    connection.shutDownSent = true;
}

// Under the connection's lock. Operations in flight come back through the port, cancelled, to
// their owners.
void TcpTransport::closeSocket(TcpConnection& connection) {
    closesocket(connection.socket);
    connection.socket = INVALID_SOCKET;
}

// The connection goes when its socket is closed and nothing of it is in flight or owned; the
// caller must not touch it afterwards. Whoever could still reach it finds it through the map,
// under the transport's lock, which is held until it is gone.
void TcpTransport::releaseIfIdle(TcpConnection& connection) {
    Locked locked(lock_);
    {
        Locked own(connection.lock);
        if (!connection.idle()) return;
    }
    connections_.erase(connection.peer.connection);
}

// ---- ending -----------------------------------------------------------------------------------

// Ends what has to end: terminals that leave host data unread, ends the host asked for once their
// grace is over, and connections silent for longer than the service's net for terminals that
// never log in (a parked connection is not silent: its input waits for us). Closing the socket
// brings the reading owner round; a parked connection is taken from the list and finished here.
void TcpTransport::housekeep() {
    std::vector<TcpConnection*> unparked;
    {
        Locked locked(lock_);
        const DWORD now = GetTickCount();
        if (since(lastHousekeeping_, now) < kHousekeepingEveryMs) return;
        lastHousekeeping_ = now;
        for (auto& entry : connections_) {
            TcpConnection& c = *entry.second;
            Locked own(c.lock);
            const bool stalled = c.blockedSinceTick && since(c.blockedSinceTick, now) >= kSendTimeoutMs;
            const bool graceOver = c.closeRequested && since(c.closeRequestTick, now) >= kCloseGraceMs;
            const bool silent = !c.parked && since(c.lastInputTick, now) > idleTimeoutMs_;
            if (!c.closed() && (stalled || graceOver || silent)) closeSocket(c);
            if (c.closed() && c.parked) {
                c.parked = false;
                c.reading = true;
                unparked.push_back(&c);
            }
        }
        for (TcpConnection* c : unparked)
            for (auto it = parked_.begin(); it != parked_.end(); ++it)
                if (*it == c) {
                    parked_.erase(it);
                    break;
                }
    }
    for (TcpConnection* c : unparked) finish(*c);
}

// ---- any thread -------------------------------------------------------------------------------

// The connection locked, found under the transport's lock; null when it is gone.
TcpConnection* TcpTransport::lockConnection(std::uint32_t id) {
    Locked locked(lock_);
    TcpConnection* connection = find(id);
    if (connection) connection->lock.enter();
    return connection;
}

void TcpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    TcpConnection* connection = lockConnection(peer.connection);
    if (!connection) return;
    sendLocked(*connection, bytes);
    connection->lock.leave();
}

// Under the connection's lock: straight to the socket when it takes the bytes, else queued for the
// connection's worker.
void TcpTransport::sendLocked(TcpConnection& connection, const std::vector<std::uint8_t>& bytes) {
    if (connection.closed() || connection.closeRequested) return;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    std::size_t taken = 0;
    if (connection.outputDrained()) {
        const int sent = ::send(connection.socket, data, static_cast<int>(bytes.size()), 0);
        if (sent < 0 && WSAGetLastError() != WSAEWOULDBLOCK) return closeSocket(connection);
        taken = sent > 0 ? static_cast<std::size_t>(sent) : 0;
        if (taken == bytes.size()) return;
    }
    if (connection.unsent.empty() && !connection.blockedSinceTick) connection.blockedSinceTick = GetTickCount();
    connection.unsent.insert(connection.unsent.end(), data + taken, data + bytes.size());
    if (connection.unsent.size() > kMaxUnsent) return closeSocket(connection);
    if (!connection.sendPending) post(connection, SendKey);
}

void TcpTransport::disconnect(const verrin::PeerRef& peer) {
    TcpConnection* connection = lockConnection(peer.connection);
    if (!connection) return;
    if (!connection->closeRequested) {
        connection->closeRequested = true;
        connection->closeRequestTick = GetTickCount();
        shutDownWhenDrained(*connection);
    }
    connection->lock.leave();
}

// One worker lets every parked connection go on.
void TcpTransport::resumeInput() {
    if (!workers_.empty() && InterlockedExchange(&resumePosted_, 1) == 0) workers_.front()->port->post(ResumeKey, 0);
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
    if (!workers_.empty()) {
        // Every terminal gets what was sent to it and the end of the stream; input is no longer
        // taken, and the grace of every end runs out within half a second.
        const DWORD start = GetTickCount();
        {
            Locked locked(lock_);
            for (auto& entry : connections_) {
                TcpConnection& c = *entry.second;
                Locked own(c.lock);
                if (!c.closeRequested) {
                    c.closeRequested = true;
                    c.closeRequestTick = start;
                }
                shutDownWhenDrained(c);
            }
        }
        for (;;) {
            {
                Locked locked(lock_);
                if (connections_.empty()) break;
            }
            if (GetTickCount() - start >= kCloseLimitMs) break;
            Sleep(10);
        }
    }
    stopWorkers();
    // Connections whose operations never came back are left as they are rather than freed under
    // them.
    Locked locked(lock_);
    for (auto& entry : connections_) {
        {
            Locked own(entry.second->lock);
            if (!entry.second->closed()) closeSocket(*entry.second);
        }
        entry.second.release();
    }
    connections_.clear();
    parked_.clear();
    for (auto& worker : workers_) worker->port->close();
    workers_.clear();
}

void TcpTransport::stopWorkers() {
    stopWorkers_ = 1;
    for (auto& worker : workers_) {
        if (!worker->thread) continue;
        WaitForSingleObject(worker->thread, INFINITE);
        CloseHandle(worker->thread);
        worker->thread = nullptr;
    }
}
