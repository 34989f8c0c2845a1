// Load on the link service: many terminals online, then a steady stream of data events into a
// window that reads one event per message, as the console does. Prints events sent, received and
// lost, the latency from a terminal's send to do_read_proc, and how busy the machine was meanwhile
// (the figures mean little on a machine that other work keeps busy).
//   linkbench [--udp-terminals N] [--tcp-terminals N] [--rate EVENTS_PER_S] [--seconds S]
//             [--stall-ms MS] [--trace]
// --trace shows where the time goes: the service's queue once a second; beside the run, how long
// a byte takes through a loopback socket to a reader waiting for it and how long a posted message
// takes to reach the window, under the same load (what any design pays here before the library
// does anything); and the stretches of the run in which events came late.
// --stall-ms makes the host read nothing for that long in the middle of the run, as a console
// busy elsewhere would: over TCP the terminals are held back and nothing is lost, over UDP what
// the queue cannot take is lost and counted.
#include <winsock2.h>

#include <algorithm>
#include <cctype>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "DtuFleet.h"
#include "TestSupport.h"
#include "verrin.h"

namespace {

constexpr UINT WM_LINKEVENT = 4567;
constexpr UINT WM_PROBE = WM_APP + 1;

struct Run {
    DtuFleetOptions options;
    std::atomic<bool> loggedIn{false};
    std::atomic<bool> loginFailed{false};
    std::atomic<bool> finished{false};
    std::uint64_t sent = 0;
};

// The machine's load as Linux tells it; Wine reads /proc through drive Z:.
class MachineLoad {
public:
    void begin() {
        startLoad_ = loadAverage();
        startTicks_ = cpuTicks();
        samples_ = 0;
        runnableSum_ = 0;
        runnableMax_ = 0;
    }
    // The number of runnable tasks now (this program's own busy threads among them).
    void sample() {
        const std::string text = readProc("Z:\\proc\\loadavg");
        const std::size_t slash = text.find('/');
        if (slash == std::string::npos) return;
        const std::size_t start = text.rfind(' ', slash);
        const int runnable = std::atoi(text.c_str() + (start == std::string::npos ? 0 : start + 1));
        ++samples_;
        runnableSum_ += runnable;
        runnableMax_ = std::max(runnableMax_, runnable);
    }
    void report(const char* name) {
        const CpuTicks end = cpuTicks();
        const double total = static_cast<double>(end.total - startTicks_.total);
        const double busy = total > 0 ? 100.0 * (1.0 - static_cast<double>(end.idle - startTicks_.idle) / total) : 0;
        std::printf("%s: machine load: 1-minute average %.2f before, %.2f after; runnable tasks %.1f on average, "
                    "%d at most; CPUs busy %.0f%% (%lu CPUs)\n",
                    name, startLoad_, loadAverage(), samples_ ? runnableSum_ / samples_ : 0.0, runnableMax_, busy,
                    static_cast<unsigned long>(cpuCount()));
    }

private:
    struct CpuTicks {
        unsigned long long total = 0;
        unsigned long long idle = 0;
    };
    static std::string readProc(const char* path) {
        std::string text;
        if (FILE* file = std::fopen(path, "rb")) {
            char buffer[4096];
            const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, file);
            text.assign(buffer, n);
            std::fclose(file);
        }
        return text;
    }
    static double loadAverage() { return std::atof(readProc("Z:\\proc\\loadavg").c_str()); }
    // The first line of /proc/stat: time spent by all CPUs in each state; idle and iowait are idle.
    static CpuTicks cpuTicks() {
        CpuTicks ticks;
        unsigned long long v[10] = {};
        if (std::sscanf(readProc("Z:\\proc\\stat").c_str(), "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &v[0], &v[1],
                        &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]) >= 5) {
            for (int i = 0; i < 8; ++i) ticks.total += v[i];
            ticks.idle = v[3] + v[4];
        }
        return ticks;
    }
    static DWORD cpuCount() {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        return info.dwNumberOfProcessors;
    }

    double startLoad_ = 0;
    CpuTicks startTicks_;
    int samples_ = 0;
    double runnableSum_ = 0;
    int runnableMax_ = 0;
};

