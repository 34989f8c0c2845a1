#include "ServiceSettings.h"

#include <windows.h>

#include <cstdlib>

namespace {

// The variable's value when it is a whole number within [low, high]; otherwise fallback.
unsigned long readNumber(const char* name, unsigned long fallback, unsigned long low, unsigned long high) {
    char text[32];
    const DWORD length = GetEnvironmentVariableA(name, text, sizeof text);
    if (length == 0 || length >= sizeof text) return fallback;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 10);
    if (end == text || *end != '\0' || value < low || value > high) return fallback;
    return value;
}

}  // namespace

verrin::LinkLimits readServiceSettings() {
    verrin::LinkLimits limits;
    limits.idleTimeoutMs = readNumber("VERRIN_IDLE_TIMEOUT_MS", limits.idleTimeoutMs, 100, 86400000);
    limits.slots = readNumber("VERRIN_MAX_TERMINALS", limits.slots, 1, 4000);
    limits.queueLimit = readNumber("VERRIN_QUEUE_LIMIT", limits.queueLimit, 1, 1000000);
    return limits;
}
