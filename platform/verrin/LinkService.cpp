#include <winsock2.h>

#include "LinkService.h"

#include <cstring>
#include <string>

#include "ServiceSettings.h"
#include "StatusText.h"
#include "TcpTransport.h"
#include "UdpTransport.h"

namespace {

// How long the network thread sleeps when idle before it looks at time-outs and owed messages.
constexpr DWORD kIdleWaitMs = 50;
constexpr DWORD kRetryWaitMs = 5;
constexpr DWORD kSweepEveryMs = 100;
// Rounds of a millisecond with nothing to do before the network thread sleeps until woken.
constexpr int kBusyRounds = 10;
// TCP connections allowed beyond the slots, for terminals that have not logged in yet.
constexpr std::size_t kPendingConnections = 64;

std::string idFromField(const char* field) {
    if (!field) return std::string();
    return std::string(field, strnlen(field, 12));
}

void copyText(char* field, std::size_t size, const std::string& text) {
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), text.size() < size ? text.size() : size);
}

const char* protocolName(int protocol) { return protocol == LINK_PROTOCOL_TCP ? "TCP" : "UDP"; }

}  // namespace

LinkService& LinkService::instance() {
    // Never destroyed: at process exit the network thread is already gone mid-step, and tearing
    // sockets down from DllMain is asking for trouble.
    static LinkService* service = new LinkService;
    return *service;
}

int LinkService::selectProtocol(int protocol) {
    Locked call(callLock_);
    if (running()) return -1;
    if (protocol != LINK_PROTOCOL_UDP && protocol != LINK_PROTOCOL_TCP) return -2;
    protocol_ = protocol;
    return 0;
}

int LinkService::start(HWND window, UINT message, int port, char* status) {
    Locked call(callLock_);
    if (running()) {
        writeStatus(status, "服务已在运行，不能再次启动。");
        return -1;
    }
    if (!IsWindow(window) || port < 1 || port > 65535) {
        writeStatus(status, "启动参数错误：窗口无效或端口 %d 超出 1~65535。", port);
        return -2;
    }
    auto winsock = std::make_unique<Winsock>();
    if (!winsock->ready()) {
        writeStatus(status, "网络初始化失败（错误 %d）。", winsock->error());
        return -3;
    }
    verrin::LinkLimits limits = readServiceSettings();
    std::unique_ptr<Transport> transport;
    if (protocol_ == LINK_PROTOCOL_TCP) {
        // TCP can make the terminals wait, so no event is ever dropped.
        limits.holdInputWhenFull = true;
        transport = std::make_unique<TcpTransport>(limits.slots + kPendingConnections,
                                                   // a net for connections that never log in; the
                                                   // engine times out those that did, and says so
                                                   limits.idleTimeoutMs * 2);
    } else {
        transport = std::make_unique<UdpTransport>();
    }
    // Everything stands before the port opens: a TCP transport's own threads hand frames on, and
    // answer them, as soon as terminals connect.
    winsock_ = std::move(winsock);
    transport_ = std::move(transport);
    clock_ = std::make_unique<SystemClock>();
    engine_ = std::make_unique<verrin::LinkEngine>(limits, *clock_);
    courier_.discard();
    readersPost_ = protocol_ == LINK_PROTOCOL_TCP;
    notifier_.arm(window, message);
    if (const int error = transport_->open(static_cast<std::uint16_t>(port), *this)) {
        notifier_.disarm();
        release();
        writeStatus(status, "%s 端口 %d 监听失败（错误 %d）。", protocolName(protocol_), port, error);
        return -4;
    }
    stopping_ = 0;
    thread_ = CreateThread(nullptr, 0, &LinkService::threadMain, this, 0, nullptr);
    if (!thread_) {
        notifier_.disarm();
        transport_->close();
        release();
        writeStatus(status, "网络线程创建失败。");
        return -5;
    }
    writeStatus(status, "GPRS/CDMA 服务已启动：%s 端口 %d，最多 %u 个终端。", protocolName(protocol_), port,
                static_cast<unsigned>(limits.slots));
    return 0;
}

int LinkService::stop(char* status) {
    Locked call(callLock_);
    if (!running()) {
        writeStatus(status, "服务未运行。");
        return -1;
    }
    // The network thread says goodbye to the terminals and closes the sockets on its way out.
    stopping_ = 1;
    courier_.wake();
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
    const std::size_t closed = closedOnStop_;
    release();
    writeStatus(status, "GPRS/CDMA 服务已停止，断开 %u 个终端。", static_cast<unsigned>(closed));
    return 0;
}

void LinkService::release() {
    transport_.reset();
    engine_.reset();
    clock_.reset();
    winsock_.reset();
}

