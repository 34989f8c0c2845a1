#include "SkinRead.h"

#include <string>
#include <utility>

#include "WinConvert.h"
#include "components/SysUtils.h"

const char* const TSkinReader::OlderSkinText = "This is Older Skin File\rPlease update to new version !";

namespace {

std::int32_t ReadInt32(TMemoryStream& stream) {
    std::uint8_t bytes[4] = {};
    stream.ReadBuffer(bytes, sizeof bytes);
    const std::uint32_t value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

// Lines as a string list's text splits them: a break is CR LF, a lone CR or a lone LF, and a
// final break adds no line.
std::int64_t CountLines(const std::string& text) {
    std::int64_t lines = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ++lines;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return start < text.size() ? lines + 1 : lines;
}

}  // namespace

TSkinReader::TSkinReader(TNoticeProc olderSkinNotice) : FOlderSkinNotice(std::move(olderSkinNotice)) {}

bool TSkinReader::LoadFromStream(TMemoryStream& source) {
    Reset();
    TMemoryStream unpacked;
    if (!Decompress(source, unpacked)) return false;
    return ReadIndex(unpacked);
}

bool TSkinReader::Decompress(TMemoryStream& source, TMemoryStream& target) {
    source.SetPosition(0);
    target.Clear();
    if (source.Size() < 4) return true;
    const std::uint32_t length = static_cast<std::uint32_t>(ReadInt32(source));
    if (length > MaxUnpackedLength) return false;

    const TLzhReadProc read = [&source](void* buffer, int count, int& actual) {
        actual = static_cast<int>(source.Read(buffer, count));
    };
    const TLzhWriteProc write = [&target](const void* buffer, int count, int& actual) {
        actual = static_cast<int>(target.Write(buffer, count));
    };
    TLZH().LzhDecode(static_cast<int>(length), write, read);
    // The last copy may run past the length; what lies beyond is not part of the package.
    target.SetSize(length);
    target.SetPosition(0);
    return true;
}

bool TSkinReader::ReadIndex(TMemoryStream& unpacked) {
    Reset();
    const std::int64_t length = unpacked.Size();
    unpacked.SetPosition(0);
    if (length < HeaderSize) return RefuseOlderSkin();
    FHeader.Magic = ReadInt32(unpacked);
    FHeader.NamesLength = ReadInt32(unpacked);
    FHeader.Reserved1 = ReadInt32(unpacked);
    FHeader.Reserved2 = ReadInt32(unpacked);
    if (FHeader.Magic != PackageMagic) return RefuseOlderSkin();

    const std::int64_t namesLength = FHeader.NamesLength;
    if (namesLength < 0 || namesLength > length - HeaderSize) return false;
    std::string names(static_cast<std::size_t>(namesLength), '\0');
    unpacked.ReadBuffer(names.data(), namesLength);
    // Counted before the names are listed, so that a text of line breaks costs no memory.
    if (CountLines(names) > MaxEntries) return false;
    FNames.SetText(LowerCase(names));
    const std::int64_t count = FNames.Count();

    const std::int64_t dataStart = HeaderSize + namesLength + 4 * count;
    if (dataStart > length || !ReadSizes(unpacked, length - dataStart)) {
        Reset();
        return false;
    }
    if (length > dataStart) FData.CopyFrom(unpacked, length - dataStart);
    FData.SetPosition(0);
    FCount = static_cast<int>(count);
    return true;
}

// Every size must be 0 or more, and the entries together must lie inside the entry bytes.
bool TSkinReader::ReadSizes(TMemoryStream& unpacked, std::int64_t dataLength) {
    std::int64_t total = 0;
    for (int i = 0; i < FNames.Count(); ++i) {
        FSizes[static_cast<std::size_t>(i)] = ReadInt32(unpacked);
        total += FSizes[static_cast<std::size_t>(i)];
        if (FSizes[static_cast<std::size_t>(i)] < 0 || total > dataLength) return false;
    }
    return true;
}

bool TSkinReader::RefuseOlderSkin() {
    Reset();
    if (FOlderSkinNotice) FOlderSkinNotice(OlderSkinText);
    return false;
}

void TSkinReader::Reset() {
    FNames.Clear();
    FCount = 0;
    FSizes.fill(0);
    FData.Clear();
    FHeader = THeader();
}

void TSkinReader::ExtractFile(const std::string& name, TMemoryStream& target) const {
    target.Clear();
    const std::string wanted = LowerCase(name);
    std::int64_t offset = 0;
    for (int i = 0; i < FCount; ++i) {
        if (FNames.Get(i) == wanted) {
            WriteEntry(i, offset, target);
            return;
        }
        offset += FSizes[static_cast<std::size_t>(i)];
    }
}

void TSkinReader::ExtractFirstMatch(const std::string& text, TMemoryStream& target, std::string& entryName) const {
    target.Clear();
    if (text.empty()) return;  // an empty text is contained in no name
    std::int64_t offset = 0;
    for (int i = 0; i < FCount; ++i) {
        const std::string name = FNames.Get(i);
        if (name.find(text) != std::string::npos) {
            WriteEntry(i, offset, target);
            entryName = name;
            return;
        }
        offset += FSizes[static_cast<std::size_t>(i)];
    }
}

void TSkinReader::WriteEntry(int index, std::int64_t offset, TMemoryStream& target) const {
    const std::int32_t size = FSizes[static_cast<std::size_t>(index)];
    if (size > 0) target.WriteBuffer(FData.Memory() + offset, size);
    target.SetPosition(0);
}
