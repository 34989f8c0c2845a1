#pragma once
#include <windows.h>

#include <memory>

#include "Courier.h"
#include "CriticalSection.h"
#include "LinkEngine.h"
#include "SystemClock.h"
#include "Transport.h"
#include "WindowNotifier.h"
#include "Winsock.h"
#include "verrin.h"

// The running service behind the exported calls: the engine, the transport, the courier, the
// network thread and the notifier. One per process.
//
// Two locks. Every exported call holds callLock_ from start to end, so that start and stop never
// overlap another call; the network thread never takes it. engineLock_ guards the engine and is
// held only while the engine works. What the engine gives out (packets, ends of links, events to
// announce) goes to the courier, and the network thread sends, ends and posts: neither the host's
// calls nor the thread that reads the UDP socket ever wait for a system call of that kind. TCP's
// workers, many, post the messages of their own events.
class LinkService : private TransportSink {
public:
    static LinkService& instance();

    int selectProtocol(int protocol);
    int start(HWND window, UINT message, int port, char* status);
    int stop(char* status);
    int readEvent(TUserDataRecord* record, char* aux, DWORD replyFlag);
    int slotCount();
    int slotInfo(int slot, TUserInfoRecord* info);
    int send(const char* id, const char* data, int length, char* reply);
    int closeOne(const char* id, char* reply);
    int closeAll(char* status);
    int counters(TLinkCounters* counters);

private:
    LinkService() = default;

    bool onFrame(const verrin::PeerRef& peer, const verrin::Frame& frame) override;
    bool takesInput() override;
    void onFault(const verrin::PeerRef& peer, verrin::FrameFault fault) override;
    void onPeerLost(const verrin::PeerRef& peer) override;

    static DWORD WINAPI threadMain(LPVOID self);
    void runNetwork();
    void sweep();
    void shutDownNetwork();
    bool deliver();
    void handOut(verrin::Outbox& out);
    std::size_t handOutFromReader(verrin::Outbox& out);
    bool running() const { return engine_ != nullptr; }
    void release();

    CriticalSection callLock_;
    CriticalSection engineLock_;
    int protocol_ = LINK_PROTOCOL_UDP;
    std::unique_ptr<Winsock> winsock_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<SystemClock> clock_;
    std::unique_ptr<verrin::LinkEngine> engine_;
    Courier courier_;
    Courier::Delivery delivery_;  // the network thread's
    bool readersPost_ = false;  // TCP's workers post their own events' messages
    WindowNotifier notifier_;
    HANDLE thread_ = nullptr;
    volatile LONG stopping_ = 0;
    std::size_t closedOnStop_ = 0;
};
