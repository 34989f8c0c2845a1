#include "RegionRuns.h"

#include <algorithm>
#include <climits>

TKeyColourRange::TKeyColourRange(TColor key, int blueTolerance, int greenTolerance, int redTolerance) {
    const int low[3] = {(key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF};
    const int tolerance[3] = {blueTolerance, greenTolerance, redTolerance};
    for (int i = 0; i < 3; ++i) {
        FLow[i] = low[i];
        FHigh[i] = std::min(255, low[i] + std::max(tolerance[i], 0));
    }
}

bool TKeyColourRange::Contains(uint8_t blue, uint8_t green, uint8_t red) const {
    return blue >= FLow[0] && blue <= FHigh[0] && green >= FLow[1] && green <= FHigh[1] && red >= FLow[2] && red <= FHigh[2];
}

void OpaqueRuns(const uint8_t* row, int width, const TKeyColourRange& key, std::vector<std::pair<int, int>>& runs) {
    runs.clear();
    const auto transparent = [&](int x) {
        const uint8_t* p = row + static_cast<size_t>(x) * 4;
        return key.Contains(p[0], p[1], p[2]);
    };
    int x = 0;
    while (x < width) {
        while (x < width && transparent(x)) ++x;
        const int start = x;
        while (x < width && !transparent(x)) ++x;
        if (x > start) runs.emplace_back(start, x);
    }
}

TRegionDataBlock::TRegionDataBlock() : FData(HeaderBytes + RectBytes * Growth) { Clear(); }

void TRegionDataBlock::Put(size_t offset, int32_t value) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) FData[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void TRegionDataBlock::Clear() {
    FCount = 0;
    FBounds[0] = FBounds[1] = INT_MAX;
    FBounds[2] = FBounds[3] = 0;
}

void TRegionDataBlock::Add(int left, int top, int right, int bottom) {
    const size_t needed = HeaderBytes + RectBytes * static_cast<size_t>(FCount + 1);
    if (needed > FData.size()) FData.resize(FData.size() + RectBytes * Growth);
    const size_t at = HeaderBytes + RectBytes * static_cast<size_t>(FCount);
    Put(at, left);
    Put(at + 4, top);
    Put(at + 8, right);
    Put(at + 12, bottom);
    FBounds[0] = std::min(FBounds[0], left);
    FBounds[1] = std::min(FBounds[1], top);
    FBounds[2] = std::max(FBounds[2], right);
    FBounds[3] = std::max(FBounds[3], bottom);
    ++FCount;
}

const uint8_t* TRegionDataBlock::Data() {
    Put(0, static_cast<int32_t>(HeaderBytes));
    Put(4, 1);  // rectangles
    Put(8, FCount);
    Put(12, 0);
    for (int i = 0; i < 4; ++i) Put(16 + 4 * static_cast<size_t>(i), FBounds[i]);
    return FData.data();
}
