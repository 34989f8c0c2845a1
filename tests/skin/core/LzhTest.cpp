// The LZHUF decoder and the packer's encoder: streams worked out by hand from the format (so a
// fault that both sides share shows), round trips over inputs that reach the tree's rebuild and
// the ring's far end, and the decoder's behaviour at its size and at the end of its input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <random>

#include "LzhEncoder.h"
#include "SkinTestFiles.h"
#include "WinConvert.h"

namespace {

struct TDecoded {
    TBytes Bytes;
    int Reads = 0;  // calls of the read procedure
};

TDecoded Decode(const TBytes& stream, int size) {
    TDecoded out;
    std::size_t at = 0;
    const TLzhReadProc read = [&](void* buffer, int count, int& actual) {
        ++out.Reads;
        actual = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(count), stream.size() - at));
        if (actual > 0) std::memcpy(buffer, stream.data() + at, static_cast<std::size_t>(actual));
        at += static_cast<std::size_t>(actual);
    };
    const TLzhWriteProc write = [&](const void* buffer, int count, int& actual) {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        out.Bytes.insert(out.Bytes.end(), bytes, bytes + count);
        actual = count;
    };
    TLZH().LzhDecode(size, write, read);
    return out;
}

TBytes Encode(const TBytes& data) { return TLzhEncoder().Encode(data.data(), data.size()); }

void ExpectRoundTrip(const TBytes& data) {
    const TBytes decoded = Decode(Encode(data), static_cast<int>(data.size())).Bytes;
    ASSERT_EQ(decoded.size(), data.size());
    EXPECT_TRUE(decoded == data);
}

TBytes RandomBytes(std::size_t size, unsigned seed, int alphabet = 256) {
    std::mt19937 random(seed);
    TBytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random() % static_cast<unsigned>(alphabet));
    return bytes;
}

}  // namespace

// Worked out on paper. The first tree pairs the nodes in index order (the parent of node n is
// 314 + n / 2), so a symbol's code is the parity of each node from the root down:
//   "A" (65): nodes 625 623 619 610 592 557 487 346 65 -> 111001101
//   copy of 3 (symbol 256): nodes 625 622 616 604 581 535 442 256 -> 10001100
// After "A" only the leaves of 65 and 313 trade places, so the copy's code stays. A position's
// upper six bits 0 are the 3-bit code 000, then its six low bits.
TEST(LzhHandDerived, EncoderWritesAndDecoderReadsTheWorkedStreams) {
    struct TCase {
        const char* Name;
        std::string Text;
        TBytes Stream;
    };
    const TCase cases[] = {
        {"nothing", "", {}},
        {"one literal", "A", {0xE6, 0x80}},
        // Blanks copy from the blanks the ring starts with, one position back.
        {"blanks from the ring", "   ", {0x8C, 0x00, 0x00}},
        // A literal, then a copy of it that overlaps its own output.
        {"overlapping copy", "AAAA", {0xE6, 0xC6, 0x00, 0x00}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Encode(BytesOf(c.Text)), c.Stream);
        EXPECT_EQ(Decode(c.Stream, static_cast<int>(c.Text.size())).Bytes, BytesOf(c.Text));
    }
}

// "A", then a copy of 3 from ring position 4094: position 4038, upper bits 63 (code 11111111),
// low bits 000110. It reads the two untouched positions at the ring's end, which start as zero,
// and wraps to position 0, a blank.
TEST(LzhHandDerived, FarPositionWrapsAroundTheRing) {
    const TBytes stream = {0xE6, 0xC6, 0x7F, 0x8C};
    const TBytes expected = {'A', 0, 0, ' '};
    EXPECT_EQ(Decode(stream, 4).Bytes, expected);
}

