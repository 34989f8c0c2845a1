// The runs of a picture's rows that a window region is made of, and the region data blocks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "RegionRuns.h"

namespace {

// A row of 32-bit pixels (B, G, R, X) from colours 0x00BBGGRR.
std::vector<uint8_t> Row(const std::vector<TColor>& colours) {
    std::vector<uint8_t> row;
    for (TColor c : colours) row.insert(row.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 0});
    return row;
}

int32_t Field(const uint8_t* data, size_t offset) {
    int32_t v;
    std::memcpy(&v, data + offset, 4);
    return v;
}

TEST(KeyColourRange, TakesEachChannelUpToItsTolerance) {
    const TKeyColourRange magenta(clFuchsia, 1, 1, 1);
    EXPECT_TRUE(magenta.Contains(255, 0, 255));
    EXPECT_TRUE(magenta.Contains(255, 1, 255)) << "green 1 is near enough";
    EXPECT_FALSE(magenta.Contains(255, 2, 255));
    EXPECT_FALSE(magenta.Contains(254, 0, 255)) << "the range only runs upward from the key";
    const TKeyColourRange gray(0x808080, 0, 10, 200);
    EXPECT_TRUE(gray.Contains(0x80, 0x8A, 0xFF)) << "red reaches 255 and stops there";
    EXPECT_FALSE(gray.Contains(0x81, 0x80, 0x80));
}

TEST(OpaqueRuns, AreTheStretchesBetweenKeyPixels) {
    const TKeyColourRange key(clFuchsia, 1, 1, 1);
    std::vector<std::pair<int, int>> runs;
    const auto row = Row({clRed, clFuchsia, clBlue});
    OpaqueRuns(row.data(), 3, key, runs);
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{0, 1}, {2, 3}}));

    const auto edges = Row({clFuchsia, 0xFF01FF, clRed, clRed, clBlack, clFuchsia});
    OpaqueRuns(edges.data(), 6, key, runs);
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{2, 5}}));

    const auto empty = Row({clFuchsia, clFuchsia});
    OpaqueRuns(empty.data(), 2, key, runs);
    EXPECT_TRUE(runs.empty());
}

TEST(RegionDataBlock, HoldsAHeaderAndGrowsByFiveHundredRectangles) {
    TRegionDataBlock block;
    EXPECT_EQ(block.Size(), 32u + 16u * 500u);
    block.Add(5, 7, 9, 8);
    block.Add(1, 8, 3, 9);
    const uint8_t* data = block.Data();
    EXPECT_EQ(Field(data, 0), 32);
    EXPECT_EQ(Field(data, 4), 1) << "rectangles";
    EXPECT_EQ(Field(data, 8), 2);
    EXPECT_EQ(Field(data, 16), 1) << "bounds";
    EXPECT_EQ(Field(data, 20), 7);
    EXPECT_EQ(Field(data, 24), 9);
    EXPECT_EQ(Field(data, 28), 9);
    EXPECT_EQ(Field(data, 48), 1) << "second rectangle";
    EXPECT_EQ(Field(data, 60), 9);

    for (int i = 2; i < 501; ++i) block.Add(0, i, 1, i + 1);
    EXPECT_EQ(block.Size(), 32u + 16u * 1000u);
    EXPECT_FALSE(block.Full());
    for (int i = 501; i < 2000; ++i) block.Add(0, i, 1, i + 1);
    EXPECT_TRUE(block.Full());
    EXPECT_EQ(block.Count(), 2000);

    block.Clear();
    EXPECT_EQ(block.Count(), 0);
    EXPECT_EQ(block.Size(), 32u + 16u * 2000u) << "the room stays";
    block.Add(4, 4, 5, 5);
    EXPECT_EQ(Field(block.Data(), 16), 4) << "bounds start afresh";
}

}  // namespace
