#include "SystemClock.h"

#include <cstdio>

SystemClock::SystemClock() : lastTick_(GetTickCount()) {}

std::uint64_t SystemClock::nowMs() {
    const DWORD tick = GetTickCount();
    elapsed_ += static_cast<DWORD>(tick - lastTick_);
    lastTick_ = tick;
    return elapsed_;
}

std::string SystemClock::timeText() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}
