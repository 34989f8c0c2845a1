// The console under load, as a user runs it: Sablink.exe in a folder of its own, logging on (写日志)
// and its display on, 2,048 terminals logged in from the simulator built for the host (outside
// Wine, as a real fleet is), then floods at rising rates over UDP and over TCP. For each flood it
// prints what was sent, what the console logged (every record checked byte for byte against what
// the terminal sent and what the log format makes of it) and so what was lost, the time from a
// terminal's send to its record in the log, how long after the flood's end the logs and the event
// counter caught up, and how long the window took to answer a real mouse click made every so
// often throughout; beside every figure, how busy the machine, the wine server and the console
// were. Then the knee: the highest rate with nothing lost, and the highest that also caught up
// within 2 s and answered every click within 250 ms.
//   consolebench [--terminals N] [--rates R1,R2,...] [--seconds S] [--size BYTES] [--protocols udp,tcp]
//                [--reply] [--refine STEPS] [--click-every MS] [--console FOLDER] [--fleet PATH]
// --reply ticks 应答？ as well: the console then acknowledges every packet, and the terminals time
// the acknowledgements. --console takes Sablink.exe and verrin.dll from another folder (another
// build), by default this program's own.
#include <winsock2.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ClickProbe.h"
#include "ConsoleProcess.h"
#include "LogWatcher.h"
#include "KneeSearch.h"
#include "MachineLoad.h"
#include "NativeFleet.h"
#include "StampedPayload.h"
#include "TestSupport.h"
#include "WineServerLoad.h"

namespace {

constexpr std::uint64_t kFirstId = 13800000000ULL;  // the fleet's first terminal id
constexpr double kCatchUpTargetS = 2.0;
constexpr double kClickTargetMs = 250.0;
constexpr DWORD kCatchUpLimitMs = 60000;

struct Options {
    int terminals = 2048;
    std::vector<double> rates{2000, 5000, 8000, 10000, 12000};
    DWORD seconds = 10;
    int size = 64;
    std::vector<std::string> protocols{"udp", "tcp"};
    bool reply = false;
    int refine = 1;
    DWORD clickEveryMs = 200;
    std::string console;
    std::string fleet;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

double secondsBetween(std::uint64_t fromTicks, std::uint64_t toTicks) {
    return toTicks > fromTicks ? static_cast<double>(toTicks - fromTicks) / 1e7 : 0;
}

std::string programFolder() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file = path;
    return file.substr(0, file.find_last_of('\\'));
}

void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct FloodResult {
    double rate = 0;
    std::uint64_t sent = 0;
    std::uint64_t logged = 0;
    double caughtUpS = 0;
    double slowestClickMs = 0;
    int unanswered = 0;
    std::uint64_t lost() const { return sent > logged ? sent - logged : 0; }
    bool withinTargets() const {
        return lost() == 0 && caughtUpS <= kCatchUpTargetS && slowestClickMs <= kClickTargetMs && unanswered == 0;
    }
};

class ProtocolBench {
public:
    ProtocolBench(NativeFleet& fleet, const Options& options, bool tcp)
        : fleet_(fleet), o_(options), tcp_(tcp), name_(tcp ? "TCP" : "UDP"),
          runFolder_(TempPath("consolebench-" + std::to_string(GetCurrentProcessId()) + (tcp ? "-tcp" : "-udp"))) {}
    ~ProtocolBench() {
        console_.close();
        watcher_.reset();
        removeFolder(runFolder_);
    }

    bool run() {
        if (!ConsolePortFree(tcp_)) {
            std::printf("%s: port 5002, where the console serves, is taken\n", name_);
            return false;
        }
        if (!console_.start(o_.console, runFolder_, tcp_) || !tick("写日志") || (o_.reply && !tick("应答？"))) return false;
        clickBox_ = console_.child("TCheckBox", "16进制显示接收数据");
        watcher_ = std::make_unique<LogWatcher>(
            runFolder_, [this](std::uint64_t ticks) { return fleet_.ageMs(ticks); },
            [](unsigned terminal) { return std::to_string(kFirstId + terminal); });
        if (!logIn()) return false;
        std::vector<FloodResult> results;
        for (double rate : o_.rates) {
            results.push_back(flood(rate));
            if (results.back().lost() > 0) break;
        }
        refineKnee(results);
        fleet_.order("logout");
        return true;
    }

private:
    bool tick(const std::string& caption) {
        HWND box = console_.child("TCheckBox", caption);
        if (!box) return false;
        if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED) console_.click(box);
        return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    bool logIn() {
        const std::uint64_t start = NowTicks();
        const std::string logged = fleet_.order("login " + std::string(tcp_ ? "tcp" : "udp") + " 127.0.0.1 5002 " +
                                                std::to_string(o_.terminals) + " " + std::to_string(o_.size));
        const std::uint64_t answered = NowTicks();
        const DWORD deadline = GetTickCount() + 120000;
        while (console_.listedTerminals() < o_.terminals && GetTickCount() < deadline) Sleep(50);
        std::printf("%s: %s of %d terminals in %.1f s; %d listed %.2f s after the last login\n", name_, logged.c_str(),
                    o_.terminals, secondsBetween(start, answered), console_.listedTerminals(),
                    secondsBetween(answered, NowTicks()));
        return logged.compare(0, 7, "logged ") == 0;
    }