int LinkService::readEvent(TUserDataRecord* record, char* aux, DWORD replyFlag) {
    if (!record) return -2;
    std::memset(record, 0, sizeof *record);
    if (aux) aux[0] = '\0';
    Locked call(callLock_);
    if (!running()) return -1;
    verrin::LinkEvent event;
    {
        Locked locked(engineLock_);
        const bool held = !engine_->takesInput();
        if (!engine_->takeEvent(event)) return 0;
        if (held && engine_->takesInput() && courier_.handResume()) courier_.wake();
        // Only the low byte of the flag is defined. The acknowledgement goes out from the
        // network thread: the host does not wait for it.
        if ((replyFlag & 0xFF) == 1) {
            verrin::Outbox out;
            engine_->acknowledge(event, out);
            handOut(out);
        }
    }

    copyText(record->Id, sizeof record->Id, event.id);
    copyText(record->Time, sizeof record->Time, event.time);
    std::memcpy(record->Data, event.data.data(), event.data.size());
    record->DataLength = static_cast<std::uint16_t>(event.data.size());
    record->Kind = static_cast<std::uint8_t>(event.kind);
    if (aux) {
        // Where the terminal talks from, for a host that wants to show it.
        const std::uint32_t a = event.peer.address;
        std::snprintf(aux, 1024, "%u.%u.%u.%u:%u", a >> 24, (a >> 16) & 0xFF, (a >> 8) & 0xFF, a & 0xFF,
                      event.peer.port);
    }
    return 1;
}

int LinkService::slotCount() {
    Locked call(callLock_);
    Locked locked(engineLock_);
    return running() ? static_cast<int>(engine_->terminals().capacity()) : 0;
}

int LinkService::slotInfo(int slot, TUserInfoRecord* info) {
    if (!info) return -2;
    std::memset(info, 0, sizeof *info);
    Locked call(callLock_);
    Locked locked(engineLock_);
    if (!running()) return -1;
    const auto& table = engine_->terminals();
    if (slot < 0 || static_cast<std::size_t>(slot) >= table.capacity()) return -2;
    const verrin::Terminal& terminal = table.at(static_cast<std::size_t>(slot));
    if (!terminal.online) return 0;
    copyText(info->Id, sizeof info->Id, terminal.id);
    info->PublicAddress = terminal.peer.address;
    info->PublicPort = terminal.peer.port;
    info->MobileAddress = terminal.mobileAddress;
    info->MobilePort = terminal.mobilePort;
    copyText(info->LoginTime, sizeof info->LoginTime, terminal.loginTime);
    copyText(info->LastHeardTime, sizeof info->LastHeardTime, terminal.lastHeardTime);
    info->Status = LINK_SLOT_ONLINE;
    return 1;
}

int LinkService::send(const char* id, const char* data, int length, char* reply) {
    Locked call(callLock_);
    if (!running()) {
        writeStatus(reply, "服务未运行，数据未发送。");
        return -1;
    }
    const std::string terminal = idFromField(id);
    if (!data || length < 1 || length > static_cast<int>(verrin::kMaxPayload)) {
        writeStatus(reply, "数据长度 %d 无效（应为 1~1024）。", length);
        return -2;
    }
    verrin::LinkEngine::SendResult result;
    {
        Locked locked(engineLock_);
        verrin::Outbox out;
        result = engine_->sendData(terminal, reinterpret_cast<const std::uint8_t*>(data),
                                   static_cast<std::size_t>(length), out);
        handOut(out);
    }
    if (result != verrin::LinkEngine::SendResult::Sent) {
        writeStatus(reply, "终端 %s 不在线，数据未发送。", terminal.c_str());
        return -3;
    }
    writeStatus(reply, "已发送 %d 字节至终端 %s。", length, terminal.c_str());
    return 0;
}

int LinkService::closeOne(const char* id, char* reply) {
    Locked call(callLock_);
    if (!running()) {
        writeStatus(reply, "服务未运行。");
        return -1;
    }
    const std::string terminal = idFromField(id);
    bool detached;
    {
        Locked locked(engineLock_);
        verrin::Outbox out;
        detached = engine_->detach(terminal, out);
        handOut(out);
    }
    if (!detached) {
        writeStatus(reply, "终端 %s 不在线。", terminal.c_str());
        return -3;
    }
    writeStatus(reply, "终端 %s 已分离。", terminal.c_str());
    return 0;
}

int LinkService::closeAll(char* status) {
    Locked call(callLock_);
    if (!running()) {
        writeStatus(status, "服务未运行。");
        return -1;
    }
    std::size_t closed;
    {
        Locked locked(engineLock_);
        verrin::Outbox out;
        closed = engine_->detachAll(verrin::CloseReason::Detached, out);
        handOut(out);
    }
    writeStatus(status, "已分离全部终端，共 %u 个。", static_cast<unsigned>(closed));
    return 0;
}

