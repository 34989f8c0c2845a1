#include "TcpTransport.h"

namespace {

// Worker threads: as many as processors, within bounds.
constexpr DWORD kMinWorkers = 2;
constexpr DWORD kMaxWorkers = 8;
// A terminal that leaves host data unread this long is treated as gone.
constexpr DWORD kSendTimeoutMs = 2000;
// What a terminal that does not read may have waiting for it before it is treated as gone.
constexpr std::size_t kMaxUnsent = 1024 * 1024;
// The longest a connection the host ended stays open when its terminal does not close first.
constexpr DWORD kCloseGraceMs = 500;
constexpr DWORD kHousekeepingEveryMs = 100;
// How long close() waits for the connections to end.
constexpr DWORD kCloseLimitMs = 5000;
// How long the accepting thread waits before it looks at the closing flag again.
constexpr long kAcceptWaitUs = 50000;

// What the workers' windows are told. The system posts the socket notes; the transport the others.
constexpr UINT kSocketNote = WM_APP + 1;  // wParam: the socket; lParam: the event and its error
constexpr UINT kAdoptNote = WM_APP + 2;   // lParam: a new connection, to start reading
constexpr UINT kResumeNote = WM_APP + 3;  // the sink takes frames again
constexpr UINT kClosedNote = WM_APP + 4;  // lParam: a connection whose socket another thread closed
constexpr UINT kFlushNote = WM_APP + 5;   // connections of this worker have output queued
constexpr UINT_PTR kHousekeepingTimer = 1;
const char* const kWorkerClass = "VerrinTcpWorker";

// Milliseconds from then to now; 0 when another thread noted "then" after "now" was read.
DWORD since(DWORD then, DWORD now) {
    const DWORD elapsed = now - then;
    return static_cast<LONG>(elapsed) < 0 ? 0 : elapsed;
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&since), &module);
    return module;
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
    if (closing_ || connections_.size() >= maxConnections_) {
        closesocket(s);
        return;
    }
    HWND worker = workers_[nextWorker_]->window;
    if (WSAAsyncSelect(s, worker, kSocketNote, FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        closesocket(s);
        return;
    }
    nextWorker_ = (nextWorker_ + 1) % workers_.size();
    auto connection = std::make_unique<TcpConnection>();
    connection->socket = s;
    connection->handle = s;
    connection->worker = worker;
    connection->peer.address = ntohl(from.sin_addr.s_addr);
    connection->peer.port = ntohs(from.sin_port);
    connection->peer.connection = nextConnection_++;
    connection->lastInputTick = GetTickCount();
    const std::uint32_t id = connection->peer.connection;
    bySocket_[s] = id;
    connections_[id] = std::move(connection);
    // The worker owns the new connection's reading and starts it.
    PostMessageA(worker, kAdoptNote, 0, static_cast<LPARAM>(id));
}

TcpConnection* TcpTransport::find(std::uint32_t connection) {
    auto it = connections_.find(connection);
    return it == connections_.end() ? nullptr : it->second.get();
}

// ---- the workers ------------------------------------------------------------------------------

bool TcpTransport::startWorkers() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TcpTransport::workerProc;
    windowClass.hInstance = thisModule();
    windowClass.lpszClassName = kWorkerClass;
    RegisterClassA(&windowClass);  // fails harmlessly when a previous start registered it

    SYSTEM_INFO system;
    GetSystemInfo(&system);
    DWORD count = system.dwNumberOfProcessors;
    count = count < kMinWorkers ? kMinWorkers : count > kMaxWorkers ? kMaxWorkers : count;
    for (DWORD i = 0; i < count; ++i) {
        auto worker = std::make_unique<Worker>();
        worker->transport = this;
        worker->ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (!worker->ready) return false;
        worker->thread = CreateThread(nullptr, 0, &TcpTransport::workerMain, worker.get(), 0, &worker->threadId);
        if (!worker->thread) {
            CloseHandle(worker->ready);
            return false;
        }
        WaitForSingleObject(worker->ready, INFINITE);
        const bool standing = worker->window != nullptr;
        workers_.push_back(std::move(worker));
        if (!standing) return false;
    }
    return true;
}

