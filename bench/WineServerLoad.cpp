#include "WineServerLoad.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "MachineLoad.h"

namespace {

constexpr double kTicksPerSecond = 100;  // Linux reports /proc times in these

long long nowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart * 1000 / frequency.QuadPart;
}

}  // namespace

void WineServerLoad::begin() {
    if (stat_.empty()) stat_ = findServerStat();
    startTicks_ = ticks();
    startTime_ = nowMs();
}

void WineServerLoad::end() {
    endTicks_ = ticks();
    endTime_ = nowMs();
}

double WineServerLoad::coreShare() const {
    const double seconds = static_cast<double>(endTime_ - startTime_) / 1000.0;
    return seconds > 0 ? static_cast<double>(endTicks_ - startTicks_) / kTicksPerSecond / seconds : 0;
}

std::string WineServerLoad::describe(std::uint64_t events) const {
    if (stat_.empty()) return "wine server not found";
    const double cpuSeconds = static_cast<double>(endTicks_ - startTicks_) / kTicksPerSecond;
    char text[96];
    std::snprintf(text, sizeof text, "wine server %.0f%% of a core, %.0f us per event", 100.0 * coreShare(),
                  events ? 1e6 * cpuSeconds / static_cast<double>(events) : 0.0);
    return text;
}

std::string WineServerLoad::findServerStat() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix) return std::string();
    const std::string wanted = std::string("WINEPREFIX=") + prefix + '\0';
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return std::string();
    std::string stat;
    do {
        if (!std::isdigit(static_cast<unsigned char>(found.cFileName[0]))) continue;
        const std::string dir = std::string("Z:\\proc\\") + found.cFileName;
        if (ReadHostFile(dir + "\\comm").compare(0, 10, "wineserver") != 0) continue;
        if ((ReadHostFile(dir + "\\environ") + '\0').find(wanted) == std::string::npos) continue;
        stat = dir + "\\stat";
    } while (stat.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return stat;
}

// User and system time: the 14th and 15th fields, counted after the name in parentheses.
unsigned long long WineServerLoad::ticks() const {
    if (stat_.empty()) return 0;
    const std::string text = ReadHostFile(stat_);
    const std::size_t end = text.rfind(')');
    if (end == std::string::npos) return 0;
    unsigned long long user = 0, system = 0;
    std::sscanf(text.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system);
    return user + system;
}