int LinkService::counters(TLinkCounters* counters) {
    if (!counters) return -2;
    std::memset(counters, 0, sizeof *counters);
    Locked call(callLock_);
    if (!running()) return -1;
    verrin::LinkCounters c;
    {
        Locked locked(engineLock_);
        c = engine_->counters();
    }
    counters->EventsQueued = c.eventsQueued;
    counters->EventsRead = c.eventsRead;
    counters->EventsLost = c.eventsLost;
    counters->GarbageFrames = c.garbage;
    counters->MalformedFrames = c.malformed;
    counters->UnknownFrames = c.unknownType;
    counters->OversizeFrames = c.oversize;
    counters->BadIds = c.badIds;
    counters->BeforeLogin = c.beforeLogin;
    counters->RefusedLogins = c.refusedLogins;
    counters->TimedOut = c.timedOut;
    return 0;
}

DWORD WINAPI LinkService::threadMain(LPVOID self) {
    static_cast<LinkService*>(self)->runNetwork();
    return 0;
}

// Busy, a round a millisecond, so that what comes in meanwhile goes out together; idle, asleep
// until something is handed in, waking now and then for time-outs and owed messages.
void LinkService::runNetwork() {
    DWORD lastSweep = GetTickCount();
    int idleRounds = 0;
    while (!stopping_) {
        idleRounds = deliver() ? 0 : idleRounds + 1;
        notifier_.retry();
        if (GetTickCount() - lastSweep >= kSweepEveryMs) {
            lastSweep = GetTickCount();
            sweep();
        }
        if (idleRounds < kBusyRounds)
            Sleep(1);
        else
            courier_.waitForWork(notifier_.owes() ? kRetryWaitMs : kIdleWaitMs);
    }
    shutDownNetwork();
}

void LinkService::sweep() {
    Locked locked(engineLock_);
    verrin::Outbox out;
    engine_->sweep(out);
    handOut(out);
}

// Input is no longer read. From here on the host is told nothing; what was owed to the terminals
// goes out, every terminal hears that the service stops, and the sockets close after what was
// sent to them.
void LinkService::shutDownNetwork() {
    {
        Locked locked(engineLock_);
        notifier_.disarm();
        verrin::Outbox out;
        closedOnStop_ = engine_->detachAll(verrin::CloseReason::ServiceStopped, out);
        handOut(out);
    }
    deliver();
    transport_->close();
}

bool LinkService::onFrame(const verrin::PeerRef& peer, const verrin::Frame& frame) {
    bool more;
    std::size_t postHere;
    {
        Locked locked(engineLock_);
        verrin::Outbox out;
        engine_->onFrame(peer, frame, out);
        more = engine_->takesInput();
        postHere = handOutFromReader(out);
    }
    notifier_.announce(postHere);
    return more;
}

bool LinkService::takesInput() {
    Locked locked(engineLock_);
    return engine_->takesInput();
}

void LinkService::onFault(const verrin::PeerRef&, verrin::FrameFault fault) {
    Locked locked(engineLock_);
    engine_->onFault(fault);
}

void LinkService::onPeerLost(const verrin::PeerRef& peer) {
    std::size_t postHere;
    {
        Locked locked(engineLock_);
        verrin::Outbox out;
        engine_->onPeerLost(peer, out);
        postHere = handOutFromReader(out);
    }
    notifier_.announce(postHere);
}

// Under the engine's lock, so that the courier has what the engine gave out in the engine's order.
// Waking the network thread is a round trip to the wine server of its own, asked only of a
// thread that sleeps, that is when the service is nearly idle.
void LinkService::handOut(verrin::Outbox& out) {
    if (courier_.hand(std::move(out))) courier_.wake();
}

// Under the engine's lock, for a transport's reading thread. Over TCP every connection has a
// worker, and each worker posts the messages of its own events after the lock: one thread posting
// for all of them would make a round trip to the wine server per event one after the other, and
// fall behind them. Over UDP the one thread that reads every terminal posts nothing. The number
// of messages to post here.
std::size_t LinkService::handOutFromReader(verrin::Outbox& out) {
    const std::size_t postHere = readersPost_ ? out.newEvents : 0;
    out.newEvents -= postHere;
    handOut(out);
    return postHere;
}

// On the network thread: the host's messages first, so that its events do not wait behind the
// acknowledgements it asked for; then packets and the ends of links, in the order handed in.
// True when there was anything.
bool LinkService::deliver() {
    if (!courier_.take(delivery_)) return false;
    notifier_.announce(delivery_.events);
    if (delivery_.resumeInput) transport_->resumeInput();
    for (const verrin::Outbox& out : delivery_.outboxes) {
        for (const auto& packet : out.packets) transport_->send(packet.peer, packet.bytes);
        for (const auto& peer : out.disconnects) transport_->disconnect(peer);
    }
    return true;
}
