#include <gtest/gtest.h>

#include "LinkEngine.h"
#include "LoginMessage.h"

using namespace verrin;

namespace {

class SteppedClock : public Clock {
public:
    std::uint64_t nowMs() override { return now; }
    std::string timeText() override { return "2009-01-06 12:00:00"; }
    std::uint64_t now = 1000;
};

PeerRef udpPeer(std::uint16_t port) { return PeerRef{0x7F000001, port, 0}; }

Frame loginFrame(const std::string& id, std::uint16_t mobilePort = 7000) {
    LoginMessage login;
    login.id = id;
    login.mobileAddress = 0x0A000001;
    login.mobilePort = mobilePort;
    Frame frame;
    frame.type = static_cast<std::uint8_t>(FrameType::Login);
    frame.payload = login.encode();
    return frame;
}

Frame simpleFrame(FrameType type, std::vector<std::uint8_t> payload = {}, std::uint16_t sequence = 0) {
    Frame frame;
    frame.type = static_cast<std::uint8_t>(type);
    frame.sequence = sequence;
    frame.payload = std::move(payload);
    return frame;
}

// The frames an outbox holds for one peer, decoded.
std::vector<Frame> framesTo(const Outbox& out, const PeerRef& peer) {
    std::vector<Frame> frames;
    for (const auto& packet : out.packets) {
        if (!(packet.peer == peer)) continue;
        Frame frame;
        EXPECT_EQ(decodeDatagram(packet.bytes.data(), packet.bytes.size(), frame), FrameFault::None);
        frames.push_back(frame);
    }
    return frames;
}

class Engine : public ::testing::Test {
protected:
    Engine() : engine(limits(), clock) {}
    static LinkLimits limits() {
        LinkLimits l;
        l.slots = 2;
        l.idleTimeoutMs = 5000;
        l.queueLimit = 4;
        return l;
    }
    std::vector<EventKind> takeKinds() {
        std::vector<EventKind> kinds;
        for (LinkEvent event; engine.takeEvent(event);) kinds.push_back(event.kind);
        return kinds;
    }

    SteppedClock clock;
    LinkEngine engine;
    Outbox out;
};

}  // namespace

TEST_F(Engine, SameIdFromANewPeerTakesOverItsSlotAndTheOldPeerIsClosed) {
    engine.onFrame(udpPeer(1), loginFrame("A"), out);
    engine.onFrame(udpPeer(2), loginFrame("A", 7001), out);
    EXPECT_EQ(engine.terminals().onlineCount(), 1u);
    const auto toOld = framesTo(out, udpPeer(1));
    ASSERT_EQ(toOld.size(), 2u);  // login reply, then the close
    EXPECT_EQ(toOld[1].payload[0], static_cast<std::uint8_t>(CloseReason::Replaced));
    ASSERT_EQ(out.disconnects.size(), 1u);
    EXPECT_EQ(out.disconnects[0], udpPeer(1));
    const Terminal& t = engine.terminals().at(static_cast<std::size_t>(engine.terminals().findById("A")));
    EXPECT_EQ(t.peer, udpPeer(2));
    EXPECT_EQ(t.mobilePort, 7001);
    EXPECT_EQ(takeKinds(), (std::vector<EventKind>{EventKind::Login, EventKind::Login}));

    // Data from the old address no longer counts as the terminal's.
    engine.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {1}), out);
    EXPECT_EQ(engine.counters().beforeLogin, 1u);
    EXPECT_TRUE(takeKinds().empty());
}

TEST_F(Engine, APeerLoggingInUnderAnotherIdEndsItsEarlierSession) {
    engine.onFrame(udpPeer(1), loginFrame("A"), out);
    engine.onFrame(udpPeer(1), loginFrame("B"), out);
    EXPECT_EQ(engine.terminals().findById("A"), -1);
    EXPECT_GE(engine.terminals().findById("B"), 0);
    EXPECT_EQ(takeKinds(), (std::vector<EventKind>{EventKind::Login, EventKind::Logout, EventKind::Login}));
}

