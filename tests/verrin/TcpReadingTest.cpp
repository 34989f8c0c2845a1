#include "LinkFixture.h"

namespace {

// Data frames numbered in their first two bytes, all in one write, as a terminal that saved them
// up while its radio link was down sends them.
std::vector<std::uint8_t> numberedFrames(int count, std::size_t size) {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> payload(size, 0x5A);
    for (int i = 0; i < count; ++i) {
        payload[0] = static_cast<std::uint8_t>(i >> 8);
        payload[1] = static_cast<std::uint8_t>(i);
        const auto frame = verrin::encodeFrame(verrin::FrameType::Data, static_cast<std::uint16_t>(i + 1),
                                               payload.data(), payload.size());
        bytes.insert(bytes.end(), frame.begin(), frame.end());
    }
    return bytes;
}

int numberOf(const TUserDataRecord& record) { return (record.Data[0] << 8) | record.Data[1]; }

}  // namespace

class TcpReading : public LinkFixture {};

// A terminal's last frames and the end of its link may come in one go; a burst may also be larger
// than one receive takes. Every frame is handed on in order, and the loss after them.
TEST_P(TcpReading, FramesSentJustBeforeTheLinkEndsArriveInOrderAndThenTheLoss) {
    struct Case {
        const char* id;
        int frames;
        std::size_t size;
    };
    const Case cases[] = {{"7001", 1, 16}, {"7002", 3, 64}, {"7003", 60, 1000}, {"7004", 5, 1024}};
    std::vector<std::unique_ptr<DtuTerminal>> terminals;
    for (const Case& c : cases) terminals.push_back(loggedIn(c.id));
    const std::size_t logins = host_.records.size();
    for (std::size_t t = 0; t < terminals.size(); ++t) {
        ASSERT_TRUE(terminals[t]->sendRaw(numberedFrames(cases[t].frames, cases[t].size)));
        terminals[t]->disconnect();
    }

    std::size_t expected = logins;
    for (const Case& c : cases) expected += static_cast<std::size_t>(c.frames) + 1;
    ASSERT_TRUE(waitForRecords(expected, 5000)) << host_.records.size() << " of " << expected;
    for (const Case& c : cases) {
        std::vector<const TUserDataRecord*> mine;
        for (std::size_t i = logins; i < host_.records.size(); ++i)
            if (idOf(host_.records[i]) == c.id) mine.push_back(&host_.records[i]);
        ASSERT_EQ(mine.size(), static_cast<std::size_t>(c.frames) + 1) << c.id;
        for (int i = 0; i < c.frames; ++i) {
            EXPECT_EQ(mine[i]->Kind, LINK_EVENT_DATA) << c.id;
            EXPECT_EQ(mine[i]->DataLength, c.size) << c.id;
            EXPECT_EQ(numberOf(*mine[i]), i) << c.id;
        }
        EXPECT_EQ(mine.back()->Kind, LINK_EVENT_DROPPED) << c.id;
    }
    EXPECT_TRUE(onlineSlots().empty());
    EXPECT_EQ(counters().MalformedFrames, 0u);
}

// Terminals that come and go while others talk: each connection's notes reach only its own
// reader, even when a new connection gets the socket handle of one that just went.
TEST_P(TcpReading, ConnectionsThatComeAndGoLeaveTheOthersUntouched) {
    auto steady = loggedIn("8000");
    for (int round = 0; round < 20; ++round) {
        auto passing = loggedIn("8" + std::to_string(100 + round));
        const std::uint8_t byte = static_cast<std::uint8_t>(round);
        ASSERT_TRUE(passing->sendData(&byte, 1));
        passing->disconnect();
        ASSERT_TRUE(steady->sendData(&byte, 1));
    }
    // Per passing terminal: login, data, loss; the steady one: login and its twenty frames.
    ASSERT_TRUE(waitForRecords(1 + 20 * 3 + 20, 5000)) << host_.records.size();
    std::vector<int> steadyData;
    for (const TUserDataRecord& record : host_.records)
        if (idOf(record) == "8000" && record.Kind == LINK_EVENT_DATA) steadyData.push_back(record.Data[0]);
    ASSERT_EQ(steadyData.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(steadyData[i], i);
    const auto online = onlineSlots();
    ASSERT_EQ(online.size(), 1u);
    EXPECT_EQ(online.count("8000"), 1u);
}

// A terminal that stops reading what the host sends fills the network and then the library's own
// queue for it; the library then ends the link on its side and the host hears of the loss, while
// the other terminals go on.
TEST_P(TcpReading, ATerminalThatStopsReadingIsDroppedAndItsLossReported) {
    auto deaf = loggedIn("9100");
    auto other = loggedIn("9200");
    const std::vector<char> block(1024, 'h');
    char reply[256];
    int sent = 0;
    while (sent < 40000 && do_send_user_data("9100", block.data(), static_cast<int>(block.size()), reply) == 0) {
        ++sent;
        if (sent % 1000 == 0) host_.pumpFor(0);
    }
    ASSERT_TRUE(host_.pumpUntil(
        [&] {
            for (const TUserDataRecord& record : host_.records)
                if (idOf(record) == "9100" && record.Kind == LINK_EVENT_DROPPED) return true;
            return false;
        },
        5000))
        << sent << " blocks sent";
    const std::uint8_t byte = 1;
    ASSERT_TRUE(other->sendData(&byte, 1));
    ASSERT_TRUE(host_.pumpUntil([&] { return host_.records.back().Kind == LINK_EVENT_DATA; }, 3000));
    EXPECT_EQ(idOf(host_.records.back()), "9200");
    const auto online = onlineSlots();
    ASSERT_EQ(online.size(), 1u);
    EXPECT_EQ(online.count("9200"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Protocols, TcpReading, ::testing::Values(DtuProtocol::Tcp), protocolName);