DWORD WINAPI TcpTransport::workerMain(LPVOID param) {
    auto& worker = *static_cast<Worker*>(param);
    worker.window = CreateWindowExA(0, kWorkerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, thisModule(), nullptr);
    SetEvent(worker.ready);
    if (!worker.window) return 0;
    SetTimer(worker.window, kHousekeepingTimer, kHousekeepingEveryMs, nullptr);
    worker.transport->serve(worker);
    DestroyWindow(worker.window);
    return 0;
}

LRESULT CALLBACK TcpTransport::workerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// Until stopWorkers() posts the end, every note is handled here rather than dispatched.
void TcpTransport::serve(Worker& worker) {
    MSG note;
    while (GetMessageA(&note, nullptr, 0, 0) > 0) {
        if (note.hwnd == worker.window)
            onNote(worker, note);
        else
            DispatchMessageA(&note);
    }
}

void TcpTransport::onNote(Worker& worker, const MSG& note) {
    HWND window = worker.window;
    switch (note.message) {
        case kSocketNote: {
            TcpConnection* connection = ownConnectionBySocket(window, static_cast<SOCKET>(note.wParam));
            if (!connection) break;
            if (WSAGETSELECTEVENT(note.lParam) == FD_WRITE)
                onRoomNote(*connection);
            else
                onInputNote(*connection);  // FD_READ, and FD_CLOSE whose end a receive reads
            break;
        }
        case kAdoptNote:
            if (TcpConnection* connection = ownConnection(window, static_cast<std::uint32_t>(note.lParam)))
                readFrom(*connection);  // the note that adopts it owns its reading
            break;
        case kClosedNote:
            if (TcpConnection* connection = ownConnection(window, static_cast<std::uint32_t>(note.lParam)))
                onInputNote(*connection);
            break;
        case kResumeNote: deliverParked(window); break;
        case kFlushNote: flushQueued(worker); break;
        case WM_TIMER:
            flushQueued(worker);  // in case a flush note could not be posted
            housekeep();
            break;
        default: break;
    }
}

// The connection, when this worker serves it. A note may outlive its connection: the socket
// named in it may since belong to another, served elsewhere.
TcpConnection* TcpTransport::ownConnection(HWND window, std::uint32_t id) {
    Locked locked(lock_);
    TcpConnection* connection = find(id);
    return connection && connection->worker == window ? connection : nullptr;
}

TcpConnection* TcpTransport::ownConnectionBySocket(HWND window, SOCKET s) {
    Locked locked(lock_);
    auto it = bySocket_.find(s);
    if (it == bySocket_.end()) return nullptr;
    TcpConnection* connection = find(it->second);
    return connection && connection->worker == window ? connection : nullptr;
}

// ---- reading ----------------------------------------------------------------------------------

// A note that the connection has input or has ended. It matters only to a connection waiting for
// one: a connection being read is read until it waits again, and a parked one is read on resuming.
void TcpTransport::onInputNote(TcpConnection& connection) {
    {
        Locked own(connection.lock);
        if (!connection.awaitingNote) return;
        connection.awaitingNote = false;
        connection.reading = true;
    }
    readFrom(connection);
}

// Receives and delivers until the connection waits for its next note, or parks or ends. A receive
// that did not fill the buffer most likely emptied the socket: rather than another receive to find
// out, the connection waits, since that receive re-armed the note and the system posts it at once
// when more is there.
void TcpTransport::readFrom(TcpConnection& connection) {
    for (;;) {
        DWORD bytes = 0;
        switch (receive(connection, bytes)) {
            case Received::Wait: return;
            case Received::Failed: return finish(connection);
            case Received::End: consume(connection, 0, false); return;
            case Received::More:
                if (!consume(connection, bytes, true)) return;
                break;
            case Received::Data: {
                if (!consume(connection, bytes, true)) return;
                Locked own(connection.lock);
                if (!connection.closed()) {
                    connection.awaitingNote = true;
                    connection.reading = false;
                    return;
                }
                break;  // closed meanwhile: the next receive ends it
            }
        }
    }
}

