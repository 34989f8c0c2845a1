#pragma once
// Writing skin packages: the entries laid out as the reader expects them (header with the magic,
// names one per line ending in CR LF, a size per entry, the entries' bytes), then compressed
// behind the unpacked length.
#include <cstdint>
#include <string>
#include <vector>

struct TSkinEntry {
    std::string Name;
    std::vector<std::uint8_t> Bytes;
};

// The unpacked package. Names are stored in lower case, as the reader compares them.
std::vector<std::uint8_t> BuildPackageImage(const std::vector<TSkinEntry>& entries, std::int32_t magic = 20000);
// The package: the image's length, little-endian, and its LZHUF stream.
std::vector<std::uint8_t> PackPackage(const std::vector<std::uint8_t>& image);
// The image the package unpacks to, as the reader's decoder reads it; used to check what was
// packed before it is written.
std::vector<std::uint8_t> UnpackPackage(const std::vector<std::uint8_t>& package);

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value);
