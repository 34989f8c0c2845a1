// lzhbench: how fast the skin package reader's LZHUF decoder unpacks, in MB/s (10^6 bytes of
// output per second). Three inputs: the console's own skin package (flat colours, mostly long
// copies), a bitmap of noisy gradients (mostly literals) and text with repeats (short copies).
//
//     lzhbench [package file]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "LzhEncoder.h"
#include "WinConvert.h"

namespace {

using TBytes = std::vector<std::uint8_t>;
using TClock = std::chrono::steady_clock;

struct TCase {
    std::string Name;
    TBytes Stream;
    int Size;
};

std::size_t DecodeOnce(const TCase& c) {
    std::size_t at = 0, produced = 0;
    const TLzhReadProc read = [&](void* buffer, int count, int& actual) {
        actual = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(count), c.Stream.size() - at));
        if (actual > 0) std::memcpy(buffer, c.Stream.data() + at, static_cast<std::size_t>(actual));
        at += static_cast<std::size_t>(actual);
    };
    const TLzhWriteProc write = [&](const void*, int count, int& actual) {
        produced += static_cast<std::size_t>(count);
        actual = count;
    };
    TLZH().LzhDecode(c.Size, write, read);
    return produced;
}

void Measure(const TCase& c) {
    std::size_t bytes = 0;
    int rounds = 0;
    const TClock::time_point start = TClock::now();
    double seconds = 0;
    do {
        bytes += DecodeOnce(c);
        ++rounds;
        seconds = std::chrono::duration<double>(TClock::now() - start).count();
    } while (seconds < 1.0);
    std::printf("%-28s %9d bytes from %8zu (%5.1f%%)  %4d rounds  %8.1f MB/s\n", c.Name.c_str(), c.Size,
                c.Stream.size(), 100.0 * static_cast<double>(c.Stream.size()) / c.Size, rounds,
                static_cast<double>(bytes) / seconds / 1e6);
}

TCase Packed(const std::string& name, const TBytes& data) {
    return {name, TLzhEncoder().Encode(data.data(), data.size()), static_cast<int>(data.size())};
}

// A 24-bit picture of 640 x 480: gradients with a little noise, as a photo-like skin image is.
TBytes NoisyBitmap() {
    std::mt19937 random(7);
    TBytes pixels;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            for (int channel = 0; channel < 3; ++channel)
                pixels.push_back(static_cast<std::uint8_t>((x * (channel + 1) + y) / 4 + random() % 6));
    return pixels;
}

TBytes RepeatingText() {
    static const char* const words[] = {"[Buttons]", "LeftWidth=", "Image=", ".bmp", "Trans=1", "Tile=0", "\r\n", "Frame="};
    std::mt19937 random(11);
    std::string text;
    while (text.size() < 1000000) text += words[random() % 8] + std::to_string(random() % 40);
    return TBytes(text.begin(), text.end());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : SKIN_PACKAGE;
    std::ifstream in(path, std::ios::binary);
    const TBytes package((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (package.size() < 4) {
        std::fprintf(stderr, "lzhbench: cannot read the package %s\n", path.c_str());
        return 1;
    }
    const int unpacked = package[0] | package[1] << 8 | package[2] << 16 | package[3] << 24;

    std::printf("LZHUF decoding, each input decoded again for a second\n");
    Measure({"skin package " + path.substr(path.find_last_of('/') + 1), TBytes(package.begin() + 4, package.end()), unpacked});
    Measure(Packed("noisy 640x480 bitmap", NoisyBitmap()));
    Measure(Packed("ini-like text", RepeatingText()));
    return 0;
}
