#include "components/BitmapFile.h"

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr uint32_t CompressionRgb = 0;
constexpr uint32_t CompressionBitFields = 3;

uint32_t Read16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | p[1] << 8); }

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

bool IsPixelDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Colour table entries (or the three bit-field masks) that follow the info header.
bool ColourEntries(uint32_t bits, uint32_t compression, uint32_t used, uint64_t& entries) {
    if (bits <= 8) {
        entries = used ? used : (1u << bits);
        return entries <= 256;
    }
    entries = compression == CompressionBitFields ? 3 : 0;
    return true;
}

}  // namespace

bool ReadBitmapFileLayout(const uint8_t* data, size_t size, TBitmapFileLayout& layout) {
    if (!data || size < FileHeaderSize + InfoHeaderSize || size > MaxBitmapFileSize) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;
    const uint8_t* info = data + FileHeaderSize;
    const uint64_t infoHeader = Read32(info);
    const int64_t width = static_cast<int32_t>(Read32(info + 4));
    const int64_t signedHeight = static_cast<int32_t>(Read32(info + 8));
    const uint32_t bits = Read16(info + 14);
    const uint32_t compression = Read32(info + 16);
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;

    if (infoHeader < InfoHeaderSize || width <= 0 || height <= 0 || width > 32767 || height > 32767) return false;
    if (!IsPixelDepth(bits)) return false;
    const bool bitFields = compression == CompressionBitFields && (bits == 16 || bits == 32);
    if (compression != CompressionRgb && !bitFields) return false;
    uint64_t entries = 0;
    if (!ColourEntries(bits, compression, Read32(info + 32), entries)) return false;

    const uint64_t infoSize = infoHeader + entries * 4;
    const uint64_t rowSize = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t pixelSize = rowSize * static_cast<uint64_t>(height);
    const uint64_t declaredOffset = Read32(data + 10);
    const uint64_t pixelOffset = declaredOffset >= FileHeaderSize ? declaredOffset : FileHeaderSize + infoSize;
    if (FileHeaderSize + infoSize > size || pixelOffset > size || size - pixelOffset < pixelSize) return false;

    layout.Width = static_cast<int>(width);
    layout.Height = static_cast<int>(height);
    layout.TopDown = signedHeight < 0;
    layout.BitCount = static_cast<int>(bits);
    layout.InfoOffset = FileHeaderSize;
    layout.InfoSize = static_cast<size_t>(infoSize);
    layout.PixelOffset = static_cast<size_t>(pixelOffset);
    layout.RowSize = static_cast<size_t>(rowSize);
    layout.PixelSize = static_cast<size_t>(pixelSize);
    return true;
}
