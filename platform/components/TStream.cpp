#include "components/TStream.h"

#include <algorithm>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"

const TClassInfo& TStream::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStream>("TStream").Build();
    return info;
}

int64_t TStream::Size() {
    const int64_t here = Position();
    const int64_t size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(here);
    return size;
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0 || Read(buffer, count) != count) throw EStreamError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count < 0 || Write(buffer, count) != count) throw EStreamError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    char chunk[8192];
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, sizeof chunk);
        source.ReadBuffer(chunk, n);
        WriteBuffer(chunk, n);
        left -= n;
    }
    return count;
}
