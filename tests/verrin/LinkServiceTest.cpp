#include "LinkFixture.h"

namespace {

using verrin::CloseReason;
using verrin::Frame;
using verrin::FrameType;

std::vector<std::uint8_t> binaryPattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    bytes[0] = 0x00;  // NUL must travel like any byte
    return bytes;
}

bool looksLikeTimeText(const char* field) {
    const std::string text(field, strnlen(field, 20));
    if (text.size() != 19) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char expected = (i == 4 || i == 7) ? '-' : i == 10 ? ' ' : (i == 13 || i == 16) ? ':' : '#';
        if (expected == '#' ? !isdigit(static_cast<unsigned char>(text[i])) : text[i] != expected) return false;
    }
    return true;
}

CloseReason closeReason(const Frame& frame) { return static_cast<CloseReason>(frame.payload.at(0)); }

// A host-side close reaches the terminal as a Close frame; a TCP terminal then loses its link.
void expectClosed(DtuTerminal& terminal, CloseReason reason, bool tcp) {
    Frame frame;
    ASSERT_TRUE(terminal.receiveType(FrameType::Close, frame, 3000)) << terminal.id();
    EXPECT_EQ(closeReason(frame), reason);
    if (tcp) {
        EXPECT_FALSE(terminal.receive(frame, 3000));
        EXPECT_TRUE(terminal.linkClosed());
    }
}

}  // namespace

class LinkService : public LinkFixture {};

TEST_P(LinkService, TerminalsLogInOneMessageEachAndAreListedWithBothAddresses) {
    auto a = loggedIn("13800000001", 0x0A010203, 4001);
    auto b = loggedIn("13800000002", 0x0A010204, 4002);
    auto c = loggedIn("ABCDEFGHIJKL", 0x0A010205, 4003);  // twelve characters fill the field

    ASSERT_EQ(host_.records.size(), 3u);
    EXPECT_EQ(host_.messages, 3);
    const char* ids[] = {"13800000001", "13800000002", "ABCDEFGHIJKL"};
    for (int i = 0; i < 3; ++i) {
        const TUserDataRecord& record = host_.records[i];
        EXPECT_EQ(record.Kind, LINK_EVENT_LOGIN);
        EXPECT_EQ(idOf(record), ids[i]);
        EXPECT_TRUE(looksLikeTimeText(record.Time)) << std::string(record.Time, 20);
        EXPECT_EQ(record.DataLength, 0);
    }

    const auto online = onlineSlots();
    ASSERT_EQ(online.size(), 3u);
    const TUserInfoRecord& info = online.at("13800000002");
    EXPECT_EQ(info.PublicAddress, 0x7F000001u);
    EXPECT_EQ(info.PublicPort, b->localPort());
    EXPECT_EQ(info.MobileAddress, 0x0A010204u);
    EXPECT_EQ(info.MobilePort, 4002);
    EXPECT_TRUE(looksLikeTimeText(info.LoginTime));
    EXPECT_EQ(online.at("ABCDEFGHIJKL").PublicPort, c->localPort());
    EXPECT_EQ(online.at("13800000001").MobilePort, 4001);
    EXPECT_EQ(host_.auxTexts[1], "127.0.0.1:" + std::to_string(b->localPort()));
}

