#pragma once
#include <windows.h>

#include <memory>

#include "CriticalSection.h"
#include "LinkEngine.h"
#include "SystemClock.h"
#include "Transport.h"
#include "WindowNotifier.h"
#include "Winsock.h"
#include "verrin.h"

// The running service behind the exported calls: the engine, the transport, the network thread
// and the notifier, all under one lock. One per process.
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

    void onFrame(const verrin::PeerRef& peer, const verrin::Frame& frame) override;
    void onFault(const verrin::PeerRef& peer, verrin::FrameFault fault) override;
    void onPeerLost(const verrin::PeerRef& peer) override;

    static DWORD WINAPI threadMain(LPVOID self);
    void runNetwork();
    void flush(verrin::Outbox& out);
    bool running() const { return engine_ != nullptr; }
    void release();

    CriticalSection lock_;
    int protocol_ = LINK_PROTOCOL_UDP;
    std::unique_ptr<Winsock> winsock_;
    std::unique_ptr<Transport> transport_;
    std::unique_ptr<SystemClock> clock_;
    std::unique_ptr<verrin::LinkEngine> engine_;
    WindowNotifier notifier_;
    HANDLE thread_ = nullptr;
    volatile LONG stopping_ = 0;
};
