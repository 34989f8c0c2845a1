// The layout of a bitmap file, and the files that have none.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "components/BitmapFile.h"

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A file of width x height pixels of the depth, with its colour table and zeroed rows.
std::vector<uint8_t> BitmapFile(int32_t width, int32_t height, int bits, uint32_t coloursUsed = 0) {
    const size_t colours = bits <= 8 ? (coloursUsed ? coloursUsed : 1u << bits) : 0;
    const size_t rowSize = (size_t(width < 0 ? 0 : width) * size_t(bits) + 31) / 32 * 4;
    const size_t rows = size_t(height < 0 ? -int64_t(height) : height);
    const size_t offset = 14 + 40 + 4 * colours;
    std::vector<uint8_t> file(offset + rowSize * rows);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, uint32_t(file.size()));
    Put32(file, 10, uint32_t(offset));
    Put32(file, 14, 40);
    Put32(file, 18, uint32_t(width));
    Put32(file, 22, uint32_t(height));
    Put16(file, 26, 1);
    Put16(file, 28, uint32_t(bits));
    Put32(file, 46, coloursUsed);
    return file;
}

bool HasLayout(const std::vector<uint8_t>& file) {
    TBitmapFileLayout layout;
    return ReadBitmapFileLayout(file.data(), file.size(), layout);
}

TEST(BitmapFileLayout, FindsTheHeaderColoursAndRows) {
    TBitmapFileLayout layout;
    const auto rgb = BitmapFile(3, 2, 24);
    ASSERT_TRUE(ReadBitmapFileLayout(rgb.data(), rgb.size(), layout));
    EXPECT_EQ(layout.Width, 3);
    EXPECT_EQ(layout.Height, 2);
    EXPECT_FALSE(layout.TopDown);
    EXPECT_EQ(layout.RowSize, 12u) << "9 bytes rounded up to 32 bits";
    EXPECT_EQ(layout.PixelOffset, 54u);
    EXPECT_EQ(layout.PixelSize, 24u);
    EXPECT_EQ(layout.InfoSize, 40u);

    const auto mono = BitmapFile(64, -16, 1);
    ASSERT_TRUE(ReadBitmapFileLayout(mono.data(), mono.size(), layout));
    EXPECT_TRUE(layout.TopDown);
    EXPECT_EQ(layout.Height, 16);
    EXPECT_EQ(layout.InfoSize, 48u) << "two colours";
    EXPECT_EQ(layout.RowSize, 8u);

    auto paletted = BitmapFile(5, 5, 8, 17);
    ASSERT_TRUE(ReadBitmapFileLayout(paletted.data(), paletted.size(), layout));
    EXPECT_EQ(layout.InfoSize, 40u + 17 * 4);
    Put32(paletted, 10, 0);  // no pixel offset given: the rows follow the colours
    ASSERT_TRUE(ReadBitmapFileLayout(paletted.data(), paletted.size(), layout));
    EXPECT_EQ(layout.PixelOffset, 14u + 40 + 17 * 4);
}

TEST(BitmapFileLayout, RefusesWhatIsCutShortOrNoPlainBitmap) {
    auto file = BitmapFile(4, 4, 24);
    EXPECT_FALSE(HasLayout(std::vector<uint8_t>(file.begin(), file.end() - 1))) << "a row cut short";
    EXPECT_FALSE(HasLayout(std::vector<uint8_t>(file.begin(), file.begin() + 53))) << "a header cut short";
    auto bad = file;
    bad[0] = 'X';
    EXPECT_FALSE(HasLayout(bad)) << "no signature";
    bad = file;
    Put32(bad, 10, 0xFFFFFFF0u);
    EXPECT_FALSE(HasLayout(bad)) << "rows past the end";
    bad = file;
    Put32(bad, 14, 0x7FFFFFFFu);
    EXPECT_FALSE(HasLayout(bad)) << "a header larger than the file";
    bad = file;
    Put32(bad, 30, 1);
    EXPECT_FALSE(HasLayout(bad)) << "run-length compressed";
    bad = file;
    Put32(bad, 30, 3);
    EXPECT_FALSE(HasLayout(bad)) << "bit fields at 24 bits";
    EXPECT_FALSE(HasLayout(BitmapFile(0, 4, 24)));
    EXPECT_FALSE(HasLayout(BitmapFile(4, 0, 24)));
    EXPECT_FALSE(HasLayout(BitmapFile(4, 4, 7)));
    EXPECT_FALSE(HasLayout(BitmapFile(4, 4, 8, 257))) << "more than 256 colours";
    EXPECT_FALSE(HasLayout(BitmapFile(32768, 1, 1)));
    bad = BitmapFile(1, 1, 24);
    Put32(bad, 22, 0x80000000u);
    EXPECT_FALSE(HasLayout(bad)) << "the most negative height";
    // 30000 x 30000 at 32 bits overflows 32-bit arithmetic; the file holds a few bytes.
    bad = BitmapFile(1, 1, 32);
    Put32(bad, 18, 30000);
    Put32(bad, 22, 30000);
    EXPECT_FALSE(HasLayout(bad));
    TBitmapFileLayout none;
    EXPECT_FALSE(ReadBitmapFileLayout(nullptr, 0, none));
}

}  // namespace
