#pragma once
// The packer's LZHUF encoder: greedy LZSS over the decoder's ring (the first 4036 positions start
// as blanks, so runs of blanks are copies from the start), with the decoder's adaptive tree and
// position codes. For every input it picks the longest copy of at least 3 bytes, the nearest of
// equally long ones, so the same input always gives the same stream.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "WinConvert.h"

class TLzhEncoder {
public:
    // The bit stream of the data, without the length that a package puts in front of it.
    std::vector<std::uint8_t> Encode(const std::uint8_t* data, std::size_t size);

private:
    struct TMatch {
        int Length = 0;
        int Distance = 0;  // 1..RingSize bytes back from the current position
    };

    TMatch FindMatch(std::size_t position) const;
    unsigned HashAt(std::size_t position) const;
    void Insert(std::size_t position);
    void PutSymbol(int symbol);
    void PutPosition(int position);
    void PutBits(int count, std::uint32_t bits);
    void FlushBits();

    lzh::TLzhTree FTree;
    // The text as the decoder's ring sees it: the blanks it starts with, then the input.
    std::vector<std::uint8_t> FText;
    int FHashBits = 0;
    std::vector<std::int32_t> FHead;  // the latest position of each 3-byte hash
    std::vector<std::int32_t> FPrevious;
    std::vector<std::uint8_t> FOut;
    std::uint32_t FBits = 0;
    int FBitCount = 0;
};