TEST_F(Engine, SilenceBeyondTheTimeOutDropsOnlyTheSilent) {
    engine.onFrame(udpPeer(1), loginFrame("A"), out);
    engine.onFrame(udpPeer(2), loginFrame("B"), out);
    clock.now += 4000;
    engine.onFrame(udpPeer(1), simpleFrame(FrameType::Heartbeat), out);
    clock.now += 1500;
    out = Outbox();
    engine.sweep(out);
    EXPECT_EQ(engine.terminals().findById("B"), -1);
    EXPECT_GE(engine.terminals().findById("A"), 0);
    EXPECT_EQ(out.newEvents, 1u);
    ASSERT_EQ(framesTo(out, udpPeer(2)).size(), 1u);
    EXPECT_EQ(engine.counters().timedOut, 1u);
    LinkEvent event;
    while (engine.takeEvent(event)) {
    }
    EXPECT_EQ(event.kind, EventKind::Dropped);
    EXPECT_EQ(event.id, "B");
    EXPECT_TRUE(event.data.empty());
}

TEST_F(Engine, FullSlotsRefuseLoginsAndFullQueueCountsLostEvents) {
    engine.onFrame(udpPeer(1), loginFrame("A"), out);
    engine.onFrame(udpPeer(2), loginFrame("B"), out);
    engine.onFrame(udpPeer(3), loginFrame("C"), out);
    const auto refused = framesTo(out, udpPeer(3));
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].payload[0], static_cast<std::uint8_t>(LoginResult::NoFreeSlot));
    EXPECT_EQ(engine.counters().refusedLogins, 1u);

    for (std::uint8_t i = 0; i < 4; ++i) engine.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {i}), out);
    EXPECT_EQ(out.newEvents, 4u);  // two logins, two data; the rest did not fit
    EXPECT_EQ(engine.counters().eventsLost, 2u);
}

TEST_F(Engine, AcknowledgesWithTheSequenceAndSendsNumberedHostData) {
    engine.onFrame(udpPeer(1), loginFrame("A"), out);
    engine.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {7, 0, 7}, 321), out);
    LinkEvent event;
    engine.takeEvent(event);
    engine.takeEvent(event);
    EXPECT_EQ(event.data, (std::vector<std::uint8_t>{7, 0, 7}));
    out = Outbox();
    engine.acknowledge(event, out);
    const std::uint8_t bytes[] = {0, 1};
    EXPECT_EQ(engine.sendData("A", bytes, 2, out), LinkEngine::SendResult::Sent);
    EXPECT_EQ(engine.sendData("A", bytes, 0, out), LinkEngine::SendResult::BadLength);
    EXPECT_EQ(engine.sendData("Z", bytes, 2, out), LinkEngine::SendResult::Offline);
    const auto frames = framesTo(out, udpPeer(1));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].type, static_cast<std::uint8_t>(FrameType::DataAck));
    EXPECT_EQ(frames[0].sequence, 321);
    EXPECT_EQ(frames[1].payload, (std::vector<std::uint8_t>{0, 1}));
}

namespace {

// Over TCP the queue keeps every event and input is held while it is full.
class HoldingEngine : public Engine {
protected:
    HoldingEngine() : holding(holdingLimits(), clock) {}
    static LinkLimits holdingLimits() {
        LinkLimits l = limits();
        l.holdInputWhenFull = true;
        return l;
    }
    LinkEngine holding;
};

}  // namespace