    FloodResult flood(double rate) {
        fleet_.calibrate();
        const unsigned number = ++floods_ & 0xFF;
        watcher_->expect(number);
        MachineLoad load;
        WineServerLoad server;
        load.begin();
        server.begin();
        const double consoleBefore = console_.cpuSeconds();
        const std::uint64_t started = NowTicks();
        auto clicks = std::make_unique<ClickProbe>(clickBox_, o_.clickEveryMs);
        fleet_.orderLater("flood " + std::to_string(number) + " " + std::to_string(rate) + " " +
                          std::to_string(o_.seconds * 1000));
        while (!fleet_.answered()) Sleep(20);
        const std::string flooded = fleet_.answer();
        const std::uint64_t floodEnd = NowTicks();
        FloodResult result;
        result.rate = rate;
        result.sent = std::strtoull(flooded.c_str() + (flooded.size() > 8 ? 8 : flooded.size()), nullptr, 10);
        counted_ += result.sent;

        // Caught up: every packet logged, and the counter beside the lights shows them all.
        std::uint64_t displayed = 0;
        LogWatcher::Tally tally;
        std::uint64_t lastProgress = NowTicks();
        std::uint64_t progress = 0;
        load.end();
        server.end();
        double consoleAfter = console_.cpuSeconds();
        std::uint64_t measuredUntil = NowTicks();
        for (;;) {
            tally = watcher_->tally();
            if (!displayed && console_.eventCount() >= static_cast<long>(counted_)) displayed = NowTicks();
            if (tally.logged >= result.sent && displayed) break;
            if (tally.logged != progress) {
                progress = tally.logged;
                lastProgress = NowTicks();
                // The loads are those of the flood and its catching up: the wait for packets that
                // never come (lost ones) would thin them out.
                load.end();
                server.end();
                consoleAfter = console_.cpuSeconds();
                measuredUntil = lastProgress;
            }
            if (secondsBetween(lastProgress, NowTicks()) * 1000 > 10000 || secondsBetween(floodEnd, NowTicks()) * 1000 > kCatchUpLimitMs)
                break;
            Sleep(20);
        }
        const ClickProbe::Answers answers = clicks->stop();
        if (tally.logged >= result.sent) {
            load.end();
            server.end();
            consoleAfter = console_.cpuSeconds();
            measuredUntil = NowTicks();
        }
        const double consoleShare = (consoleAfter - consoleBefore) / secondsBetween(started, measuredUntil);

        result.logged = tally.logged;
        const double logsS = tally.lastSeenTicks ? secondsBetween(floodEnd, static_cast<std::uint64_t>(tally.lastSeenTicks)) : 0;
        const double displayS = displayed ? secondsBetween(floodEnd, displayed) : -1;
        result.caughtUpS = displayS < 0 ? 1e9 : std::max(logsS, displayS);
        result.slowestClickMs = percentile(answers.ms, 1.0);
        result.unanswered = answers.unanswered;
        std::printf("%s %6.0f/s, %lu s: sent %llu, logged %llu byte for byte, lost %llu (%llu records wrong, %llu twice, "
                    "%llu late); send -> logged p50 %.1f, p99 %.1f, max %.1f ms\n",
                    name_, rate, static_cast<unsigned long>(o_.seconds), static_cast<unsigned long long>(result.sent),
                    static_cast<unsigned long long>(result.logged), static_cast<unsigned long long>(result.lost()),
                    static_cast<unsigned long long>(tally.corrupt), static_cast<unsigned long long>(tally.twice),
                    static_cast<unsigned long long>(tally.stray), percentile(tally.ageMs, 0.5),
                    percentile(tally.ageMs, 0.99), percentile(tally.ageMs, 1.0));
        if (displayS < 0)
            std::printf("           caught up: logs %.2f s after the flood, the counter never showed every packet\n", logsS);
        else
            std::printf("           caught up %.2f s after the flood (logs %.2f s, counter %.2f s)\n", result.caughtUpS, logsS,
                        displayS);
        std::printf("           clicks answered: %zu, p50 %.0f, p99 %.0f, max %.0f ms; %d unanswered within 5 s\n",
                    answers.ms.size(), percentile(answers.ms, 0.5), percentile(answers.ms, 0.99), result.slowestClickMs,
                    answers.unanswered);
        std::printf("           [%s; %s; console %.0f%% of a core]\n", load.describe().c_str(),
                    server.describe(result.logged).c_str(), 100.0 * consoleShare);
        if (o_.reply) std::printf("           acknowledgements back at the terminals: %s\n", fleet_.order("acks").c_str());
        return result;
    }

