#include <random>

#include <gtest/gtest.h>

#include "LinkFrame.h"
#include "LoginMessage.h"
#include "StreamDecoder.h"

using namespace verrin;

namespace {

std::vector<std::uint8_t> dataFrame(std::uint16_t sequence, std::size_t size) {
    std::vector<std::uint8_t> payload(size);
    for (std::size_t i = 0; i < size; ++i) payload[i] = static_cast<std::uint8_t>(i);
    return encodeFrame(FrameType::Data, sequence, payload.data(), payload.size());
}

// Every frame and fault a decoder yields for a stream fed in pieces of the given size.
std::vector<std::string> decodeInPieces(const std::vector<std::uint8_t>& stream, std::size_t piece) {
    StreamDecoder decoder;
    std::vector<std::string> seen;
    for (std::size_t at = 0; at < stream.size(); at += piece) {
        decoder.feed(stream.data() + at, std::min(piece, stream.size() - at));
        Frame frame;
        FrameFault fault;
        for (StreamDecoder::Step step; (step = decoder.next(frame, fault)) != StreamDecoder::Step::NeedMore;) {
            seen.push_back(step == StreamDecoder::Step::GotFrame
                               ? "frame " + std::to_string(frame.sequence) + "/" + std::to_string(frame.payload.size())
                               : "fault " + std::to_string(static_cast<int>(fault)));
        }
    }
    return seen;
}

}  // namespace

TEST(Datagram, DecodesWhatWasEncodedAndNamesEveryFault) {
    Frame frame;
    ASSERT_EQ(decodeDatagram(dataFrame(0xBEEF, 1024).data(), kHeaderSize + 1024, frame), FrameFault::None);
    EXPECT_EQ(frame.type, static_cast<std::uint8_t>(FrameType::Data));
    EXPECT_EQ(frame.sequence, 0xBEEF);
    ASSERT_EQ(frame.payload.size(), 1024u);
    EXPECT_EQ(frame.payload[1023], 1023 % 256);

    const auto good = dataFrame(1, 4);
    EXPECT_EQ(decodeDatagram(good.data(), 0, frame), FrameFault::Garbage);
    EXPECT_EQ(decodeDatagram(good.data(), 5, frame), FrameFault::Malformed);       // header cut
    EXPECT_EQ(decodeDatagram(good.data(), good.size() - 1, frame), FrameFault::Malformed);
    auto longer = good;
    longer.push_back(0);
    EXPECT_EQ(decodeDatagram(longer.data(), longer.size(), frame), FrameFault::Malformed);
    const std::uint8_t notOurs[] = {'X', 'T', 2, 0, 0, 0, 0, 0};
    EXPECT_EQ(decodeDatagram(notOurs, sizeof notOurs, frame), FrameFault::Garbage);
    const auto oversize = dataFrame(1, 1025);
    EXPECT_EQ(decodeDatagram(oversize.data(), oversize.size(), frame), FrameFault::Oversize);
}

TEST(Stream, SameFramesWhateverTheReadBoundaries) {
    std::vector<std::uint8_t> stream;
    for (std::uint16_t seq = 1; seq <= 3; ++seq) {
        const auto frame = dataFrame(seq, seq * 300u);
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    const auto whole = decodeInPieces(stream, stream.size());
    ASSERT_EQ(whole, (std::vector<std::string>{"frame 1/300", "frame 2/600", "frame 3/900"}));
    for (std::size_t piece : {1u, 2u, 7u, 8u, 9u, 1031u}) EXPECT_EQ(decodeInPieces(stream, piece), whole) << piece;
}

TEST(Stream, OversizeIsSkippedButGarbageEndsTheStream) {
    std::vector<std::uint8_t> stream = dataFrame(1, 3000);
    const auto next = dataFrame(2, 10);
    stream.insert(stream.end(), next.begin(), next.end());
    for (std::size_t piece : {1u, 100u, 4000u})
        EXPECT_EQ(decodeInPieces(stream, piece), (std::vector<std::string>{"fault 3", "frame 2/10"})) << piece;

    std::vector<std::uint8_t> broken = {'D', 'X'};
    broken.insert(broken.end(), next.begin(), next.end());
    EXPECT_EQ(decodeInPieces(broken, 1), (std::vector<std::string>{"fault 1"}));

    StreamDecoder partial;
    partial.feed(next.data(), 5);
    Frame frame;
    FrameFault fault;
    EXPECT_EQ(partial.next(frame, fault), StreamDecoder::Step::NeedMore);
    EXPECT_TRUE(partial.holdsPartialFrame());
}

TEST(Decoders, SurviveAnyBytes) {
    std::mt19937 random(12345);
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 1200);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        // Frames that look right up to a point reach deeper code than pure noise does.
        if (bytes.size() >= 2 && round % 2) {
            bytes[0] = kMagic0;
            bytes[1] = kMagic1;
        }
        Frame frame;
        const FrameFault fault = decodeDatagram(bytes.data(), bytes.size(), frame);
        if (fault == FrameFault::None) {
            EXPECT_LE(frame.payload.size(), kMaxPayload);
            LoginMessage login;
            LoginMessage::parse(frame.payload, login);
        }
        StreamDecoder decoder;
        decoder.feed(bytes.data(), bytes.size());
        FrameFault streamFault;
        for (int steps = 0; decoder.next(frame, streamFault) != StreamDecoder::Step::NeedMore; ++steps)
            ASSERT_LT(steps, 2000);
    }
}

TEST(Login, CarriesAddressPortAndIdAndRefusesBadIds) {
    LoginMessage sent;
    sent.mobileAddress = 0xC0A80001;
    sent.mobilePort = 40001;
    sent.id = "ABCDEFGHIJKL";
    LoginMessage read;
    ASSERT_EQ(LoginMessage::parse(sent.encode(), read), LoginMessage::Fault::None);
    EXPECT_EQ(read.mobileAddress, 0xC0A80001u);
    EXPECT_EQ(read.mobilePort, 40001);
    EXPECT_EQ(read.id, "ABCDEFGHIJKL");
    EXPECT_EQ(sent.encode()[0], 0xC0);  // first octet first on the wire

    for (const char* bad : {"", "ABCDEFGHIJKLM", "has space", "tab\t"}) {
        sent.id = bad;
        EXPECT_EQ(LoginMessage::parse(sent.encode(), read), LoginMessage::Fault::BadId) << bad;
    }
    sent.id = std::string("ab\0c", 4);
    EXPECT_EQ(LoginMessage::parse(sent.encode(), read), LoginMessage::Fault::BadId);
    EXPECT_EQ(LoginMessage::parse({1, 2, 3, 4, 5}, read), LoginMessage::Fault::Truncated);
}