double elapsedMs(LONGLONG from, LONGLONG to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to - from) / static_cast<double>(frequency.QuadPart);
}

LONGLONG performanceNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The processor time of the wine server this program talks to: every socket call, completion and
// posted message of every thread here is a request to that one thread, so its share of a core is
// the first thing to saturate when the machine is busy. Found among the processes as the server
// whose prefix is this program's; nothing is printed outside Wine.
class WineServerLoad {
public:
    void begin() {
        if (stat_.empty()) stat_ = findServerStat();
        startTicks_ = ticks();
        startTime_ = GetTickCount();
    }
    void end() {
        endTicks_ = ticks();
        endTime_ = GetTickCount();
    }
    void report(const char* name, std::uint64_t events) const {
        if (stat_.empty()) return;
        const double seconds = (endTime_ - startTime_) / 1000.0;
        const double cpuSeconds = static_cast<double>(endTicks_ - startTicks_) / kTicksPerSecond;
        std::printf("%s: wine server busy %.0f%% of a core, %.0f us of its time per data event\n", name,
                    seconds > 0 ? 100.0 * cpuSeconds / seconds : 0.0,
                    events ? 1e6 * cpuSeconds / static_cast<double>(events) : 0.0);
    }

private:
    static constexpr double kTicksPerSecond = 100;  // Linux reports /proc times in these

    static std::string readFile(const std::string& path) {
        std::string text;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            char buffer[8192];
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
            std::fclose(file);
        }
        return text;
    }
    static std::string findServerStat() {
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
            if (readFile(dir + "\\comm").compare(0, 10, "wineserver") != 0) continue;
            if ((readFile(dir + "\\environ") + '\0').find(wanted) == std::string::npos) continue;
            stat = dir + "\\stat";
        } while (stat.empty() && FindNextFileA(search, &found));
        FindClose(search);
        return stat;
    }
    // User and system time: the 14th and 15th fields, counted after the name in parentheses.
    unsigned long long ticks() const {
        if (stat_.empty()) return 0;
        const std::string text = readFile(stat_);
        const std::size_t end = text.rfind(')');
        if (end == std::string::npos) return 0;
        unsigned long long user = 0, system = 0;
        std::sscanf(text.c_str() + end + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system);
        return user + system;
    }

    std::string stat_;
    unsigned long long startTicks_ = 0;
    unsigned long long endTicks_ = 0;
    DWORD startTime_ = 0;
    DWORD endTime_ = 0;
};

struct Reader {
    std::uint64_t logins = 0;
    std::uint64_t data = 0;
    std::uint64_t other = 0;
    std::vector<double> latencyMs;
    std::vector<LONGLONG> readAt;  // when each of them was read
    std::vector<double> messageMs;  // the probe's posted messages
};
Reader reader;

// Every 10 ms a stamped byte through a loopback TCP connection (no delay on either side) to a
// thread blocked in recv, and a stamped message posted to the host's window: the two legs of an
// event's way that belong to the system rather than to the library.
class StageProbe {
public:
    bool start(HWND window) {
        window_ = window;
        SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener, 1) != 0 ||
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            closesocket(listener);
            return false;
        }
        sender_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        const bool connected = ::connect(sender_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        receiver_ = connected ? ::accept(listener, nullptr, nullptr) : INVALID_SOCKET;
        closesocket(listener);
        if (receiver_ == INVALID_SOCKET) return false;
        BOOL noDelay = TRUE;
        for (SOCKET s : {sender_, receiver_})
            setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
        stop_ = false;
        threads_[0] = CreateThread(nullptr, 0, &StageProbe::sendMain, this, 0, nullptr);
        threads_[1] = CreateThread(nullptr, 0, &StageProbe::receiveMain, this, 0, nullptr);
        return true;
    }
    void stop() {
        stop_ = true;
        if (threads_[0]) WaitForSingleObject(threads_[0], INFINITE);
        shutdown(sender_, SD_SEND);  // the reader's recv returns
        if (threads_[1]) WaitForSingleObject(threads_[1], INFINITE);
        for (HANDLE& thread : threads_) {
            if (thread) CloseHandle(thread);
            thread = nullptr;
        }
        closesocket(sender_);
        closesocket(receiver_);
    }
    const std::vector<double>& socketMs() const { return socketMs_; }

