#pragma once
// The data packets a benchmark's fleet sends: printable text that says when and by whom each was
// sent, so that the host's side can tell its latency and check every byte it got (a console logs
// and shows them as they are). "%016llx %02x %04x %08x " (send time in 100-ns ticks of the
// sender's clock, flood, terminal, packet number within the flood), then letters that follow
// from all of these, the length and the position: a byte changed, a packet cut short or lengthened
// shows in the letters.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PayloadStamp {
    std::uint64_t ticks = 0;
    unsigned flood = 0;     // 0-255
    unsigned terminal = 0;  // 0-65535
    std::uint32_t number = 0;
};

// The shortest payload: the stamp and a few letters.
constexpr std::size_t kStampedPayloadMin = 40;

// Fills every byte of the payload (at least kStampedPayloadMin of them).
void WriteStampedPayload(const PayloadStamp& stamp, std::vector<std::uint8_t>& payload);
// False when the bytes are no stamped payload or any byte differs from what it must be.
bool ReadStampedPayload(const std::uint8_t* data, std::size_t length, PayloadStamp& stamp);