TcpTransport::Received TcpTransport::receive(TcpConnection& connection, DWORD& bytes) {
    Locked own(connection.lock);
    if (connection.closed()) return Received::Failed;
    const int size = static_cast<int>(connection.received.size());
    const int got = ::recv(connection.socket, connection.received.data(), size, 0);
    if (got == 0) return Received::End;
    if (got < 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) return Received::End;
        connection.awaitingNote = true;
        connection.reading = false;
        return Received::Wait;
    }
    bytes = static_cast<DWORD>(got);
    return got == size ? Received::More : Received::Data;
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

// Lets this worker's parked connections go on, oldest first, while the sink takes frames.
void TcpTransport::deliverParked(HWND window) {
    for (;;) {
        TcpConnection* connection = nullptr;
        bool ended;
        {
            Locked locked(lock_);
            if (!sink_->takesInput()) return;
            for (auto it = parked_.begin(); it != parked_.end(); ++it)
                if ((*it)->worker == window) {
                    connection = *it;
                    parked_.erase(it);
                    break;
                }
            if (!connection) return;
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

// Room for output again after the socket refused some.
void TcpTransport::onRoomNote(TcpConnection& connection) {
    {
        Locked own(connection.lock);
        if (!connection.closed() && !sendOn(connection)) closeSocket(connection);
    }
    releaseIfIdle(connection);
}

// Under the connection's lock: sends what waits until the socket refuses more (the system then
// notes when it has room), and ends the stream when the host asked for it and everything is out.
// False when the socket failed.
bool TcpTransport::sendOn(TcpConnection& connection) {
    while (!connection.unsent.empty()) {
        const int sent = ::send(connection.socket, connection.unsent.data(), static_cast<int>(connection.unsent.size()), 0);
        if (sent < 0) {
            if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
            if (!connection.blockedSinceTick) connection.blockedSinceTick = GetTickCount();
            break;
        }
        connection.unsent.erase(connection.unsent.begin(), connection.unsent.begin() + sent);
    }
    if (connection.unsent.empty()) connection.blockedSinceTick = 0;
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

// Under the connection's lock. A connection waiting for a note would hear nothing more of its
// socket, so its worker is told.
void TcpTransport::closeSocket(TcpConnection& connection) {
    closesocket(connection.socket);
    connection.socket = INVALID_SOCKET;
    if (connection.awaitingNote)
        PostMessageA(connection.worker, kClosedNote, 0, static_cast<LPARAM>(connection.peer.connection));
}

// The connection goes when its socket is closed and nothing of it is owned; the caller must not
// touch it afterwards. Whoever could still reach it finds it through the maps, under the
// transport's lock, which is held until it is gone.
void TcpTransport::releaseIfIdle(TcpConnection& connection) {
    Locked locked(lock_);
    {
        Locked own(connection.lock);
        if (!connection.idle()) return;
    }
    auto bySocket = bySocket_.find(connection.handle);
    if (bySocket != bySocket_.end() && bySocket->second == connection.peer.connection) bySocket_.erase(bySocket);
    connections_.erase(connection.peer.connection);
}

// ---- ending -----------------------------------------------------------------------------------

// Ends what has to end: terminals that leave host data unread, ends the host asked for once their
// grace is over, and connections silent for longer than the service's net for terminals that
// never log in (a parked connection is not silent: its input waits for us). Closing the socket
// brings the reading owner round; a parked connection is taken from the list and handed to its
// worker, which finishes it, so that a connection only ever goes on the thread that serves it.
void TcpTransport::housekeep() {
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
            c.awaitingNote = true;
            for (auto it = parked_.begin(); it != parked_.end(); ++it)
                if (*it == &c) {
                    parked_.erase(it);
                    break;
                }
            PostMessageA(c.worker, kClosedNote, 0, static_cast<LPARAM>(c.peer.connection));
        }
    }
}

// ---- any thread -------------------------------------------------------------------------------

// The connection locked, found under the transport's lock; null when it is gone.
TcpConnection* TcpTransport::lockConnection(std::uint32_t id) {
    Locked locked(lock_);
    TcpConnection* connection = find(id);
    if (connection) connection->lock.enter();
    return connection;
}

// Over TCP a send to a connection accepted by the listener costs the wine server three round
// trips (Wine keeps no descriptor of such a socket in the program, so every call asks for it
// again). At thousands of acknowledgements a second one thread sending them all falls seconds
// behind, and whatever it is handed after them (the host's resuming input among it) waits as long.
// So the network thread only queues each connection's bytes, in the order the engine gave them
// out, and the worker that serves the connection sends them, the workers side by side.
void TcpTransport::send(const verrin::PeerRef& peer, const std::vector<std::uint8_t>& bytes) {
    TcpConnection* connection = lockConnection(peer.connection);
    if (!connection) return;
    const bool noteWorker = queueLocked(*connection, bytes);
    HWND worker = connection->worker;
    connection->lock.leave();
    if (noteWorker) queueForFlush(worker, peer.connection);
}

// Under the connection's lock: queues the bytes for the connection's worker to send. True when
// the worker has yet to hear of the connection's output.
bool TcpTransport::queueLocked(TcpConnection& connection, const std::vector<std::uint8_t>& bytes) {
    if (connection.closed() || connection.closeRequested) return false;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    connection.unsent.insert(connection.unsent.end(), data, data + bytes.size());
    if (connection.unsent.size() > kMaxUnsent) {
        closeSocket(connection);
        return false;
    }
    if (connection.flushDue) return false;
    connection.flushDue = true;
    return true;
}

// The worker is noted once for all the connections queued until it takes them.
void TcpTransport::queueForFlush(HWND window, std::uint32_t id) {
    bool noteWorker = false;
    {
        Locked locked(lock_);
        Worker* worker = workerOf(window);
        if (!worker) return;
        worker->toFlush.push_back(id);
        noteWorker = !worker->flushNoted;
        worker->flushNoted = true;
    }
    if (noteWorker && !PostMessageA(window, kFlushNote, 0, 0)) {
        Locked locked(lock_);
        if (Worker* worker = workerOf(window)) worker->flushNoted = false;  // its timer flushes them
    }
}

// Under the transport's lock.
TcpTransport::Worker* TcpTransport::workerOf(HWND window) {
    for (auto& worker : workers_)
        if (worker->window == window) return worker.get();
    return nullptr;
}

// On the worker: sends what is queued for its connections. A connection whose socket refused
// bytes waits for its room note instead.
void TcpTransport::flushQueued(Worker& worker) {
    std::vector<std::uint32_t> ids;
    {
        Locked locked(lock_);
        ids.swap(worker.toFlush);
        worker.flushNoted = false;
    }
    for (std::uint32_t id : ids) {
        TcpConnection* connection = ownConnection(worker.window, id);
        if (!connection) continue;
        {
            Locked own(connection->lock);
            connection->flushDue = false;
            if (!connection->closed() && !connection->blockedSinceTick && !sendOn(*connection))
                closeSocket(*connection);
        }
        releaseIfIdle(*connection);
    }
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

// Every worker lets its own parked connections go on.
void TcpTransport::resumeInput() {
    for (auto& worker : workers_) PostMessageA(worker->window, kResumeNote, 0, 0);
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
    // Connections that never came round are closed and left as they are rather than freed under
    // a thread that might still hold them.
    Locked locked(lock_);
    for (auto& entry : connections_) {
        {
            Locked own(entry.second->lock);
            if (!entry.second->closed()) {
                closesocket(entry.second->socket);
                entry.second->socket = INVALID_SOCKET;
            }
        }
        entry.second.release();
    }
    connections_.clear();
    bySocket_.clear();
    parked_.clear();
    workers_.clear();
}

void TcpTransport::stopWorkers() {
    for (auto& worker : workers_) {
        if (worker->thread) {
            PostThreadMessageA(worker->threadId, WM_QUIT, 0, 0);
            WaitForSingleObject(worker->thread, INFINITE);
            CloseHandle(worker->thread);
            worker->thread = nullptr;
        }
        if (worker->ready) CloseHandle(worker->ready);
        worker->ready = nullptr;
    }
}