private:
    static DWORD WINAPI sendMain(LPVOID self) {
        auto& probe = *static_cast<StageProbe*>(self);
        while (!probe.stop_) {
            const LONGLONG now = performanceNow();
            ::send(probe.sender_, reinterpret_cast<const char*>(&now), sizeof now, 0);
            // The low half of the stamp fits any LPARAM; the difference survives a wrap.
            PostMessageA(probe.window_, WM_PROBE, 0, static_cast<LPARAM>(static_cast<std::uint32_t>(performanceNow())));
            Sleep(10);
        }
        return 0;
    }
    static DWORD WINAPI receiveMain(LPVOID self) {
        auto& probe = *static_cast<StageProbe*>(self);
        LONGLONG sentAt;
        char* stamp = reinterpret_cast<char*>(&sentAt);
        int got = 0;
        for (;;) {
            const int n = ::recv(probe.receiver_, stamp + got, static_cast<int>(sizeof sentAt) - got, 0);
            if (n <= 0) return 0;
            got += n;
            if (got < static_cast<int>(sizeof sentAt)) continue;
            probe.socketMs_.push_back(elapsedMs(sentAt, performanceNow()));
            got = 0;
        }
    }

    HWND window_ = nullptr;
    SOCKET sender_ = INVALID_SOCKET;
    SOCKET receiver_ = INVALID_SOCKET;
    HANDLE threads_[2] = {};
    std::atomic<bool> stop_{false};
    std::vector<double> socketMs_;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PROBE) {
        const auto ticks = static_cast<std::uint32_t>(performanceNow()) - static_cast<std::uint32_t>(lParam);
        reader.messageMs.push_back(elapsedMs(0, ticks));
        return 0;
    }
    if (message != WM_LINKEVENT) return DefWindowProcA(window, message, wParam, lParam);
    TUserDataRecord record;
    char aux[1024];
    do_read_proc(&record, aux, 0);
    if (record.Kind == LINK_EVENT_LOGIN) {
        ++reader.logins;
    } else if (record.Kind == LINK_EVENT_DATA && record.DataLength >= sizeof(LONGLONG)) {
        const LONGLONG now = performanceNow();
        LONGLONG sentAt;
        std::memcpy(&sentAt, record.Data, sizeof sentAt);
        reader.latencyMs.push_back(elapsedMs(sentAt, now));
        reader.readAt.push_back(now);
        ++reader.data;
    } else {
        ++reader.other;
    }
    return 0;
}

DWORD WINAPI fleetMain(LPVOID param) {
    Run& run = *static_cast<Run*>(param);
    DtuFleet fleet(run.options);
    if (!fleet.loginAll(60000)) {
        run.loginFailed = true;
        run.finished = true;
        return 0;
    }
    run.loggedIn = true;
    fleet.run([](int, std::vector<std::uint8_t>& payload) {
        const LONGLONG now = performanceNow();
        std::memcpy(payload.data(), &now, sizeof now);
    });
    run.sent = fleet.totals().dataSent;
    Sleep(500);  // let the receiving thread see the last replies before the sockets close
    run.finished = true;
    return 0;
}

