#pragma once
#include <cstdarg>
#include <cstdio>

// Writes a status or reply text into the caller's 256-byte buffer, cut to fit and always
// NUL-terminated; a null buffer is allowed.
inline void writeStatus(char* buffer, const char* format, ...) {
    if (!buffer) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, 256, format, args);
    va_end(args);
}
