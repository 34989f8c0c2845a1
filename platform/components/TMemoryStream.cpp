#include "components/TMemoryStream.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"

const TClassInfo& TMemoryStream::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMemoryStream>("TMemoryStream").Build();
    return info;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t size = static_cast<int64_t>(FData.size());
    if (count <= 0 || FPosition >= size) return 0;
    const int64_t n = std::min(count, size - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > static_cast<int64_t>(FData.size())) FData.resize(static_cast<size_t>(end));
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = FPosition;
    else if (origin == TSeekOrigin::soEnd) base = static_cast<int64_t>(FData.size());
    // Positions past the end are allowed (a write there grows the stream); before the start not.
    FPosition = std::max<int64_t>(0, base + offset);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t size) {
    FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
    FPosition = std::min<int64_t>(FPosition, static_cast<int64_t>(FData.size()));
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t size = source.Size();
    FData.resize(static_cast<size_t>(size));
    if (size > 0) source.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) {
    if (!FData.empty()) dest.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw EStreamError("Cannot open file \"" + fileName + "\"");
    FData.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    FPosition = 0;
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    if (!file) throw EStreamError("Cannot create file \"" + fileName + "\"");
    file.write(reinterpret_cast<const char*>(FData.data()), static_cast<std::streamsize>(FData.size()));
    if (!file) throw EStreamError("Cannot write file \"" + fileName + "\"");
}
