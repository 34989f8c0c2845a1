#include "SkinFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "SkinRead.h"

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return extension;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ESkinFolderError("cannot read " + path.string());
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A bitmap file starts with "BM" and a file header and an info header of 54 bytes together.
void CheckBitmap(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        throw ESkinFolderError(path.string() + " is not a Windows bitmap file");
}

// The reader splits the names at line breaks, so a name must not hold one.
void CheckName(const std::string& name) {
    if (name.find_first_of("\r\n") != std::string::npos) throw ESkinFolderError("entry name with a line break: " + name);
}

}  // namespace

std::vector<TSkinEntry> ReadSkinFolder(const std::string& folder) {
    std::vector<fs::path> bitmaps;
    std::vector<fs::path> descriptions;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file()) continue;
        const std::string extension = LowerExtension(it->path());
        if (extension == ".bmp") bitmaps.push_back(it->path());
        if (extension == ".ini") descriptions.push_back(it->path());
    }
    if (error) throw ESkinFolderError("cannot list " + folder + ": " + error.message());
    if (descriptions.size() != 1)
        throw ESkinFolderError(folder + " must hold one description (.ini), it holds " + std::to_string(descriptions.size()));
    if (bitmaps.size() + 1 > static_cast<std::size_t>(TSkinReader::MaxEntries))
        throw ESkinFolderError(folder + " holds more entries than a package takes");
    std::sort(bitmaps.begin(), bitmaps.end());

    std::vector<TSkinEntry> entries;
    entries.push_back({descriptions[0].filename().string(), ReadBytes(descriptions[0])});
    for (const fs::path& path : bitmaps) {
        TSkinEntry entry{path.filename().string(), ReadBytes(path)};
        CheckBitmap(path, entry.Bytes);
        entries.push_back(std::move(entry));
    }
    for (const TSkinEntry& entry : entries) CheckName(entry.Name);
    return entries;
}