// The plain message loop a host runs; a timer lets it look at the condition now and then.
void pumpWhile(HWND window, const std::function<bool()>& busy) {
    SetTimer(window, 1, 20, nullptr);
    MSG message;
    while (busy() && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    KillTimer(window, 1);
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// The stretches of the run in which some event came more than 10 ms late, by 100-ms slots of the
// time it was read: a tail spread thinly over the run and one that builds up and drains look
// alike in a percentile.
void printLateStretches(const char* name) {
    constexpr double kLateMs = 10;
    constexpr double kSlotMs = 100;
    if (reader.readAt.empty()) return;
    std::vector<double> worst;
    for (std::size_t i = 0; i < reader.readAt.size(); ++i) {
        const auto slot = static_cast<std::size_t>(elapsedMs(reader.readAt.front(), reader.readAt[i]) / kSlotMs);
        if (slot >= worst.size()) worst.resize(slot + 1, 0);
        worst[slot] = std::max(worst[slot], reader.latencyMs[i]);
    }
    std::string stretches;
    std::size_t lateSlots = 0;
    for (std::size_t slot = 0; slot < worst.size();) {
        if (worst[slot] <= kLateMs) {
            ++slot;
            continue;
        }
        const std::size_t first = slot;
        double peak = 0;
        for (; slot < worst.size() && worst[slot] > kLateMs; ++slot) peak = std::max(peak, worst[slot]);
        lateSlots += slot - first;
        char text[96];
        std::snprintf(text, sizeof text, "%s%.1f-%.1f s (%.0f ms)", stretches.empty() ? "" : ", ", first / 10.0,
                      slot / 10.0, peak);
        stretches += text;
    }
    std::printf("%s: 100-ms stretches with an event over %.0f ms late: %zu of %zu%s%s\n", name, kLateMs, lateSlots,
                worst.size(), stretches.empty() ? "" : ": ", stretches.c_str());
}

bool bench(HWND window, DtuProtocol protocol, int terminals, double rate, DWORD seconds, DWORD stallMs, bool trace) {
    const bool tcp = protocol == DtuProtocol::Tcp;
    const char* name = tcp ? "TCP" : "UDP";
    reader = Reader();

    Run run;
    run.options.protocol = protocol;
    run.options.port = FreePort(tcp);
    run.options.terminals = terminals;
    run.options.packetsPerSecond = rate;
    run.options.packetSize = 64;
    run.options.durationMs = seconds * 1000;
    run.options.heartbeatMs = 30000;

    char status[256];
    SelectProtocol(tcp ? LINK_PROTOCOL_TCP : LINK_PROTOCOL_UDP);
    if (start_gprs_server(window, WM_LINKEVENT, run.options.port, status) < 0) {
        std::printf("%s: start failed: %s\n", name, status);
        return false;
    }
    HANDLE fleet = CreateThread(nullptr, 0, fleetMain, &run, 0, nullptr);
    pumpWhile(window, [&] { return !run.loggedIn && !run.finished; });
    std::printf("%s: %llu of %d terminals online together\n", name,
                static_cast<unsigned long long>(reader.logins), terminals);
    StageProbe probe;
    const bool probing = trace && probe.start(window);
    MachineLoad load;
    load.begin();
    static WineServerLoad server;
    server.begin();
    const DWORD runStart = GetTickCount();
    DWORD lastReport = runStart;
    DWORD lastSample = runStart;
    bool stalled = stallMs == 0;
    pumpWhile(window, [&] {
        if (!stalled && GetTickCount() - runStart >= seconds * 1000 / 2) {
            stalled = true;
            Sleep(stallMs);  // no message is handled meanwhile
        }
        if (GetTickCount() - lastSample >= 250) {
            lastSample = GetTickCount();
            load.sample();
        }
        if (trace && GetTickCount() - lastReport >= 1000) {
            lastReport = GetTickCount();
            TLinkCounters c;
            get_link_counters(&c);
            std::printf("  queued %u read %u backlog %u\n", c.EventsQueued, c.EventsRead, c.EventsQueued - c.EventsRead);
        }
        return !run.finished;
    });
    // Whatever is still queued arrives within a moment.
    const DWORD drainStart = GetTickCount();
    pumpWhile(window, [&] { return reader.data < run.sent && GetTickCount() - drainStart < 5000; });
    server.end();
    WaitForSingleObject(fleet, INFINITE);
    CloseHandle(fleet);
    if (probing) probe.stop();

    TLinkCounters counters;
    get_link_counters(&counters);
    stop_gprs_server(status);
    if (run.loginFailed) std::printf("%s: not every terminal got in\n", name);
    if (reader.other) std::printf("%s: %llu events other than login and data (terminals lost or logged out)\n", name,
                                  static_cast<unsigned long long>(reader.other));
    if (counters.RefusedLogins || counters.BadIds || counters.MalformedFrames || counters.GarbageFrames ||
        counters.BeforeLogin || counters.TimedOut)
        std::printf("%s: refused %u, bad ids %u, malformed %u, garbage %u, before login %u, timed out %u\n", name,
                    counters.RefusedLogins, counters.BadIds, counters.MalformedFrames, counters.GarbageFrames,
                    counters.BeforeLogin, counters.TimedOut);

    const std::uint64_t lost = run.sent > reader.data ? run.sent - reader.data : 0;
    std::printf("%s: %.0f data events/s for %lu s: sent %llu, received %llu, lost %llu (queue overflow %u)\n", name,
                rate, static_cast<unsigned long>(seconds), static_cast<unsigned long long>(run.sent),
                static_cast<unsigned long long>(reader.data), static_cast<unsigned long long>(lost),
                counters.EventsLost);
    std::printf("%s: latency send -> do_read_proc: median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n", name,
                percentile(reader.latencyMs, 0.5), percentile(reader.latencyMs, 0.99),
                percentile(reader.latencyMs, 1.0));
    load.report(name);
    server.report(name, reader.data);
    if (probing) {
        std::printf("%s: beside it, a byte through a loopback socket to a waiting reader: median %.2f ms, 99th "
                    "percentile %.2f ms; a posted message to the window: median %.2f ms, 99th percentile %.2f ms\n",
                    name, percentile(probe.socketMs(), 0.5), percentile(probe.socketMs(), 0.99),
                    percentile(reader.messageMs, 0.5), percentile(reader.messageMs, 0.99));
    }
    if (trace) printLateStretches(name);
    return !run.loginFailed && lost == 0;
}

}  // namespace

int main(int argc, char** argv) {
    int udpTerminals = 1000;
    int tcpTerminals = 500;
    double rate = 5000;
    DWORD seconds = 10;
    DWORD stallMs = 0;
    bool trace = false;  // the service's queue once a second: where a backlog builds up
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            trace = true;
            continue;
        }
        if (i + 1 == argc) break;
        if (arg == "--udp-terminals") udpTerminals = std::atoi(argv[i + 1]);
        else if (arg == "--tcp-terminals") tcpTerminals = std::atoi(argv[i + 1]);
        else if (arg == "--rate") rate = std::atof(argv[i + 1]);
        else if (arg == "--seconds") seconds = static_cast<DWORD>(std::atoi(argv[i + 1]));
        else if (arg == "--stall-ms") stallMs = static_cast<DWORD>(std::atoi(argv[i + 1]));
        ++i;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);

    HWND window = CreateHiddenWindow("LinkBench", windowProc);

    bool ok = true;
    if (udpTerminals > 0) ok = bench(window, DtuProtocol::Udp, udpTerminals, rate, seconds, stallMs, trace) && ok;
    if (tcpTerminals > 0) ok = bench(window, DtuProtocol::Tcp, tcpTerminals, rate, seconds, stallMs, trace) && ok;
    DestroyWindow(window);
    return ok ? 0 : 1;
}