// Through two rebuilds of the tree. The stream was worked out from the format's rules with a
// model of the tree kept apart from this code. 32455 "A"s: their code shortens from 9 bits to
// 1 as the count climbs (the irregular head), sits beside the root as "0" for a while and then as
// "1" (the runs of 00 and FF); the last one's update finds the root at 0x8000 and rebuilds. Then
// "Rebuilt!" and a copy of those 8 bytes, 16218 more "A"s up to the second rebuild, and "Twice".
// After a rebuild the untouched leaves of count 1 pair into inner nodes of equal counts, and each
// new node goes after those it equals: a decoder that puts it before them reads other letters.
TEST(LzhHandDerived, KnownStreamThroughTwoRebuilds) {
    const struct {
        const char* Hex;
        int Times;
    } pieces[] = {
        {"e6e2e1c57e18616bdef7bdef55555555577777772492492492492492492db6da", 1},
        {"aa", 14}, {"d555", 1}, {"ff", 14}, {"80", 1}, {"00", 15}, {"7f", 1}, {"ff", 4016},
        {"fef03e6f800df77e804d7a4c0f", 1}, {"ff", 2027}, {"bc405613e205", 1},
    };
    TBytes stream;
    for (const auto& piece : pieces) {
        const std::string hex = piece.Hex;
        for (int n = 0; n < piece.Times; ++n)
            for (std::size_t i = 0; i < hex.size(); i += 2)
                stream.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    ASSERT_EQ(stream.size(), 6141u);

    const std::string expected = std::string(32455, 'A') + "Rebuilt!Rebuilt!" + std::string(16218, 'A') + "Twice";
    const TBytes decoded = Decode(stream, static_cast<int>(expected.size())).Bytes;
    ASSERT_EQ(decoded.size(), expected.size());
    const std::size_t firstWrong =
        static_cast<std::size_t>(std::mismatch(decoded.begin(), decoded.end(), expected.begin()).first - decoded.begin());
    EXPECT_EQ(firstWrong, expected.size()) << "the decoded bytes differ from here on";
}

// The position codes of the format: 1 code of 3 bits, 3 of 4, 8 of 5, 12 of 6, 24 of 7 and 16 of
// 8 bits, given out in order, so each length band starts where the one before ends.
TEST(LzhPositionCodes, BandsOfTheFormat) {
    const lzh::TPositionTables& tables = lzh::DecodeTables();
    const struct {
        int Byte, Upper, Length;
    } marks[] = {{0x00, 0, 3},  {0x1F, 0, 3},  {0x20, 1, 4},  {0x4F, 3, 4},  {0x50, 4, 5},  {0x8F, 11, 5},
                 {0x90, 12, 6}, {0xBF, 23, 6}, {0xC0, 24, 7}, {0xEF, 47, 7}, {0xF0, 48, 8}, {0xFF, 63, 8}};
    for (const auto& mark : marks) {
        SCOPED_TRACE(mark.Byte);
        EXPECT_EQ(tables.upper[mark.Byte], mark.Upper);
        EXPECT_EQ(tables.length[mark.Byte], mark.Length);
    }
}

TEST(LzhRoundTrip, InputsOfEveryShape) {
    ExpectRoundTrip({});
    for (int b = 0; b < 256; ++b) ExpectRoundTrip({static_cast<std::uint8_t>(b)});
    TBytes everyByte(256);
    for (int b = 0; b < 256; ++b) everyByte[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(b);
    ExpectRoundTrip(everyByte);
    // More than 0x8000 literals: the tree halves its counts and rebuilds, several times.
    ExpectRoundTrip(RandomBytes(300000, 1));
    // Few letters: copies of every length and distance, literals between them.
    ExpectRoundTrip(RandomBytes(200000, 2, 4));
    // Long runs: copies of the longest length, one position back.
    ExpectRoundTrip(TBytes(100000, 'x'));
    // A block repeated after exactly a ring's length: copies from the farthest position.
    TBytes period = RandomBytes(4096, 3);
    TBytes repeated = period;
    repeated.insert(repeated.end(), period.begin(), period.end());
    repeated.insert(repeated.end(), period.begin(), period.end());
    ExpectRoundTrip(repeated);
}

TEST(LzhEncoder, CopiesWhatRepeats) {
    EXPECT_LT(Encode(TBytes(60000, 'x')).size(), 2000u);
    TBytes text;
    for (int i = 0; i < 2000; ++i) text.insert(text.end(), {'s', 'k', 'i', 'n', static_cast<std::uint8_t>('0' + i % 10)});
    EXPECT_LT(Encode(text).size(), text.size() / 10);
}

TEST(LzhDecoder, StopsAtTheFirstSymbolAtOrAfterTheSize) {
    const TBytes data(100, 'x');
    const TBytes stream = Encode(data);
    EXPECT_TRUE(Decode(stream, 0).Bytes.empty());
    EXPECT_TRUE(Decode(stream, -5).Bytes.empty());
    // The copy under way is finished: the output ends inside the last copy, never before 50.
    const TBytes part = Decode(stream, 50).Bytes;
    EXPECT_GE(part.size(), 50u);
    EXPECT_LT(part.size(), 50u + lzh::LookAhead);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), data.begin()));
}

