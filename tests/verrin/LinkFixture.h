#pragma once
// A running service on a free port with a host window, and terminals that log in to it.
#include <winsock2.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "DtuTerminal.h"
#include "HostWindow.h"
#include "TestSupport.h"

class LinkFixture : public ::testing::TestWithParam<DtuProtocol> {
protected:
    void SetUp() override {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        startService();
    }

    void TearDown() override {
        char status[256];
        stop_gprs_server(status);
        for (const char* name : {"VERRIN_IDLE_TIMEOUT_MS", "VERRIN_MAX_TERMINALS", "VERRIN_QUEUE_LIMIT"})
            SetEnvironmentVariableA(name, nullptr);
        WSACleanup();
    }

    bool tcp() const { return GetParam() == DtuProtocol::Tcp; }

    // Another test program may take a port between our probe and the start; try a few.
    void startService() {
        for (int attempt = 0; attempt < 5; ++attempt) {
            port_ = FreePort(tcp());
            ASSERT_EQ(SelectProtocol(tcp() ? LINK_PROTOCOL_TCP : LINK_PROTOCOL_UDP), 0);
            char status[256];
            std::memset(status, 'x', sizeof status);
            if (start_gprs_server(host_.handle(), WM_LINKEVENT, port_, status) >= 0) {
                ASSERT_LT(strnlen(status, sizeof status), sizeof status);
                return;
            }
        }
        FAIL() << "service did not start";
    }

    void restartService() {
        char status[256];
        ASSERT_EQ(stop_gprs_server(status), 0);
        startService();
    }

    std::unique_ptr<DtuTerminal> connectTerminal(const std::string& id, std::uint32_t mobileAddress = 0x0A000001,
                                                 std::uint16_t mobilePort = 7000) {
        auto terminal = std::make_unique<DtuTerminal>(GetParam(), id, mobileAddress, mobilePort);
        EXPECT_TRUE(terminal->connect("127.0.0.1", port_));
        return terminal;
    }

    // A terminal that logged in and whose login the host has read.
    std::unique_ptr<DtuTerminal> loggedIn(const std::string& id, std::uint32_t mobileAddress = 0x0A000001,
                                          std::uint16_t mobilePort = 7000) {
        auto terminal = connectTerminal(id, mobileAddress, mobilePort);
        const std::size_t before = host_.records.size();
        terminal->sendLogin();
        verrin::Frame reply;
        EXPECT_TRUE(terminal->receiveType(verrin::FrameType::LoginReply, reply, 3000));
        EXPECT_EQ(reply.payload, std::vector<std::uint8_t>{0});
        EXPECT_TRUE(host_.pumpUntil([&] { return host_.records.size() > before; }, 3000));
        return terminal;
    }

    bool waitForRecords(std::size_t count, DWORD timeoutMs = 3000) {
        return host_.pumpUntil([&] { return host_.records.size() >= count; }, timeoutMs);
    }

    TLinkCounters counters() {
        TLinkCounters c;
        get_link_counters(&c);
        return c;
    }

    // The service counts what it read on its own threads; wait until it has got that far.
    std::uint32_t counted(std::uint32_t TLinkCounters::*field, std::uint32_t expected) {
        host_.pumpUntil([&] { return counters().*field >= expected; }, 3000);
        return counters().*field;
    }

    // The online slots, keyed by terminal id.
    std::map<std::string, TUserInfoRecord> onlineSlots() {
        std::map<std::string, TUserInfoRecord> online;
        const int slots = get_max_user_amount();
        for (int i = 0; i < slots; ++i) {
            TUserInfoRecord info;
            get_user_at(i, &info);
            if (info.Status == LINK_SLOT_ONLINE) online[std::string(info.Id, strnlen(info.Id, 12))] = info;
        }
        return online;
    }

    static std::string idOf(const TUserDataRecord& record) { return std::string(record.Id, strnlen(record.Id, 12)); }

    HostWindow host_;
    int port_ = 0;
};

inline void PrintTo(DtuProtocol protocol, std::ostream* out) { *out << (protocol == DtuProtocol::Tcp ? "TCP" : "UDP"); }

inline std::string protocolName(const ::testing::TestParamInfo<DtuProtocol>& info) {
    return info.param == DtuProtocol::Tcp ? "Tcp" : "Udp";
}
