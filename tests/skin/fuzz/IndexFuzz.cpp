// Any bytes as an unpacked skin package: the index is read or refused, and every entry it gives
// out lies inside the package. Bytes whose first four claim a small length are also loaded as a
// whole package, stream and all.
#include <cstdint>
#include <cstdlib>

#include "SkinRead.h"

namespace {

void SetBytes(TMemoryStream& stream, const std::uint8_t* data, std::size_t size) {
    stream.Clear();
    if (size > 0) stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
}

void ExtractEverything(const TSkinReader& reader, std::size_t limit) {
    TMemoryStream entry;
    for (int i = 0; i < reader.Count(); ++i) {
        reader.ExtractFile(reader.Names().Get(i), entry);
        if (entry.Size() > static_cast<std::int64_t>(limit)) std::abort();
    }
    std::string name;
    reader.ExtractFirstMatch(".ini", entry, name);
    reader.ExtractFirstMatch("a", entry, name);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    SetBytes(stream, data, size);
    TSkinReader reader;
    if (reader.ReadIndex(stream)) ExtractEverything(reader, size);
    else if (reader.Count() != 0) std::abort();

    if (size >= 4 && (data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24) <= 8 * 1024) {
        SetBytes(stream, data, size);
        if (reader.LoadFromStream(stream)) ExtractEverything(reader, 8 * 1024);
    }
    return 0;
}
