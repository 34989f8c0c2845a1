#include "LinkFixture.h"

namespace {

using verrin::Frame;
using verrin::FrameType;

// A data frame whose header promises ten bytes, followed by only three of them.
std::vector<std::uint8_t> truncatedFrame() {
    const std::vector<std::uint8_t> ten(10, 0x55);
    auto bytes = verrin::encodeFrame(FrameType::Data, 1, ten.data(), ten.size());
    bytes.resize(verrin::kHeaderSize + 3);
    return bytes;
}

}  // namespace

class BadInput : public LinkFixture {
protected:
    // After any bad input a good terminal still logs in and its data still arrive.
    void expectGoodTerminalServed(const std::string& id) {
        auto good = loggedIn(id);
        const std::size_t before = host_.records.size();
        good->sendData(std::vector<std::uint8_t>{0x42});
        ASSERT_TRUE(waitForRecords(before + 1));
        EXPECT_EQ(host_.records.back().Kind, LINK_EVENT_DATA);
        EXPECT_EQ(host_.records.back().Data[0], 0x42);
    }
};

TEST_P(BadInput, EachKindIsCountedAndDroppedAndOthersAreStillServed) {
    auto online = loggedIn("7000");
    const std::size_t records = host_.records.size();

    // Id over twelve characters: refused with a reason.
    auto longId = connectTerminal("1234567890123");
    longId->sendLogin();
    Frame reply;
    ASSERT_TRUE(longId->receiveType(FrameType::LoginReply, reply, 3000));
    EXPECT_EQ(reply.payload, std::vector<std::uint8_t>{static_cast<std::uint8_t>(verrin::LoginResult::BadId)});
    EXPECT_EQ(counted(&TLinkCounters::BadIds, 1), 1u);

    // Data over 1024 bytes from a terminal that is online: the packet goes, the terminal stays.
    online->sendData(std::vector<std::uint8_t>(1025, 0xAB));
    online->sendData(std::vector<std::uint8_t>{0x01});
    ASSERT_TRUE(waitForRecords(records + 1));
    EXPECT_EQ(host_.records.back().DataLength, 1);
    EXPECT_EQ(counted(&TLinkCounters::OversizeFrames, 1), 1u);

    // A frame type the host does not take.
    online->sendFrame(static_cast<FrameType>(0x7F), 0, nullptr, 0);
    EXPECT_EQ(counted(&TLinkCounters::UnknownFrames, 1), 1u);

    // A frame cut short: over TCP the link closes in the middle of it.
    auto cut = connectTerminal("7001");
    cut->sendRaw(truncatedFrame());
    if (tcp()) cut->disconnect();
    EXPECT_EQ(counted(&TLinkCounters::MalformedFrames, 1), 1u);

    // Bytes that are no frame at all.
    auto noise = connectTerminal("7002");
    noise->sendRaw({0x00, 0xFF, 0x13, 0x37, 'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(counted(&TLinkCounters::GarbageFrames, 1), 1u);

    // Data from a terminal that never logged in: told to log in, nothing reaches the host.
    auto stranger = connectTerminal("7003");
    stranger->sendData(std::vector<std::uint8_t>{9});
    ASSERT_TRUE(stranger->receiveType(FrameType::Close, reply, 3000));
    EXPECT_EQ(reply.payload.at(0), static_cast<std::uint8_t>(verrin::CloseReason::NotLoggedIn));
    EXPECT_EQ(counted(&TLinkCounters::BeforeLogin, 1), 1u);

    EXPECT_EQ(host_.records.size(), records + 1);  // only the one good packet
    EXPECT_EQ(onlineSlots().size(), 1u);
    expectGoodTerminalServed("7009");
}

TEST_P(BadInput, LoginIsRefusedWhenEverySlotIsTaken) {
    SetEnvironmentVariableA("VERRIN_MAX_TERMINALS", "2");
    restartService();
    EXPECT_EQ(get_max_user_amount(), 2);
    auto first = loggedIn("8001");
    auto second = loggedIn("8002");

    auto third = connectTerminal("8003");
    third->sendLogin();
    Frame reply;
    ASSERT_TRUE(third->receiveType(FrameType::LoginReply, reply, 3000));
    EXPECT_EQ(reply.payload, std::vector<std::uint8_t>{static_cast<std::uint8_t>(verrin::LoginResult::NoFreeSlot)});
    EXPECT_EQ(counted(&TLinkCounters::RefusedLogins, 1), 1u);
    EXPECT_EQ(onlineSlots().count("8003"), 0u);

    // A slot freed is a slot taken again.
    first->sendLogout();
    ASSERT_TRUE(waitForRecords(3));
    expectGoodTerminalServed("8003");
}

INSTANTIATE_TEST_SUITE_P(Protocols, BadInput, ::testing::Values(DtuProtocol::Udp, DtuProtocol::Tcp), protocolName);