TEST_P(LinkService, DataTravelsBothWaysByteExact) {
    auto terminal = loggedIn("1001");
    const auto small = binaryPattern(5);
    const auto full = binaryPattern(1024);
    terminal->sendData(small);
    terminal->sendData(full);
    ASSERT_TRUE(waitForRecords(3));
    for (int i = 1; i <= 2; ++i) {
        const TUserDataRecord& record = host_.records[i];
        const auto& sent = i == 1 ? small : full;
        EXPECT_EQ(record.Kind, LINK_EVENT_DATA);
        EXPECT_EQ(idOf(record), "1001");
        ASSERT_EQ(record.DataLength, sent.size());
        EXPECT_EQ(std::vector<std::uint8_t>(record.Data, record.Data + record.DataLength), sent);
    }

    char id[12] = "1001";
    char reply[256];
    for (const auto& bytes : {small, full}) {
        std::memset(reply, 'x', sizeof reply);
        ASSERT_EQ(do_send_user_data(id, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                                    reply), 0);
        EXPECT_LT(strnlen(reply, sizeof reply), sizeof reply);
        Frame frame;
        ASSERT_TRUE(terminal->receiveType(FrameType::HostData, frame, 3000));
        EXPECT_EQ(frame.payload, bytes);
    }

    // Refused cleanly, with a reply that still fits its buffer.
    std::vector<char> tooLong(1025, 'a');
    EXPECT_LT(do_send_user_data(id, tooLong.data(), 1025, reply), 0);
    EXPECT_LT(strnlen(reply, sizeof reply), sizeof reply);
    char stranger[12] = "999";
    EXPECT_LT(do_send_user_data(stranger, tooLong.data(), 4, reply), 0);
    EXPECT_LT(strnlen(reply, sizeof reply), sizeof reply);
}

TEST_P(LinkService, ReplyFlagAcknowledgesTheDataPacket) {
    auto terminal = loggedIn("1002");
    const std::vector<std::uint8_t> bytes = {1, 2, 3};

    host_.setReplyFlag(0);
    terminal->sendData(bytes);
    ASSERT_TRUE(waitForRecords(2));
    terminal->sendHeartbeat();  // its answer proves the host has spoken since
    Frame frame;
    ASSERT_TRUE(terminal->receive(frame, 3000));
    EXPECT_EQ(frame.type, static_cast<std::uint8_t>(FrameType::HeartbeatReply));

    host_.setReplyFlag(1);
    terminal->sendData(bytes);
    ASSERT_TRUE(waitForRecords(3));
    ASSERT_TRUE(terminal->receive(frame, 3000));
    EXPECT_EQ(frame.type, static_cast<std::uint8_t>(FrameType::DataAck));
    EXPECT_EQ(frame.sequence, terminal->lastDataSequence());
}

TEST_P(LinkService, DetachOneThenAll) {
    auto a = loggedIn("2001");
    auto b = loggedIn("2002");
    auto c = loggedIn("2003");
    char id[12] = "2002";
    char reply[256];
    ASSERT_EQ(do_close_one_user(id, reply), 0);
    EXPECT_LT(strnlen(reply, sizeof reply), sizeof reply);
    expectClosed(*b, CloseReason::Detached, tcp());
    auto online = onlineSlots();
    EXPECT_EQ(online.size(), 2u);
    EXPECT_EQ(online.count("2002"), 0u);
    EXPECT_LT(do_close_one_user(id, reply), 0);  // no longer there

    char status[256];
    ASSERT_EQ(do_close_all_user(status), 0);
    EXPECT_LT(strnlen(status, sizeof status), sizeof status);
    expectClosed(*a, CloseReason::Detached, tcp());
    expectClosed(*c, CloseReason::Detached, tcp());
    EXPECT_TRUE(onlineSlots().empty());
    EXPECT_EQ(host_.messages, 3);  // the host asked for these; it is not told again
}

