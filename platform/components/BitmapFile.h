#pragma once
// The layout of a Windows bitmap file (.bmp), worked out and checked before a single pixel is
// touched: a file whose header, colour table or pixel rows do not fit in its bytes has none.
#include <cstddef>
#include <cstdint>

struct TBitmapFileLayout {
    int Width = 0;
    int Height = 0;  // rows, whichever way they run
    bool TopDown = false;
    int BitCount = 0;
    size_t InfoOffset = 0;   // the BITMAPINFOHEADER, from the start of the file
    size_t InfoSize = 0;     // the header with its colour table or bit-field masks
    size_t PixelOffset = 0;  // the first byte of the pixel rows
    size_t RowSize = 0;      // bytes per row, rounded up to 32 bits
    size_t PixelSize = 0;    // bytes of all rows
};

// The largest bitmap file read: a skin or a form holds images of a few kilobytes.
constexpr size_t MaxBitmapFileSize = 256u << 20;

// The layout of an uncompressed bitmap of 1, 4, 8, 16, 24 or 32 bits per pixel of at most
// 32767 x 32767 pixels; false for anything else and for every file that is cut short.
bool ReadBitmapFileLayout(const uint8_t* data, size_t size, TBitmapFileLayout& layout);
