#pragma once
// How busy the machine was over a stretch of a benchmark, as Linux tells it (Wine reads /proc
// through drive Z:): the share of all processors not idle, and the load average. Figures taken
// on a machine that other work keeps busy mean little; this is printed beside every one of them.
#include <string>

class MachineLoad {
public:
    void begin();
    void end();
    // "CPUs busy 45% of 8, load 3.10"
    std::string describe() const;
    double busyPercent() const;

private:
    struct CpuTicks {
        unsigned long long total = 0;
        unsigned long long idle = 0;
    };
    static CpuTicks cpuTicks();

    CpuTicks start_;
    CpuTicks end_;
    double loadAverage_ = 0;
};

// The whole file's bytes, read through drive Z: (empty when it cannot be read).
std::string ReadHostFile(const std::string& path);
