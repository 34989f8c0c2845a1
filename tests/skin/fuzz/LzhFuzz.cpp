// Any bytes as an LZHUF stream, with an output size taken from the first three bytes (bounded, so
// that each input stays quick): the decoder produces the size and stops. The same bytes are also
// packed and unpacked, which must give them back.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "LzhEncoder.h"
#include "WinConvert.h"

namespace {

// Several times round the ring; the tree's rebuild is left to the unit tests, which reach it
// with far longer inputs than suit a fuzzer.
constexpr int MaxOutput = 16 * 1024;

std::vector<std::uint8_t> Decode(const std::uint8_t* data, std::size_t size, int length) {
    std::vector<std::uint8_t> out;
    std::size_t at = 0;
    const TLzhReadProc read = [&](void* buffer, int count, int& actual) {
        actual = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(count), size - at));
        if (actual > 0) std::memcpy(buffer, data + at, static_cast<std::size_t>(actual));
        at += static_cast<std::size_t>(actual);
    };
    const TLzhWriteProc write = [&](const void* buffer, int count, int& actual) {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        out.insert(out.end(), bytes, bytes + count);
        actual = count;
    };
    TLZH().LzhDecode(length, write, read);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 3) {
        const int length = (data[0] | data[1] << 8 | data[2] << 16) % (MaxOutput + 1);
        const std::vector<std::uint8_t> out = Decode(data + 3, size - 3, length);
        if (out.size() < static_cast<std::size_t>(length) || out.size() >= static_cast<std::size_t>(length) + lzh::LookAhead)
            std::abort();
    }
    const std::vector<std::uint8_t> packed = TLzhEncoder().Encode(data, size);
    const std::vector<std::uint8_t> unpacked = Decode(packed.data(), packed.size(), static_cast<int>(size));
    if (unpacked.size() != size || (size > 0 && std::memcmp(unpacked.data(), data, size) != 0)) std::abort();
    return 0;
}