TEST_P(LinkService, StopsCleanlyAndStartsAgainOnTheSamePort) {
    auto terminal = loggedIn("3001");
    char status[256];
    EXPECT_LT(start_gprs_server(host_.handle(), WM_LINKEVENT, port_, status), 0);  // already running
    EXPECT_LT(strnlen(status, sizeof status), sizeof status);
    EXPECT_LT(SelectProtocol(LINK_PROTOCOL_UDP), 0);  // not while running

    ASSERT_EQ(stop_gprs_server(status), 0);
    EXPECT_LT(strnlen(status, sizeof status), sizeof status);
    expectClosed(*terminal, CloseReason::ServiceStopped, tcp());

    // Stopped: nothing is posted, and every call fails without touching more than it may.
    terminal->sendData(std::vector<std::uint8_t>{1});
    const int messagesBefore = host_.messages;
    host_.pumpFor(300);
    EXPECT_EQ(host_.messages, messagesBefore);
    TUserDataRecord record;
    std::memset(&record, 0xCC, sizeof record);
    EXPECT_LT(do_read_proc(&record, nullptr, 1), 0);
    EXPECT_EQ(record.Kind, LINK_EVENT_NONE);
    EXPECT_EQ(record.DataLength, 0);
    EXPECT_EQ(get_max_user_amount(), 0);
    TUserInfoRecord info;
    EXPECT_LT(get_user_at(0, &info), 0);
    char id[12] = "3001";
    EXPECT_LT(do_send_user_data(id, "x", 1, status), 0);
    EXPECT_LT(do_close_one_user(id, status), 0);
    EXPECT_LT(do_close_all_user(status), 0);
    EXPECT_LT(stop_gprs_server(status), 0);
    EXPECT_LT(strnlen(status, sizeof status), sizeof status);

    ASSERT_EQ(SelectProtocol(tcp() ? LINK_PROTOCOL_TCP : LINK_PROTOCOL_UDP), 0);
    ASSERT_EQ(start_gprs_server(host_.handle(), WM_LINKEVENT, port_, status), 0) << status;
    auto again = loggedIn("3001");
    EXPECT_EQ(onlineSlots().size(), 1u);
}

TEST_P(LinkService, SilentTerminalIsDroppedWithAnEventWithoutData) {
    SetEnvironmentVariableA("VERRIN_IDLE_TIMEOUT_MS", "1000");
    restartService();
    auto talker = loggedIn("4001");
    auto silent = loggedIn("4002");

    const bool dropped = host_.pumpUntil(
        [&] {
            talker->sendHeartbeat();
            return host_.records.size() >= 3;
        },
        5000);
    ASSERT_TRUE(dropped);
    const TUserDataRecord& record = host_.records[2];
    EXPECT_EQ(record.Kind, LINK_EVENT_DROPPED);
    EXPECT_EQ(idOf(record), "4002");
    EXPECT_EQ(record.DataLength, 0);
    expectClosed(*silent, CloseReason::IdleTimeout, tcp());

    const auto online = onlineSlots();
    EXPECT_EQ(online.size(), 1u);
    EXPECT_EQ(online.count("4001"), 1u);
    EXPECT_EQ(counters().TimedOut, 1u);
}

TEST_P(LinkService, LogoutIsReportedAndFreesTheSlot) {
    auto terminal = loggedIn("5001");
    terminal->sendLogout();
    ASSERT_TRUE(waitForRecords(2));
    EXPECT_EQ(host_.records[1].Kind, LINK_EVENT_LOGOUT);
    EXPECT_EQ(idOf(host_.records[1]), "5001");
    EXPECT_TRUE(onlineSlots().empty());
}

TEST_P(LinkService, CallerMistakesFailWithoutTouchingMemoryTheyShouldNot) {
    auto terminal = loggedIn("9001");
    EXPECT_LT(do_read_proc(nullptr, nullptr, 1), 0);
    TUserInfoRecord info;
    EXPECT_LT(get_user_at(-1, &info), 0);
    EXPECT_LT(get_user_at(get_max_user_amount(), &info), 0);
    EXPECT_LT(get_user_at(0, nullptr), 0);
    EXPECT_LT(get_link_counters(nullptr), 0);
    EXPECT_LT(SelectProtocol(7), 0);

    // Reply buffers may be left out; the calls still act.
    char id[12] = "9001";
    EXPECT_EQ(do_send_user_data(id, "abc", 3, nullptr), 0);
    EXPECT_LT(do_send_user_data(nullptr, "abc", 3, nullptr), 0);
    EXPECT_LT(do_send_user_data(id, nullptr, 3, nullptr), 0);
    EXPECT_EQ(do_close_one_user(id, nullptr), 0);
    EXPECT_EQ(do_close_all_user(nullptr), 0);

    // Nothing pending: an empty record, and an empty aux text.
    TUserDataRecord record;
    std::memset(&record, 0xCC, sizeof record);
    char aux[1024];
    std::memset(aux, 'x', sizeof aux);
    host_.pumpFor(100);
    EXPECT_EQ(do_read_proc(&record, aux, 0), 0);
    EXPECT_EQ(record.Kind, LINK_EVENT_NONE);
    EXPECT_EQ(record.Id[0], '\0');
    EXPECT_EQ(aux[0], '\0');
    EXPECT_EQ(stop_gprs_server(nullptr), 0);
}

