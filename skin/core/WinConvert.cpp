#include "WinConvert.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace lzh {

void TLzhTree::Start() {
    for (int i = 0; i < CharCount; ++i) {
        freq[i] = 1;
        child[i] = static_cast<std::uint16_t>(i + TreeSize);
        parent[i + TreeSize] = static_cast<std::uint16_t>(i);
    }
    for (int first = 0, node = CharCount; node <= Root; first += 2, ++node) {
        freq[node] = static_cast<std::uint16_t>(freq[first] + freq[first + 1]);
        child[node] = static_cast<std::uint16_t>(first);
        parent[first] = parent[first + 1] = static_cast<std::uint16_t>(node);
    }
    freq[TreeSize] = 0xFFFF;
    parent[Root] = 0;
}

// Halves the counts of the leaves (rounding up) and builds the inner nodes again, each placed
// after every node whose count is not larger, so the order by count holds.
void TLzhTree::Rebuild() {
    int leaves = 0;
    for (int node = 0; node < TreeSize; ++node) {
        if (child[node] < TreeSize) continue;
        freq[leaves] = static_cast<std::uint16_t>((freq[node] + 1) / 2);
        child[leaves] = child[node];
        ++leaves;
    }
    for (int first = 0, node = CharCount; node < TreeSize; first += 2, ++node) {
        const std::uint16_t count = static_cast<std::uint16_t>(freq[first] + freq[first + 1]);
        int place = node;
        while (count < freq[place - 1]) --place;
        std::memmove(&freq[place + 1], &freq[place], sizeof freq[0] * static_cast<std::size_t>(node - place));
        std::memmove(&child[place + 1], &child[place], sizeof child[0] * static_cast<std::size_t>(node - place));
        freq[place] = count;
        child[place] = static_cast<std::uint16_t>(first);
    }
    for (int node = 0; node < TreeSize; ++node) {
        const int k = child[node];
        if (k >= TreeSize) {
            parent[k] = static_cast<std::uint16_t>(node);
        } else {
            parent[k] = parent[k + 1] = static_cast<std::uint16_t>(node);
        }
    }
}

void TLzhTree::Update(int symbol) {
    if (freq[Root] == MaxFrequency) Rebuild();
    int node = parent[symbol + TreeSize];
    do {
        const std::uint16_t count = ++freq[node];
        if (count > freq[node + 1]) {
            // Swap the node with the last one of a lower count, children and all.
            int last = node + 1;
            while (count > freq[++last]) {
            }
            --last;
            freq[node] = freq[last];
            freq[last] = count;

            const int mine = child[node];
            parent[mine] = static_cast<std::uint16_t>(last);
            if (mine < TreeSize) parent[mine + 1] = static_cast<std::uint16_t>(last);
            const int theirs = child[last];
            child[last] = static_cast<std::uint16_t>(mine);
            parent[theirs] = static_cast<std::uint16_t>(node);
            if (theirs < TreeSize) parent[theirs + 1] = static_cast<std::uint16_t>(node);
            child[node] = static_cast<std::uint16_t>(theirs);
            node = last;
        }
        node = parent[node];
    } while (node != 0);
}

namespace {

// The code lengths rise at these values of the upper bits: 1 code of 3 bits, 3 of 4, 8 of 5,
// 12 of 6, 24 of 7 and 16 of 8, which fill the 256 byte values exactly.
int LengthOf(int upperBits) {
    if (upperBits < 1) return 3;
    if (upperBits < 4) return 4;
    if (upperBits < 12) return 5;
    if (upperBits < 24) return 6;
    if (upperBits < 48) return 7;
    return 8;
}

TPositionTables BuildDecodeTables() {
    TPositionTables tables{};
    int code = 0;
    for (int upper = 0; upper < 64; ++upper) {
        const int length = LengthOf(upper);
        const int span = 1 << (8 - length);
        for (int i = 0; i < span; ++i) {
            tables.upper[code + i] = static_cast<std::uint8_t>(upper);
            tables.length[code + i] = static_cast<std::uint8_t>(length);
        }
        code += span;
    }
    return tables;
}

}  // namespace

int PositionCodeLength(int upperBits) { return LengthOf(upperBits & 63); }

