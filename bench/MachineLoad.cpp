#include "MachineLoad.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

std::string ReadHostFile(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[16384];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

void MachineLoad::begin() { start_ = cpuTicks(); }

void MachineLoad::end() {
    end_ = cpuTicks();
    loadAverage_ = std::atof(ReadHostFile("Z:\\proc\\loadavg").c_str());
}

double MachineLoad::busyPercent() const {
    const double total = static_cast<double>(end_.total - start_.total);
    return total > 0 ? 100.0 * (1.0 - static_cast<double>(end_.idle - start_.idle) / total) : 0;
}

std::string MachineLoad::describe() const {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char text[96];
    std::snprintf(text, sizeof text, "CPUs busy %.0f%% of %lu, load %.2f", busyPercent(),
                  static_cast<unsigned long>(system.dwNumberOfProcessors), loadAverage_);
    return text;
}

// The first line of /proc/stat: time spent by all processors in each state; idle and iowait are idle.
MachineLoad::CpuTicks MachineLoad::cpuTicks() {
    CpuTicks ticks;
    unsigned long long v[8] = {};
    if (std::sscanf(ReadHostFile("Z:\\proc\\stat").c_str(), "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &v[0], &v[1],
                    &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]) >= 5) {
        for (unsigned long long value : v) ticks.total += value;
        ticks.idle = v[3] + v[4];
    }
    return ticks;
}