// Terminals sending at once reach the host through several threads (TCP's workers, the UDP
// reader, the network thread that acknowledges): every event is read once, with one message each,
// in the order its terminal sent it, and the acknowledgements reach each terminal in that order.
TEST_P(LinkService, EventsOfManyTerminalsAtOnceAreReadOnceEachInTheOrderEachTerminalSentThem) {
    constexpr int kTerminals = 32;
    constexpr int kRounds = 6;
    constexpr int kBurst = 5;  // back to back from each terminal; a round stays well inside any socket buffer
    std::vector<std::unique_ptr<DtuTerminal>> terminals;
    for (int t = 0; t < kTerminals; ++t) terminals.push_back(loggedIn(std::to_string(5000 + t)));
    host_.setReplyFlag(1);

    std::vector<std::vector<std::uint16_t>> sequences(kTerminals);
    std::size_t expected = host_.records.size();
    const std::size_t firstData = expected;
    for (int round = 0; round < kRounds; ++round) {
        for (int t = 0; t < kTerminals; ++t)
            for (int b = 0; b < kBurst; ++b) {
                const int count = round * kBurst + b;
                const std::vector<std::uint8_t> payload = {static_cast<std::uint8_t>(t), static_cast<std::uint8_t>(count), 0x5A};
                ASSERT_TRUE(terminals[t]->sendData(payload));
                sequences[t].push_back(terminals[t]->lastDataSequence());
            }
        expected += kTerminals * kBurst;
        ASSERT_TRUE(waitForRecords(expected, 10000)) << "round " << round << ": " << host_.records.size() << " of " << expected;
    }
    host_.pumpFor(100);
    EXPECT_EQ(host_.records.size(), expected) << "nothing read twice";
    EXPECT_EQ(static_cast<std::size_t>(host_.messages), host_.records.size());
    EXPECT_EQ(counters().EventsLost, 0u);

    std::vector<int> next(kTerminals, 0);
    for (std::size_t i = firstData; i < host_.records.size(); ++i) {
        const TUserDataRecord& record = host_.records[i];
        ASSERT_EQ(record.Kind, LINK_EVENT_DATA);
        ASSERT_EQ(record.DataLength, 3);
        const int t = record.Data[0];
        ASSERT_LT(t, kTerminals);
        EXPECT_EQ(idOf(record), std::to_string(5000 + t));
        EXPECT_EQ(record.Data[1], next[t]) << "terminal " << t;
        next[t] = record.Data[1] + 1;
    }
    for (int t = 0; t < kTerminals; ++t) {
        EXPECT_EQ(next[t], kRounds * kBurst) << "terminal " << t;
        for (const std::uint16_t sequence : sequences[t]) {
            Frame ack;
            ASSERT_TRUE(terminals[t]->receiveType(FrameType::DataAck, ack, 3000)) << "terminal " << t;
            EXPECT_EQ(ack.sequence, sequence) << "terminal " << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Protocols, LinkService, ::testing::Values(DtuProtocol::Udp, DtuProtocol::Tcp), protocolName);
