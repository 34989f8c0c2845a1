#pragma once
// A window region from a picture: the rectangles of its rows' runs of pixels that are not the
// key colour, gathered in region-data blocks of bounded size.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "components/Colors.h"

// Which pixels are transparent: each channel from the key's value up to that value plus its
// tolerance (both ends included, at most 255).
class TKeyColourRange {
public:
    TKeyColourRange(TColor key, int blueTolerance, int greenTolerance, int redTolerance);
    bool Contains(uint8_t blue, uint8_t green, uint8_t red) const;

private:
    int FLow[3];  // blue, green, red
    int FHigh[3];
};

// The runs [x0, x1) of pixels outside the key range in one row of 32-bit pixels (B, G, R, X).
void OpaqueRuns(const uint8_t* row, int width, const TKeyColourRange& key, std::vector<std::pair<int, int>>& runs);

// Region data as the system takes it (a 32-byte header of size, type, count, size and bounds,
// then 16-byte rectangles): room grows 500 rectangles at a time, and a block is handed over
// when it holds 2000, so that a large window never needs one huge block.
class TRegionDataBlock {
public:
    static constexpr int Growth = 500;
    static constexpr int BlockSize = 2000;
    static constexpr size_t HeaderBytes = 32;
    static constexpr size_t RectBytes = 16;

    TRegionDataBlock();
    void Add(int left, int top, int right, int bottom);
    int Count() const { return FCount; }
    bool Full() const { return FCount >= BlockSize; }
    // The header followed by the rectangles; its size is the room allocated so far.
    const uint8_t* Data();
    size_t Size() const { return FData.size(); }
    // Empty again, keeping its room.
    void Clear();

private:
    void Put(size_t offset, int32_t value);

    std::vector<uint8_t> FData;
    int FCount = 0;
    int32_t FBounds[4];
};
