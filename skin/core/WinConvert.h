#pragma once
// LZHUF, the compression of skin packages: LZSS over a 4096-byte ring with adaptive Huffman
// coding of the literals and copy lengths. TLZH decodes; the packer of skin/tools encodes with the
// same tree (TLzhTree) and the same position codes, so both sides share one model.
#include <cstdint>
#include <functional>
#include <string>

#include "components/SysUtils.h"

namespace lzh {

constexpr int RingSize = 4096;                       // N: positions are taken modulo 4096
constexpr int LookAhead = 60;                        // F: the longest copy
constexpr int Threshold = 2;                         // copies are at least Threshold + 1 bytes
constexpr int RingStart = RingSize - LookAhead;      // the first write position, 4036
constexpr int CharCount = 256 - Threshold + LookAhead;  // 314 symbols: 256 literals, 58 lengths
constexpr int TreeSize = 2 * CharCount - 1;          // 627 nodes
constexpr int Root = TreeSize - 1;                   // 626
constexpr int MaxFrequency = 0x8000;                 // the root's count that halves every count
constexpr int FirstCopySymbol = 256;

// The symbol of a copy of the given length (3 to 60), and back.
constexpr int CopySymbol(int length) { return 255 - Threshold + length; }
constexpr int CopyLength(int symbol) { return symbol - 255 + Threshold; }

// The adaptive Huffman tree. Nodes 0..626 are ordered by count, so that a node's sibling and its
// parent come after it; a child index at or above TreeSize marks a leaf holding the symbol
// child - TreeSize. The two children of an inner node sit side by side, the first at an even
// index, so a node's own bit in its code is its index's lowest bit.
struct TLzhTree {
    std::uint16_t freq[TreeSize + 1];        // the last one a sentinel that no count passes
    std::uint16_t parent[TreeSize + CharCount];  // parent[TreeSize + c] is the leaf of symbol c
    std::uint16_t child[TreeSize];

    // Every symbol counted once, inner nodes paired in index order.
    void Start();
    // Counts the symbol once more and restores the order, halving every count first when the
    // root has reached MaxFrequency.
    void Update(int symbol);

private:
    void Rebuild();
};

// The upper six bits of a copy's ring distance are sent as a prefix code of 3 to 8 bits.
// PositionCodeLength(u) and PositionCode(u) (left-aligned in a byte) give the code of u (0..63);
// the decoder looks the first eight bits up in the inverse tables.
int PositionCodeLength(int upperBits);
int PositionCode(int upperBits);
struct TPositionTables {
    std::uint8_t upper[256];   // the upper six bits coded by a byte's leading bits
    std::uint8_t length[256];  // the length of that code
};
const TPositionTables& DecodeTables();

}  // namespace lzh

// The decoder's failure: its tables could not be had.
class ElzhException : public Exception {
    using Exception::Exception;
};

// Asks for up to count bytes into the buffer and says how many came; 0 means the input has
// ended. The write procedure is handed every decoded byte once, in blocks, and says how many it
// took; the decoder does not offer again what it left.
using TLzhReadProc = std::function<void(void* buffer, int count, int& actual)>;
using TLzhWriteProc = std::function<void(const void* buffer, int count, int& actual)>;

class TLZH {
public:
    // Decodes from the read procedure until at least size bytes went to the write procedure. A
    // copy is always finished, so up to LookAhead - 1 bytes more than size may be written. Input
    // that ends early reads as zero bits.
    void LzhDecode(int size, const TLzhWriteProc& write, const TLzhReadProc& read);
};