// Input that ends early reads as zero bits: the size is still produced, and the read procedure
// is not asked again once it has said the input ended.
TEST(LzhDecoder, InputEndingEarlyReadsAsZeros) {
    const TBytes data = RandomBytes(20000, 4);
    TBytes stream = Encode(data);
    stream.resize(stream.size() / 2);
    const TDecoded cut = Decode(stream, static_cast<int>(data.size()));
    EXPECT_GE(cut.Bytes.size(), data.size());
    EXPECT_LE(cut.Reads, static_cast<int>(stream.size() / 4096) + 2);

    const TDecoded nothing = Decode({}, 100000);
    EXPECT_GE(nothing.Bytes.size(), 100000u);
    EXPECT_EQ(nothing.Reads, 1);
}

// Counts sum up the tree, the order by count holds, every symbol has one leaf, and the parent and
// child tables agree; also after many rebuilds. Each leaf counts its symbol: once at the start,
// once per update, halved (rounding up) whenever the root has reached 0x8000.
TEST(LzhTree, StaysAHuffmanTreeThroughUpdatesAndRebuilds) {
    lzh::TLzhTree tree;
    tree.Start();
    std::vector<int> counts(lzh::CharCount, 1);
    std::mt19937 random(5);
    for (int round = 0; round <= 4; ++round) {
        SCOPED_TRACE(round);
        std::vector<int> leaves(lzh::CharCount, 0);
        for (int node = 0; node < lzh::TreeSize; ++node) {
            if (node > 0) {
                ASSERT_LE(tree.freq[node - 1], tree.freq[node]);
            }
            const int child = tree.child[node];
            if (child >= lzh::TreeSize) {
                ++leaves[static_cast<std::size_t>(child - lzh::TreeSize)];
                ASSERT_EQ(tree.parent[child], node);
                continue;
            }
            ASSERT_EQ(child % 2, 0);
            ASSERT_EQ(tree.freq[node], tree.freq[child] + tree.freq[child + 1]);
            ASSERT_EQ(tree.parent[child], node);
            ASSERT_EQ(tree.parent[child + 1], node);
        }
        EXPECT_TRUE(std::all_of(leaves.begin(), leaves.end(), [](int n) { return n == 1; }));
        EXPECT_LE(tree.freq[lzh::Root], lzh::MaxFrequency);
        for (int symbol = 0; symbol < lzh::CharCount; ++symbol)
            ASSERT_EQ(tree.freq[tree.parent[symbol + lzh::TreeSize]], counts[static_cast<std::size_t>(symbol)]) << symbol;

        // Skewed symbols, so that the tree reorders a lot between the checks.
        for (int i = 0; i < 40000; ++i) {
            const int symbol = static_cast<int>(random() % 20 == 0 ? random() % 314 : random() % 8);
            if (std::accumulate(counts.begin(), counts.end(), 0) == lzh::MaxFrequency)
                for (int& count : counts) count = (count + 1) / 2;
            ++counts[static_cast<std::size_t>(symbol)];
            tree.Update(symbol);
        }
    }
}
