#include <atomic>

#include "LinkFixture.h"

namespace {

// Sends numbered data frames from its own thread, so that it may wait on a full network buffer
// while the test's thread plays a host that is not reading.
class Sender {
public:
    Sender(DtuTerminal& terminal, int frames, std::size_t size) : terminal_(terminal), frames_(frames), size_(size) {
        thread_ = CreateThread(nullptr, 0, &Sender::main, this, 0, nullptr);
    }
    ~Sender() { finish(); }
    void finish() {
        if (!thread_) return;
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    bool allSent() const { return sent_ == frames_; }

private:
    static DWORD WINAPI main(LPVOID self) {
        auto& sender = *static_cast<Sender*>(self);
        std::vector<std::uint8_t> payload(sender.size_);
        for (int i = 0; i < sender.frames_; ++i) {
            payload[0] = static_cast<std::uint8_t>(i >> 8);
            payload[1] = static_cast<std::uint8_t>(i);
            if (!sender.terminal_.sendData(payload)) break;
            ++sender.sent_;
        }
        return 0;
    }

    DtuTerminal& terminal_;
    int frames_;
    std::size_t size_;
    std::atomic<int> sent_{0};
    HANDLE thread_ = nullptr;
};

int numberOf(const TUserDataRecord& record) { return (record.Data[0] << 8) | record.Data[1]; }

std::uint32_t backlog(const TLinkCounters& c) { return c.EventsQueued - c.EventsRead; }

}  // namespace

class TcpBackPressure : public LinkFixture {
protected:
    static constexpr std::uint32_t kQueueLimit = 8;

    void SetUp() override {
        SetEnvironmentVariableA("VERRIN_QUEUE_LIMIT", "8");
        LinkFixture::SetUp();
    }

    // Waits, without reading, until the service has filled its queue.
    void waitForFullQueue() {
        const DWORD start = GetTickCount();
        while (backlog(counters()) < kQueueLimit && GetTickCount() - start < 5000) Sleep(10);
        ASSERT_GE(backlog(counters()), kQueueLimit);
    }
};

TEST_P(TcpBackPressure, AHostThatStopsReadingHoldsTheTerminalsBackAndLosesNothing) {
    auto a = loggedIn("1001");
    auto b = loggedIn("1002");
    constexpr int kFrames = 600;
    Sender fromA(*a, kFrames, 700);
    Sender fromB(*b, kFrames, 700);

    // The host reads nothing for a while: the queue fills and stays within its bound.
    waitForFullQueue();
    Sleep(300);
    EXPECT_LE(backlog(counters()), kQueueLimit + 1);

    // Then it reads: every frame arrives, each terminal's in the order sent.
    ASSERT_TRUE(waitForRecords(2 + 2 * kFrames, 60000)) << host_.records.size() << " records";
    fromA.finish();
    fromB.finish();
    EXPECT_TRUE(fromA.allSent());
    EXPECT_TRUE(fromB.allSent());
    std::map<std::string, int> next;
    for (std::size_t i = 2; i < host_.records.size(); ++i) {
        const TUserDataRecord& record = host_.records[i];
        ASSERT_EQ(record.Kind, LINK_EVENT_DATA);
        ASSERT_EQ(record.DataLength, 700);
        EXPECT_EQ(numberOf(record), next[idOf(record)]++) << idOf(record);
    }
    EXPECT_EQ(next["1001"], kFrames);
    EXPECT_EQ(next["1002"], kFrames);
    EXPECT_EQ(counters().EventsLost, 0u);
    EXPECT_EQ(host_.messages, static_cast<int>(host_.records.size()));
    EXPECT_EQ(onlineSlots().size(), 2u);
}

TEST_P(TcpBackPressure, HeldTerminalsCanBeDetachedAndTheServiceStopsCleanly) {
    auto a = loggedIn("2001");
    auto b = loggedIn("2002");
    Sender fromA(*a, 200, 700);
    Sender fromB(*b, 200, 700);
    waitForFullQueue();

    char id[12] = "2001";
    EXPECT_EQ(do_close_one_user(id, nullptr), 0);
    char status[256];
    ASSERT_EQ(stop_gprs_server(status), 0);
    verrin::Frame frame;
    ASSERT_TRUE(a->receiveType(verrin::FrameType::Close, frame, 3000));
    EXPECT_EQ(frame.payload.at(0), static_cast<std::uint8_t>(verrin::CloseReason::Detached));
    ASSERT_TRUE(b->receiveType(verrin::FrameType::Close, frame, 3000));
    EXPECT_EQ(frame.payload.at(0), static_cast<std::uint8_t>(verrin::CloseReason::ServiceStopped));
    a->disconnect();  // lets a sender still waiting on its full buffer give up
    b->disconnect();
}

// The acknowledgements of a host that acknowledges every frame go out from the workers that
// serve the connections, while those same workers park and resume their reading.
TEST_P(TcpBackPressure, EveryAcknowledgementOfAHeldBackTerminalReachesItInOrder) {
    auto a = loggedIn("3001");
    auto b = loggedIn("3002");
    const std::uint16_t firstOfA = static_cast<std::uint16_t>(a->lastDataSequence() + 1);
    const std::uint16_t firstOfB = static_cast<std::uint16_t>(b->lastDataSequence() + 1);
    host_.setReplyFlag(1);
    constexpr int kFrames = 400;
    Sender fromA(*a, kFrames, 700);
    Sender fromB(*b, kFrames, 700);
    waitForFullQueue();

    ASSERT_TRUE(waitForRecords(2 + 2 * kFrames, 60000)) << host_.records.size() << " records";
    fromA.finish();
    fromB.finish();
    for (auto* terminal : {a.get(), b.get()}) {
        std::uint16_t expected = terminal == a.get() ? firstOfA : firstOfB;
        for (int i = 0; i < kFrames; ++i, ++expected) {
            verrin::Frame ack;
            ASSERT_TRUE(terminal->receiveType(verrin::FrameType::DataAck, ack, 5000)) << i << " acknowledgements";
            ASSERT_EQ(ack.sequence, expected);
        }
    }
    EXPECT_EQ(counters().EventsLost, 0u);
}

INSTANTIATE_TEST_SUITE_P(Protocols, TcpBackPressure, ::testing::Values(DtuProtocol::Tcp), protocolName);

class UdpOverflow : public LinkFixture {};

TEST_P(UdpOverflow, FullQueueLosesNewEventsButMessagesStayOneToOne) {
    SetEnvironmentVariableA("VERRIN_QUEUE_LIMIT", "3");
    restartService();
    auto terminal = loggedIn("6001");
    for (std::uint8_t i = 1; i <= 6; ++i) terminal->sendData(std::vector<std::uint8_t>{i});
    // Not pumping: the window reads nothing while the terminal's packets arrive.
    const DWORD start = GetTickCount();
    while (counters().EventsLost < 3 && GetTickCount() - start < 3000) Sleep(10);
    EXPECT_EQ(counters().EventsLost, 3u);

    host_.pumpFor(300);
    ASSERT_EQ(host_.records.size(), 4u);
    EXPECT_EQ(host_.messages, 4);
    for (std::uint8_t i = 1; i <= 3; ++i) EXPECT_EQ(host_.records[i].Data[0], i);
}

INSTANTIATE_TEST_SUITE_P(Protocols, UdpOverflow, ::testing::Values(DtuProtocol::Udp), protocolName);