    void refineKnee(std::vector<FloodResult>& results) {
        const KneeBracket bracket = RefineKnee(results, o_.refine, [this](double rate) { return flood(rate); });
        const double good = bracket.good;
        const double bad = bracket.bad;
        double withinTargets = 0;
        for (const FloodResult& r : results)
            if (r.withinTargets()) withinTargets = std::max(withinTargets, r.rate);
        if (bad == 0)
            std::printf("%s knee: above %.0f frames/s (no rate tried lost anything)", name_, good);
        else
            std::printf("%s knee: %.0f frames/s, the highest rate with nothing lost (%.0f/s lost some)", name_, good, bad);
        std::printf("; %.0f/s the highest also caught up within %.0f s and answering clicks within %.0f ms; %d terminals\n",
                    withinTargets, kCatchUpTargetS, kClickTargetMs, o_.terminals);
    }

    NativeFleet& fleet_;
    const Options& o_;
    bool tcp_;
    const char* name_;
    std::string runFolder_;
    ConsoleProcess console_;
    std::unique_ptr<LogWatcher> watcher_;
    HWND clickBox_ = nullptr;
    unsigned floods_ = 0;
    std::uint64_t counted_ = 0;  // packets sent since the service started: what the counter shows
};

std::vector<std::string> split(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ','))
        if (!item.empty()) items.push_back(item);
    return items;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reply") o.reply = true;
        else if (i + 1 == argc) return false;
        else if (arg == "--terminals") o.terminals = std::atoi(argv[++i]);
        else if (arg == "--rates") {
            o.rates.clear();
            for (const std::string& rate : split(argv[++i]))
                if (std::atof(rate.c_str()) > 0) o.rates.push_back(std::atof(rate.c_str()));
            std::sort(o.rates.begin(), o.rates.end());
        } else if (arg == "--seconds") o.seconds = static_cast<DWORD>(std::max(1, std::atoi(argv[++i])));
        else if (arg == "--size") o.size = std::atoi(argv[++i]);
        else if (arg == "--protocols") o.protocols = split(argv[++i]);
        else if (arg == "--refine") o.refine = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--click-every") o.clickEveryMs = static_cast<DWORD>(std::max(20, std::atoi(argv[++i])));
        else if (arg == "--console") o.console = argv[++i];
        else if (arg == "--fleet") o.fleet = argv[++i];
        else return false;
    }
    for (const std::string& protocol : o.protocols)
        if (protocol != "udp" && protocol != "tcp") return false;
    return !o.rates.empty() && o.terminals >= 1 && o.terminals <= 2048 && o.size >= static_cast<int>(kStampedPayloadMin) && o.size <= 960;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: consolebench [--terminals N] [--rates R1,R2,...] [--seconds S] [--size BYTES]\n"
                     "                    [--protocols udp,tcp] [--reply] [--refine STEPS] [--click-every MS]\n"
                     "                    [--console FOLDER] [--fleet PATH]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (o.console.empty()) o.console = programFolder();
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    NativeFleet fleet;
    if (!fleet.start(o.fleet.empty() ? NativeFleet::defaultProgram() : o.fleet) || !fleet.calibrate()) return 1;
    std::printf("consolebench: the console from %s, %d terminals, logging on%s, display on, %lu-s floods, a click every %lu ms\n",
                o.console.c_str(), o.terminals, o.reply ? ", acknowledging on" : "", static_cast<unsigned long>(o.seconds),
                static_cast<unsigned long>(o.clickEveryMs));
    bool ok = true;
    for (const std::string& protocol : o.protocols) ok = ProtocolBench(fleet, o, protocol == "tcp").run() && ok;
    return ok ? 0 : 1;
}
