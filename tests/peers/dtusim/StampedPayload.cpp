#include "StampedPayload.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t kHeadSize = 34;

// A mix of every field and the length (splitmix64's finaliser).
std::uint64_t digest(const PayloadStamp& stamp, std::size_t length) {
    std::uint64_t h = stamp.ticks ^ (std::uint64_t(stamp.flood) << 56) ^ (std::uint64_t(stamp.terminal) << 40) ^
                      (std::uint64_t(stamp.number) << 8) ^ length;
    h = (h ^ (h >> 30)) * 0xbf58476d1ce4e5b9ULL;
    h = (h ^ (h >> 27)) * 0x94d049bb133111ebULL;
    return h ^ (h >> 31);
}

std::uint8_t fillerAt(std::uint64_t digest, std::size_t position) {
    return static_cast<std::uint8_t>('a' + ((digest >> (position % 59)) + position) % 26);
}

bool hexField(const std::uint8_t* data, std::size_t digits, std::uint64_t& value) {
    value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const std::uint8_t c = data[i];
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else return false;
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return data[digits] == ' ';
}

}  // namespace

void WriteStampedPayload(const PayloadStamp& stamp, std::vector<std::uint8_t>& payload) {
    char head[kHeadSize + 1];
    std::snprintf(head, sizeof head, "%016llx %02x %04x %08x ", static_cast<unsigned long long>(stamp.ticks),
                  stamp.flood & 0xFF, stamp.terminal & 0xFFFF, static_cast<unsigned>(stamp.number));
    std::memcpy(payload.data(), head, kHeadSize);
    const std::uint64_t mix = digest(stamp, payload.size());
    for (std::size_t i = kHeadSize; i < payload.size(); ++i) payload[i] = fillerAt(mix, i);
}

bool ReadStampedPayload(const std::uint8_t* data, std::size_t length, PayloadStamp& stamp) {
    if (length < kStampedPayloadMin) return false;
    std::uint64_t ticks, flood, terminal, number;
    if (!hexField(data, 16, ticks) || !hexField(data + 17, 2, flood) || !hexField(data + 20, 4, terminal) ||
        !hexField(data + 25, 8, number))
        return false;
    PayloadStamp read;
    read.ticks = ticks;
    read.flood = static_cast<unsigned>(flood);
    read.terminal = static_cast<unsigned>(terminal);
    read.number = static_cast<std::uint32_t>(number);
    const std::uint64_t mix = digest(read, length);
    for (std::size_t i = kHeadSize; i < length; ++i)
        if (data[i] != fillerAt(mix, i)) return false;
    stamp = read;
    return true;
}
