#include "LzhEncoder.h"

#include <algorithm>

using namespace lzh;

namespace {

constexpr int MaxHashBits = 16;
// How many earlier positions of the same hash are tried; runs of flat colour find their longest
// copy at once, so this only bounds the work on unlucky inputs.
constexpr int MaxCandidates = 256;

// Enough hash slots for the text, so that short inputs do not clear a large table.
int HashBitsFor(std::size_t textSize) {
    int bits = 10;
    while (bits < MaxHashBits && (std::size_t{1} << bits) < textSize) ++bits;
    return bits;
}

}  // namespace

std::vector<std::uint8_t> TLzhEncoder::Encode(const std::uint8_t* data, std::size_t size) {
    FTree.Start();
    FText.assign(RingStart, ' ');
    FText.insert(FText.end(), data, data + size);
    FHashBits = HashBitsFor(FText.size());
    FHead.assign(std::size_t{1} << FHashBits, -1);
    FPrevious.assign(FText.size(), -1);
    FOut.clear();
    FBits = 0;
    FBitCount = 0;

    // Like the decoder, the encoder may copy from the blanks just before the start.
    for (std::size_t p = RingStart - LookAhead; p < RingStart; ++p) Insert(p);

    std::size_t position = RingStart;
    while (position < FText.size()) {
        const TMatch match = FindMatch(position);
        int advance = 1;
        if (match.Length > Threshold) {
            PutSymbol(CopySymbol(match.Length));
            PutPosition(match.Distance - 1);
            advance = match.Length;
        } else {
            PutSymbol(FText[position]);
        }
        for (int i = 0; i < advance; ++i) Insert(position + static_cast<std::size_t>(i));
        position += static_cast<std::size_t>(advance);
    }
    FlushBits();
    return FOut;
}

TLzhEncoder::TMatch TLzhEncoder::FindMatch(std::size_t position) const {
    TMatch best;
    const std::size_t left = FText.size() - position;
    if (left <= Threshold) return best;
    const int longest = static_cast<int>(std::min<std::size_t>(left, LookAhead));
    int candidate = FHead[HashAt(position)];
    for (int tries = 0; candidate >= 0 && tries < MaxCandidates; ++tries, candidate = FPrevious[candidate]) {
        const std::size_t distance = position - static_cast<std::size_t>(candidate);
        if (distance > RingSize) break;
        int length = 0;
        while (length < longest && FText[static_cast<std::size_t>(candidate) + length] == FText[position + length]) ++length;
        if (length > best.Length) {
            best.Length = length;
            best.Distance = static_cast<int>(distance);
            if (length == longest) break;
        }
    }
    return best;
}

unsigned TLzhEncoder::HashAt(std::size_t position) const {
    const std::uint32_t key = static_cast<std::uint32_t>(FText[position]) << 16 |
                              static_cast<std::uint32_t>(FText[position + 1]) << 8 | FText[position + 2];
    return (key * 2654435761u) >> (32 - FHashBits);
}

void TLzhEncoder::Insert(std::size_t position) {
    if (position + 2 >= FText.size()) return;
    const unsigned hash = HashAt(position);
    FPrevious[position] = FHead[hash];
    FHead[hash] = static_cast<std::int32_t>(position);
}

// A symbol's code is the path from the root to its leaf: each node's own bit is its index's lowest
// bit, so the path is read from the leaf upwards and sent from the root down.
void TLzhEncoder::PutSymbol(int symbol) {
    std::uint64_t path = 0;
    int length = 0;
    for (int node = FTree.parent[symbol + TreeSize]; node != Root; node = FTree.parent[node]) {
        path |= static_cast<std::uint64_t>(node & 1) << length;
        ++length;
    }
    while (length > 16) {
        length -= 16;
        PutBits(16, static_cast<std::uint32_t>(path >> length) & 0xFFFF);
    }
    PutBits(length, static_cast<std::uint32_t>(path) & ((1u << length) - 1));
    FTree.Update(symbol);
}

void TLzhEncoder::PutPosition(int position) {
    const int upper = position >> 6;
    const int codeLength = PositionCodeLength(upper);
    PutBits(codeLength, static_cast<std::uint32_t>(PositionCode(upper)) >> (8 - codeLength));
    PutBits(6, static_cast<std::uint32_t>(position) & 0x3F);
}

// Bits go out most significant first, packed into bytes from the top.
void TLzhEncoder::PutBits(int count, std::uint32_t bits) {
    FBits = (FBits << count) | bits;
    FBitCount += count;
    while (FBitCount >= 8) {
        FBitCount -= 8;
        FOut.push_back(static_cast<std::uint8_t>(FBits >> FBitCount));
    }
    FBits &= (1u << FBitCount) - 1;
}

void TLzhEncoder::FlushBits() {
    if (FBitCount > 0) FOut.push_back(static_cast<std::uint8_t>(FBits << (8 - FBitCount)));
    FBits = 0;
    FBitCount = 0;
}