int PositionCode(int upperBits) {
    int code = 0;
    for (int upper = 0; upper < (upperBits & 63); ++upper) code += 1 << (8 - LengthOf(upper));
    return code;
}

const TPositionTables& DecodeTables() {
    static const TPositionTables tables = BuildDecodeTables();
    return tables;
}

}  // namespace lzh

namespace {

using namespace lzh;

// The state of one decode: the tree, the ring, and the bit buffer over blocks of input. Bits are
// taken most significant first, each byte's bits placed below those held; once the input has
// ended, zero bytes stand in for it. The buffer holds up to 64 bits so that a symbol is decoded
// without asking for input on every bit.
class TLzhDecoder {
public:
    TLzhDecoder(const TLzhWriteProc& write, const TLzhReadProc& read) : FWrite(write), FRead(read) {}

    void Decode(int size) {
        FTree.Start();
        std::memset(FRing, ' ', RingStart);
        std::memset(FRing + RingStart, 0, RingSize - RingStart);
        int r = RingStart;
        int produced = 0;
        while (produced < size) {
            const int symbol = DecodeSymbol();
            if (symbol < FirstCopySymbol) {
                Emit(static_cast<std::uint8_t>(symbol), r);
                ++produced;
                continue;
            }
            const int start = (r - DecodePosition() - 1) & (RingSize - 1);
            const int length = CopyLength(symbol);
            for (int k = 0; k < length; ++k) Emit(FRing[(start + k) & (RingSize - 1)], r);
            produced += length;
        }
        Flush();
    }

private:
    int DecodeSymbol() {
        if (FHeld < 32) Refill();
        int node = FTree.child[Root];
        while (node < TreeSize) node = FTree.child[node + NextBit()];
        const int symbol = node - TreeSize;
        FTree.Update(symbol);
        return symbol;
    }

    int DecodePosition() {
        if (FHeld < 16) Refill();
        int bits = static_cast<int>(FBits >> 56);
        FBits <<= 8;
        FHeld -= 8;
        const int upper = FTables.upper[bits];
        for (int extra = FTables.length[bits] - 2; extra > 0; --extra) bits = (bits << 1) | NextBit();
        return (upper << 6) | (bits & 0x3F);
    }

    // Whole bytes below the bits held, up to 64 bits.
    void Refill() {
        while (FHeld <= 56) {
            FBits |= static_cast<std::uint64_t>(NextInputByte()) << (56 - FHeld);
            FHeld += 8;
        }
    }

    int NextBit() {
        if (FHeld == 0) Refill();
        const int bit = static_cast<int>(FBits >> 63);
        FBits <<= 1;
        --FHeld;
        return bit;
    }

    std::uint8_t NextInputByte() {
        if (FInPos == FInLength) {
            if (FInputEnded) return 0;
            int actual = 0;
            FRead(FIn, sizeof FIn, actual);
            FInPos = 0;
            FInLength = actual < 0 ? 0 : std::min(actual, static_cast<int>(sizeof FIn));
            if (FInLength == 0) {
                FInputEnded = true;
                return 0;
            }
        }
        return FIn[FInPos++];
    }

    void Emit(std::uint8_t byte, int& r) {
        FRing[r] = byte;
        r = (r + 1) & (RingSize - 1);
        FOut[FOutLength++] = byte;
        if (FOutLength == sizeof FOut) Flush();
    }

    void Flush() {
        if (FOutLength == 0) return;
        int actual = 0;
        FWrite(FOut, FOutLength, actual);
        FOutLength = 0;
    }

    const TLzhWriteProc& FWrite;
    const TLzhReadProc& FRead;
    const TPositionTables& FTables = DecodeTables();
    TLzhTree FTree;
    std::uint8_t FRing[RingSize];
    std::uint64_t FBits = 0;  // the next bit is the top one
    int FHeld = 0;
    std::uint8_t FIn[4096];
    int FInPos = 0;
    int FInLength = 0;
    bool FInputEnded = false;
    std::uint8_t FOut[4096];
    int FOutLength = 0;
};

}  // namespace

void TLZH::LzhDecode(int size, const TLzhWriteProc& write, const TLzhReadProc& read) {
    std::unique_ptr<TLzhDecoder> decoder;
    try {
        decoder = std::make_unique<TLzhDecoder>(write, read);
    } catch (const std::bad_alloc&) {
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    decoder->Decode(size);
}
