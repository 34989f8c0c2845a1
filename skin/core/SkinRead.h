#pragma once
// The skin package: a 32-bit unpacked length and an LZHUF stream; unpacked, a 16-byte header
// (magic 20000, the names' length, two unused values), the entry names one per line, a 32-bit
// size per entry and the entries' bytes in the order of the names. TSkinReader unpacks a package
// once and hands its entries out by name.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "components/TMemoryStream.h"
#include "components/TStringList.h"

class TSkinReader {
public:
    static constexpr std::int32_t PackageMagic = 20000;
    static constexpr int HeaderSize = 16;
    static constexpr int MaxEntries = 1000;
    // Skins unpack to well under a megabyte; a package that claims more than this is damaged or
    // hostile, and unpacking it would only fill memory.
    static constexpr std::int64_t MaxUnpackedLength = 32 * 1024 * 1024;
    // What the user is told when a package has another magic: it comes from an older packer.
    static const char* const OlderSkinText;

    using TNoticeProc = std::function<void(const std::string& text)>;

    // The notice shows OlderSkinText to the user; without one the text is not shown.
    explicit TSkinReader(TNoticeProc olderSkinNotice = {});

    // Unpacks and indexes the package. False, with no entries, when its magic is not ours
    // (after the notice), when it claims more than MaxUnpackedLength, or when its index does
    // not fit its own bytes.
    bool LoadFromStream(TMemoryStream& source);
    // The first 4 bytes of the source are the unpacked length, the rest is decoded into the
    // target; both start at position 0. False, with the target empty, when the length is over
    // the ceiling. A source shorter than 4 bytes unpacks to nothing.
    static bool Decompress(TMemoryStream& source, TMemoryStream& target);
    // Indexes the unpacked package: false, with no entries, when it is not a package of ours or
    // its index does not fit its bytes. Only a wrong magic calls the notice.
    bool ReadIndex(TMemoryStream& unpacked);

    // The entry of that name, matched after lower-casing it; the target is left empty when
    // there is none, otherwise it holds the entry at position 0.
    void ExtractFile(const std::string& name, TMemoryStream& target) const;
    // The first entry whose name contains the text (case-sensitive, the names being lower
    // case), with its name; the target empty and the name untouched when none does.
    void ExtractFirstMatch(const std::string& text, TMemoryStream& target, std::string& entryName) const;

    int Count() const { return FCount; }
    const TStringList& Names() const { return FNames; }
    std::int32_t Size(int index) const { return FSizes.at(static_cast<std::size_t>(index)); }

private:
    struct THeader {
        std::int32_t Magic = 0;
        std::int32_t NamesLength = 0;
        std::int32_t Reserved1 = 0;
        std::int32_t Reserved2 = 0;
    };

    void Reset();
    bool RefuseOlderSkin();
    bool ReadSizes(TMemoryStream& unpacked, std::int64_t dataLength);
    void WriteEntry(int index, std::int64_t offset, TMemoryStream& target) const;

    TNoticeProc FOlderSkinNotice;
    TStringList FNames;
    int FCount = 0;
    std::array<std::int32_t, MaxEntries> FSizes{};
    TMemoryStream FData;
    THeader FHeader;
};
