// skinvariants: from a skin folder, writes the variants of its package that the tests load: one
// good alternative and packages damaged in the ways a skin file can be damaged.
//
//     skinvariants <skin folder> <output folder>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "SkinFolder.h"
#include "SkinPackage.h"

namespace {

using TBytes = std::vector<std::uint8_t>;

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

TSkinEntry& Entry(std::vector<TSkinEntry>& entries, const std::string& name) {
    for (TSkinEntry& entry : entries)
        if (SameName(entry.Name, name)) return entry;
    throw ESkinFolderError("the skin has no entry " + name);
}

TSkinEntry& Description(std::vector<TSkinEntry>& entries) { return entries.front(); }

std::string Text(const TBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }
TBytes Bytes(const std::string& text) { return TBytes(text.begin(), text.end()); }

std::string KeyOf(const std::string& line) {
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

// The description with the key set (or, with an empty value, removed) in the section.
std::string EditIni(const std::string& ini, const std::string& section, const std::string& key, const std::string& value) {
    std::vector<std::string> lines;
    std::istringstream in(ini);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    const auto header = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return SameName(l, "[" + section + "]"); });
    if (header == lines.end()) throw ESkinFolderError("the description has no section " + section);
    auto line = header + 1;
    while (line != lines.end() && !line->empty() && line->front() != '[' && !SameName(KeyOf(*line), key)) ++line;
    const bool found = line != lines.end() && !line->empty() && line->front() != '[';
    if (value.empty()) {
        if (found) lines.erase(line);
    } else if (found) {
        *line = key + "=" + value;
    } else {
        lines.insert(header + 1, key + "=" + value);
    }
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

void SetInt32(TBytes& bytes, std::size_t at, std::int32_t value) {
    TBytes encoded;
    AppendInt32(encoded, value);
    std::copy(encoded.begin(), encoded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

void Write(const std::filesystem::path& folder, const std::string& name, const TBytes& bytes) {
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw ESkinFolderError("cannot write " + (folder / name).string());
}

TBytes Pack(const std::vector<TSkinEntry>& entries) { return PackPackage(BuildPackageImage(entries)); }

// Check and radio marks of 4 frames, their counts left to the loader.
TBytes ShortMarks(std::vector<TSkinEntry> entries) {
    std::string ini = Text(Description(entries).Bytes);
    ini = EditIni(ini, "Buttons", "CheckButton", "check4.bmp");
    ini = EditIni(ini, "Buttons", "RadioButton", "radio4.bmp");
    ini = EditIni(ini, "Buttons", "CheckButtonFrame", "");
    ini = EditIni(ini, "Buttons", "RadioButtonFrame", "");
    Description(entries).Bytes = Bytes(ini);
    return Pack(entries);
}

// The first entry's size runs past the entry bytes.
TBytes BadIndex(const std::vector<TSkinEntry>& entries) {
    TBytes image = BuildPackageImage(entries);
    const std::int32_t namesLength = image[4] | image[5] << 8 | image[6] << 16 | image[7] << 24;
    SetInt32(image, 16 + static_cast<std::size_t>(namesLength), static_cast<std::int32_t>(image.size()));
    return PackPackage(image);
}

TBytes ManyEntries() {
    std::vector<TSkinEntry> entries;
    for (int i = 0; i <= 1000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "e%04d.bmp", i);
        entries.push_back({name, {'B', 'M'}});
    }
    return Pack(entries);
}

// A bitmap whose header claims sizes no bitmap has, one cut short and one that is text.
TBytes BadBitmaps(std::vector<TSkinEntry> entries) {
    TBytes impossible = {'B', 'M'};
    AppendInt32(impossible, 54);
    AppendInt32(impossible, 0);
    AppendInt32(impossible, 54);
    AppendInt32(impossible, 40);
    AppendInt32(impossible, 0x7FFFFFFF);  // width
    AppendInt32(impossible, -0x7FFFFFFF); // height, top-down
    AppendInt32(impossible, 24 << 16 | 1);  // planes 1, 24 bits
    for (int i = 0; i < 6; ++i) AppendInt32(impossible, 0);
    Entry(entries, "buttons.bmp").Bytes = impossible;
    TBytes& check = Entry(entries, "check.bmp").Bytes;
    check.resize(30);
    Entry(entries, "radio.bmp").Bytes = Bytes("not a bitmap\r\n");
    return Pack(entries);
}

TBytes ZeroFrames(std::vector<TSkinEntry> entries) {
    std::string ini = Text(Description(entries).Bytes);
    ini = EditIni(ini, "Personality", "LeftFrame", "0");
    ini = EditIni(ini, "Personality", "TopFrame", "-2");
    ini = EditIni(ini, "Headerbar", "Frame", "-3");
    ini = EditIni(ini, "Progress.Chunk", "Frame", "0");
    ini = EditIni(ini, "Track", "Frame", "0");
    ini = EditIni(ini, "TRACKVERT", "Frame", "-1");
    ini = EditIni(ini, "HorzScrollThumb", "FrameCount", "0");
    ini = EditIni(ini, "Button1", "frame", "-1");
    Description(entries).Bytes = Bytes(ini);
    return Pack(entries);
}

std::int32_t Int32At(const TBytes& bytes, std::size_t at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                                     static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                                     static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// The unpacked package with one of its 32-bit fields changed: the names' length (at 4) or the
// size of entry i (at 16 + names' length + 4 i).
TBytes WithField(TBytes image, std::size_t at, std::int32_t value) {
    SetInt32(image, at, value);
    return PackPackage(image);
}

std::size_t SizeField(const TBytes& image, int entry) {
    return 16 + static_cast<std::size_t>(Int32At(image, 4)) + 4 * static_cast<std::size_t>(entry);
}

// Three entry sizes whose 32-bit sum wraps to 0: offsets added up in 32 bits would point back
// into the first entries.
TBytes WrappingSizes(const std::vector<TSkinEntry>& entries) {
    TBytes image = BuildPackageImage(entries);
    SetInt32(image, SizeField(image, 0), 0x7FFFFFFF);
    SetInt32(image, SizeField(image, 1), 0x7FFFFFFF);
    SetInt32(image, SizeField(image, 2), 2);
    return PackPackage(image);
}

// As many entries as a package takes: the skin's own, then small ones nobody asks for.
TBytes ThousandEntries(std::vector<TSkinEntry> entries) {
    for (int i = 0; entries.size() < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "pad%04d.txt", i);
        entries.push_back({name, {'p', 'a', 'd'}});
    }
    return Pack(entries);
}

// A 1-bit bitmap file of the size, every pixel 0.
TBytes OneBitBitmap(int width, int height) {
    const std::size_t rowSize = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
    const std::size_t pixels = rowSize * static_cast<std::size_t>(height);
    const std::int32_t offset = 14 + 40 + 8;
    TBytes file = {'B', 'M'};
    AppendInt32(file, static_cast<std::int32_t>(offset + pixels));
    AppendInt32(file, 0);
    AppendInt32(file, offset);
    AppendInt32(file, 40);
    AppendInt32(file, width);
    AppendInt32(file, height);
    AppendInt32(file, 1 << 16 | 1);  // planes 1, 1 bit
    for (int i = 0; i < 6; ++i) AppendInt32(file, 0);
    AppendInt32(file, 0);         // black
    AppendInt32(file, 0xFFFFFF);  // white
    file.resize(file.size() + pixels, 0);
    return file;
}

// Pictures at and past the largest size a skin may hold: the push-button strip at 4096 x 4096,
// the title bar 4097 wide, the check marks 4097 high.
TBytes BigPictures(std::vector<TSkinEntry> entries) {
    Entry(entries, "buttons.bmp").Bytes = OneBitBitmap(4096, 4096);
    Entry(entries, "top.bmp").Bytes = OneBitBitmap(4097, 52);
    Entry(entries, "check.bmp").Bytes = OneBitBitmap(16, 4097);
    return Pack(entries);
}

// 20,000 more title buttons after the skin's own, each shown and with a picture.
TBytes ManySections(std::vector<TSkinEntry> entries) {
    std::string ini = Text(Description(entries).Bytes);
    for (int i = 0; i < 20000; ++i)
        ini += "[Button" + std::to_string(1000 + i) + "]\r\nAction=13\r\nAlign=0\r\nXcoord=" + std::to_string(i % 400) +
               "\r\nYcoord=5\r\nVisibility=0\r\nframe=4\r\nButtonImage=btnclose.bmp\r\n";
    Description(entries).Bytes = Bytes(ini);
    return Pack(entries);
}

void WriteVariants(const std::string& skinFolder, const std::filesystem::path& out) {
    const std::vector<TSkinEntry> entries = ReadSkinFolder(skinFolder);
    const TBytes package = Pack(entries);
    std::filesystem::create_directories(out);

    Write(out, "shortmarks.skn", ShortMarks(entries));
    Write(out, "empty.skn", TBytes(4, 0));
    Write(out, "oldmagic.skn", PackPackage(BuildPackageImage(entries, 19000)));
    TBytes huge = package;
    SetInt32(huge, 0, 0x7FFFFFF0);
    Write(out, "hugelength.skn", huge);
    Write(out, "truncated.skn", TBytes(package.begin(), package.begin() + 4 + (package.size() - 4) / 2));
    Write(out, "badindex.skn", BadIndex(entries));
    Write(out, "manyentries.skn", ManyEntries());
    Write(out, "badbitmap.skn", BadBitmaps(entries));
    Write(out, "zeroframes.skn", ZeroFrames(entries));
    Write(out, "noini.skn", Pack(std::vector<TSkinEntry>(entries.begin() + 1, entries.end())));

    TBytes negative = package;
    SetInt32(negative, 0, -16);
    Write(out, "negativelength.skn", negative);
    const TBytes image = BuildPackageImage(entries);
    Write(out, "negativenames.skn", WithField(image, 4, -8));
    Write(out, "longnames.skn", WithField(image, 4, static_cast<std::int32_t>(image.size())));
    Write(out, "negativesize.skn", WithField(image, SizeField(image, 0), -1));
    Write(out, "wrappingsizes.skn", WrappingSizes(entries));
    Write(out, "thousandentries.skn", ThousandEntries(entries));
    Write(out, "bigpictures.skn", BigPictures(entries));
    Write(out, "manysections.skn", ManySections(entries));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: skinvariants <skin folder> <output folder>\n");
        return 2;
    }
    try {
        WriteVariants(argv[1], argv[2]);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinvariants: %s\n", e.what());
        return 1;
    }
}
