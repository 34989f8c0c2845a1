#include "StampedPayload.h"

#include <cstdio>
#include <cstring>

namespace {

std::uint8_t fillerAt(std::uint32_t number, std::size_t position) {
    return static_cast<std::uint8_t>('a' + (number + position) % 26);
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
    char head[kStampedPayloadMin + 1];
    std::snprintf(head, sizeof head, "%016llx %02x %04x %08x ", static_cast<unsigned long long>(stamp.ticks),
                  stamp.flood & 0xFF, stamp.terminal & 0xFFFF, static_cast<unsigned>(stamp.number));
    std::memcpy(payload.data(), head, kStampedPayloadMin);
    for (std::size_t i = kStampedPayloadMin; i < payload.size(); ++i) payload[i] = fillerAt(stamp.number, i);
}

bool ReadStampedPayload(const std::uint8_t* data, std::size_t length, PayloadStamp& stamp) {
    if (length < kStampedPayloadMin) return false;
    std::uint64_t ticks, flood, terminal, number;
    if (!hexField(data, 16, ticks) || !hexField(data + 17, 2, flood) || !hexField(data + 20, 4, terminal) ||
        !hexField(data + 25, 8, number))
        return false;
    for (std::size_t i = kStampedPayloadMin; i < length; ++i)
        if (data[i] != fillerAt(static_cast<std::uint32_t>(number), i)) return false;
    stamp.ticks = ticks;
    stamp.flood = static_cast<unsigned>(flood);
    stamp.terminal = static_cast<unsigned>(terminal);
    stamp.number = static_cast<std::uint32_t>(number);
    return true;
}
