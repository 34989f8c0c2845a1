#include "SkinPackage.h"

#include <algorithm>
#include <cstring>

#include "LzhEncoder.h"
#include "WinConvert.h"

void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

std::vector<std::uint8_t> BuildPackageImage(const std::vector<TSkinEntry>& entries, std::int32_t magic) {
    std::string names;
    for (const TSkinEntry& entry : entries) {
        std::string name = entry.Name;
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        names += name + "\r\n";
    }
    std::vector<std::uint8_t> image;
    AppendInt32(image, magic);
    AppendInt32(image, static_cast<std::int32_t>(names.size()));
    AppendInt32(image, 0);
    AppendInt32(image, 0);
    image.insert(image.end(), names.begin(), names.end());
    for (const TSkinEntry& entry : entries) AppendInt32(image, static_cast<std::int32_t>(entry.Bytes.size()));
    for (const TSkinEntry& entry : entries) image.insert(image.end(), entry.Bytes.begin(), entry.Bytes.end());
    return image;
}

std::vector<std::uint8_t> PackPackage(const std::vector<std::uint8_t>& image) {
    std::vector<std::uint8_t> package;
    AppendInt32(package, static_cast<std::int32_t>(image.size()));
    const std::vector<std::uint8_t> stream = TLzhEncoder().Encode(image.data(), image.size());
    package.insert(package.end(), stream.begin(), stream.end());
    return package;
}

std::vector<std::uint8_t> UnpackPackage(const std::vector<std::uint8_t>& package) {
    std::vector<std::uint8_t> image;
    if (package.size() < 4) return image;
    const int length = static_cast<int>(package[0] | package[1] << 8 | package[2] << 16 |
                                        static_cast<std::uint32_t>(package[3]) << 24);
    std::size_t at = 4;
    const TLzhReadProc read = [&](void* buffer, int count, int& actual) {
        actual = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(count), package.size() - at));
        if (actual > 0) std::memcpy(buffer, package.data() + at, static_cast<std::size_t>(actual));
        at += static_cast<std::size_t>(actual);
    };
    const TLzhWriteProc write = [&](const void* buffer, int count, int& actual) {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        image.insert(image.end(), bytes, bytes + count);
        actual = count;
    };
    TLZH().LzhDecode(length, write, read);
    if (length >= 0 && image.size() > static_cast<std::size_t>(length)) image.resize(static_cast<std::size_t>(length));
    return image;
}
