// Any bytes as a bitmap file: a layout is only given when every byte it names lies in the file.
#include <cstddef>
#include <cstdint>

#include "components/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBitmapFileLayout layout;
    if (!ReadBitmapFileLayout(data, size, layout)) return 0;
    // Touching the first and last byte of each part lets the address sanitizer see any overrun.
    volatile std::uint8_t sink = 0;
    sink = sink + data[layout.InfoOffset] + data[layout.InfoOffset + layout.InfoSize - 1];
    if (layout.PixelSize > 0) sink = sink + data[layout.PixelOffset] + data[layout.PixelOffset + layout.PixelSize - 1];
    if (layout.RowSize * static_cast<std::size_t>(layout.Height) != layout.PixelSize) __builtin_trap();
    return 0;
}