TEST_F(HoldingEngine, AFullQueueHoldsInputUntilReadDownToHalfAndLosesNothing) {
    holding.onFrame(udpPeer(1), loginFrame("A"), out);
    for (std::uint8_t i = 0; i < 3; ++i) holding.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {i}), out);
    EXPECT_FALSE(holding.takesInput());
    // A frame already on its way when input stopped, and the end of a session, still get in.
    holding.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {3}), out);
    holding.onPeerLost(udpPeer(1), out);
    EXPECT_EQ(out.newEvents, 6u);
    EXPECT_EQ(holding.counters().eventsLost, 0u);

    std::vector<EventKind> kinds;
    std::vector<std::uint8_t> data;
    LinkEvent event;
    for (int read = 0; read < 3; ++read) {
        ASSERT_TRUE(holding.takeEvent(event));
        EXPECT_FALSE(holding.takesInput()) << "resumed with " << 5 - read << " events still queued";
    }
    ASSERT_TRUE(holding.takeEvent(event));  // two left: half of four
    EXPECT_TRUE(holding.takesInput());
    for (holding.takeEvent(event); event.kind == EventKind::Data; holding.takeEvent(event)) data.push_back(event.data[0]);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{3}));
    EXPECT_EQ(event.kind, EventKind::Dropped);
}

TEST_F(HoldingEngine, TimeSpentHoldingInputIsNotSilence) {
    holding.onFrame(udpPeer(1), loginFrame("A"), out);
    holding.onFrame(udpPeer(2), loginFrame("B"), out);
    clock.now += 1000;
    holding.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {1}), out);
    holding.onFrame(udpPeer(1), simpleFrame(FrameType::Data, {2}), out);
    ASSERT_FALSE(holding.takesInput());

    // The host reads nothing for far longer than the time-out: nobody is dropped meanwhile.
    clock.now += 60000;
    holding.sweep(out);
    LinkEvent event;
    while (holding.takesInput() == false) holding.takeEvent(event);
    holding.sweep(out);
    EXPECT_EQ(holding.terminals().onlineCount(), 2u);

    // Once input flows again, silence counts from where it stood when the hold began.
    clock.now += 3999;
    holding.sweep(out);
    EXPECT_EQ(holding.terminals().onlineCount(), 2u);
    clock.now += 2;
    holding.sweep(out);
    EXPECT_EQ(holding.terminals().findById("B"), -1);
    EXPECT_GE(holding.terminals().findById("A"), 0);
    EXPECT_EQ(holding.counters().timedOut, 1u);
}

// What the protocol description promises for the empty cases, in one place each.
TEST_F(Engine, EmptyIdAndEmptyDataGetTheirDocumentedAnswers) {
    // A login of the address and port alone has an empty id: answered as a bad id.
    Frame emptyId = loginFrame("A");
    emptyId.payload.resize(6);
    engine.onFrame(udpPeer(1), emptyId, out);
    auto frames = framesTo(out, udpPeer(1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].type, static_cast<std::uint8_t>(FrameType::LoginReply));
    EXPECT_EQ(frames[0].payload, std::vector<std::uint8_t>{static_cast<std::uint8_t>(LoginResult::BadId)});
    EXPECT_EQ(engine.counters().badIds, 1u);
    EXPECT_EQ(engine.counters().malformed, 0u);

    // An empty Data frame before login is data before login: Close 5.
    out = Outbox();
    engine.onFrame(udpPeer(2), simpleFrame(FrameType::Data), out);
    frames = framesTo(out, udpPeer(2));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].payload[0], static_cast<std::uint8_t>(CloseReason::NotLoggedIn));
    EXPECT_EQ(engine.counters().beforeLogin, 1u);

    // After login it is malformed and dropped without a word.
    engine.onFrame(udpPeer(2), loginFrame("B"), out);
    out = Outbox();
    engine.onFrame(udpPeer(2), simpleFrame(FrameType::Data), out);
    EXPECT_TRUE(out.packets.empty());
    EXPECT_EQ(out.newEvents, 0u);
    EXPECT_EQ(engine.counters().malformed, 1u);
    EXPECT_EQ(engine.counters().beforeLogin, 1u);
}
