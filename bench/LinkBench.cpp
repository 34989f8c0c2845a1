// Load on the link service: many terminals online, then floods of data events at rising rates
// into a window that reads one event per message, as the console does. The terminals are the
// simulator built for the host, outside Wine (NativeFleet.h), as a real fleet is: their sockets
// cost the wine server nothing. For each protocol and rate it prints what was sent, received and
// lost (and where: the service's queue, the UDP socket's own drops), the latency from a
// terminal's send to do_read_proc, and beside every figure how busy the machine and the wine
// server were; then the knee, the highest rate with nothing lost, found by halving the step
// between the last rate that lost nothing and the first that did.
//   linkbench [--udp-terminals N] [--tcp-terminals N] [--rates R1,R2,...] [--seconds S] [--size BYTES]
//             [--refine STEPS] [--reply] [--stall-ms MS] [--trace] [--fleet PATH]
// --reply reads every event with the reply flag set, so that the service acknowledges it to its
// terminal, which times the acknowledgement.
// --stall-ms makes the host read nothing for that long in the middle of each flood, as a console
// busy elsewhere would: over TCP the terminals are held back and nothing is lost, over UDP what
// the queue cannot take is lost and counted.
// --trace shows where the time goes: the service's queue once a second; beside the run, how long
// a byte takes through a loopback socket to a reader waiting for it and how long a posted message
// takes to reach the window, under the same load (what any design pays here before the library
// does anything); and the stretches of a flood in which events came late.
#include <winsock2.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "KneeSearch.h"
#include "LoopbackListener.h"
#include "MachineLoad.h"
#include "NativeFleet.h"
#include "StampedPayload.h"
#include "TestSupport.h"
#include "WineServerLoad.h"
#include "verrin.h"

namespace {

constexpr UINT WM_LINKEVENT = 4567;
constexpr UINT WM_PROBE = WM_APP + 1;

struct Options {
    int udpTerminals = 2048;
    int tcpTerminals = 2048;
    std::vector<double> rates{2000, 5000, 8000, 10000, 12000, 15000, 20000};
    DWORD seconds = 10;
    int size = 64;
    int refine = 2;
    bool reply = false;
    DWORD stallMs = 0;
    bool trace = false;
    std::string fleet;
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

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

// What the window read, for the flood under way.
struct Reader {
    const NativeFleet* fleet = nullptr;
    unsigned flood = 0;
    DWORD replyFlag = 0;
    std::uint64_t logins = 0;
    std::uint64_t data = 0;      // this flood's packets
    std::uint64_t stray = 0;     // packets of an earlier flood, come late
    std::uint64_t garbled = 0;   // packets whose bytes are not what was sent
    std::uint64_t other = 0;     // logouts and drops
    std::vector<double> latencyMs;
    std::vector<LONGLONG> readAt;
    std::vector<double> messageMs;  // the probe's posted messages
    LONGLONG lastRead = 0;
};
Reader reader;

void readEvent() {
    TUserDataRecord record;
    char aux[1024];
    if (do_read_proc(&record, aux, reader.replyFlag) <= 0) return;
    if (record.Kind == LINK_EVENT_LOGIN) {
        ++reader.logins;
        return;
    }
    if (record.Kind != LINK_EVENT_DATA) {
        ++reader.other;
        return;
    }
    const LONGLONG now = performanceNow();
    PayloadStamp stamp;
    if (!ReadStampedPayload(record.Data, record.DataLength, stamp)) {
        ++reader.garbled;
        return;
    }
    if (stamp.flood != reader.flood) {
        ++reader.stray;
        return;
    }
    reader.latencyMs.push_back(reader.fleet->ageMs(stamp.ticks));
    reader.readAt.push_back(now);
    reader.lastRead = now;
    ++reader.data;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PROBE) {
        const auto ticks = static_cast<std::uint32_t>(performanceNow()) - static_cast<std::uint32_t>(lParam);
        reader.messageMs.push_back(elapsedMs(0, ticks));
        return 0;
    }
    if (message == WM_LINKEVENT) {
        readEvent();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Every 10 ms a stamped byte through a loopback TCP connection (no delay on either side) to a
// thread blocked in recv, and a stamped message posted to the host's window: the two legs of an
// event's way that belong to the system rather than to the library.
class StageProbe {
public:
    bool start(HWND window) {
        window_ = window;
        sockaddr_in address;
        const SOCKET listener = OpenLoopbackListener(address);
        if (listener == INVALID_SOCKET) return false;
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

// The plain message loop a host runs; a timer lets it look at the condition now and then.
void pumpWhile(HWND window, const std::function<bool()>& busy) {
    SetTimer(window, 1, 10, nullptr);
    MSG message;
    while (busy() && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    KillTimer(window, 1);
}

// The datagrams the host's kernel dropped at the UDP socket bound to the port because its
// receive buffer was full: the last column of its line in /proc/net/udp.
unsigned long long socketDrops(int port) {
    const std::string table = ReadHostFile("Z:\\proc\\net\\udp");
    char wanted[16];
    std::snprintf(wanted, sizeof wanted, ":%04X ", port);
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string slot, local;
        fields >> slot >> local;
        if ((local + " ").find(wanted) == std::string::npos) continue;
        std::string field, last;
        while (fields >> field) last = field;
        return std::strtoull(last.c_str(), nullptr, 10);
    }
    return 0;
}

// What a UDP socket here gets when it asks for the receive buffer the service asks for, by
// Winsock's word and by the host's limit: Wine reports the size asked for, and Linux grants at
// most twice net.core.rmem_max.
void printReceiveBuffer() {
    constexpr int kAsked = 4 * 1024 * 1024;
    SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    int size = kAsked;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    int reported = 0;
    int length = sizeof reported;
    getsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<char*>(&reported), &length);
    closesocket(s);
    const long long hostMax = std::atoll(ReadHostFile("Z:\\proc\\sys\\net\\core\\rmem_max").c_str());
    std::printf("UDP receive buffer: asked for %d KB, Winsock reports %d KB; the host grants at most %lld KB "
                "(twice net.core.rmem_max)\n",
                kAsked / 1024, reported / 1024, hostMax * 2 / 1024);
}

struct FloodResult {
    double rate = 0;
    std::uint64_t sent = 0;
    std::uint64_t received = 0;
    std::uint64_t lost() const { return sent > received ? sent - received : 0; }
};

class ProtocolBench {
public:
    ProtocolBench(HWND window, NativeFleet& fleet, const Options& options, bool tcp, int terminals)
        : window_(window), fleet_(fleet), o_(options), tcp_(tcp), terminals_(terminals), name_(tcp ? "TCP" : "UDP") {}

    bool run() {
        if (!startService()) return false;
        std::vector<FloodResult> results;
        for (double rate : o_.rates) {
            results.push_back(flood(rate));
            if (results.back().lost() > 0) break;
        }
        refineKnee(results);
        fleet_.order("logout");
        pumpFor(300);
        char status[256];
        stop_gprs_server(status);
        return true;
    }

private:
    bool startService() {
        port_ = FreePort(tcp_);
        char status[256];
        SelectProtocol(tcp_ ? LINK_PROTOCOL_TCP : LINK_PROTOCOL_UDP);
        if (start_gprs_server(window_, WM_LINKEVENT, port_, status) < 0) {
            std::printf("%s: start failed\n", name_);
            return false;
        }
        reader = Reader();
        reader.fleet = &fleet_;
        reader.replyFlag = o_.reply ? 1 : 0;
        fleet_.orderLater("login " + std::string(tcp_ ? "tcp" : "udp") + " 127.0.0.1 " + std::to_string(port_) + " " +
                          std::to_string(terminals_) + " " + std::to_string(o_.size));
        pumpWhile(window_, [&] { return !fleet_.answered(); });
        const std::string logged = fleet_.answer();
        const DWORD loggedAt = GetTickCount();
        pumpWhile(window_, [&] {
            return reader.logins < static_cast<std::uint64_t>(terminals_) && GetTickCount() - loggedAt < 5000;
        });
        std::printf("%s: %s of %d terminals; %llu login events read\n", name_, logged.c_str(), terminals_,
                    static_cast<unsigned long long>(reader.logins));
        return logged.compare(0, 7, "logged ") == 0;
    }

    void pumpFor(DWORD ms) {
        const DWORD start = GetTickCount();
        pumpWhile(window_, [&] { return GetTickCount() - start < ms; });
    }

    FloodResult flood(double rate) {
        fleet_.calibrate();
        ++floodNumber_;
        reader.flood = floodNumber_ & 0xFF;
        reader.data = reader.stray = reader.garbled = reader.other = 0;
        reader.latencyMs.clear();
        reader.readAt.clear();
        reader.messageMs.clear();
        TLinkCounters before;
        get_link_counters(&before);
        const unsigned long long dropsBefore = tcp_ ? 0 : socketDrops(port_);

        StageProbe probe;
        const bool probing = o_.trace && probe.start(window_);
        MachineLoad load;
        WineServerLoad server;
        load.begin();
        server.begin();
        fleet_.orderLater("flood " + std::to_string(reader.flood) + " " + std::to_string(rate) + " " +
                          std::to_string(o_.seconds * 1000));
        const DWORD start = GetTickCount();
        DWORD lastTrace = start;
        bool stalled = o_.stallMs == 0;
        pumpWhile(window_, [&] {
            if (!stalled && GetTickCount() - start >= o_.seconds * 1000 / 2) {
                stalled = true;
                Sleep(o_.stallMs);  // no message is handled meanwhile
            }
            if (o_.trace && GetTickCount() - lastTrace >= 1000) {
                lastTrace = GetTickCount();
                TLinkCounters c;
                get_link_counters(&c);
                std::printf("  queued %u read %u backlog %u\n", c.EventsQueued, c.EventsRead, c.EventsQueued - c.EventsRead);
            }
            return !fleet_.answered();
        });
        const std::string flooded = fleet_.answer();
        const LONGLONG floodEnd = performanceNow();
        FloodResult result;
        result.rate = rate;
        result.sent = std::strtoull(flooded.c_str() + (flooded.size() > 8 ? 8 : flooded.size()), nullptr, 10);
        // What is still on its way arrives within a moment; then nothing more comes.
        // The loads are those of the flood and its draining, not of the wait for lost events.
        load.end();
        server.end();
        DWORD lastProgress = GetTickCount();
        DWORD lastMeasured = lastProgress;
        std::uint64_t seen = reader.data;
        pumpWhile(window_, [&] {
            if (reader.data != seen) {
                seen = reader.data;
                lastProgress = GetTickCount();
                if (lastProgress - lastMeasured >= 50) {  // reading the host's counters costs calls too
                    lastMeasured = lastProgress;
                    load.end();
                    server.end();
                }
            }
            return reader.data < result.sent && GetTickCount() - lastProgress < 2000;
        });
        if (reader.data >= result.sent) {
            load.end();
            server.end();
        }
        if (probing) probe.stop();
        result.received = reader.data;

        TLinkCounters after;
        get_link_counters(&after);
        const unsigned long long drops = tcp_ ? 0 : socketDrops(port_) - dropsBefore;
        const double drainedMs = reader.lastRead > floodEnd ? elapsedMs(floodEnd, reader.lastRead) : 0;
        std::printf("%s %6.0f/s, %lu s: sent %llu, received %llu, lost %llu (queue overflow %u%s); latency p50 %.2f, "
                    "p99 %.2f, max %.2f ms; drained %.0f ms after the flood\n"
                    "           [%s; %s]\n",
                    name_, rate, static_cast<unsigned long>(o_.seconds), static_cast<unsigned long long>(result.sent),
                    static_cast<unsigned long long>(result.received), static_cast<unsigned long long>(result.lost()),
                    after.EventsLost - before.EventsLost,
                    tcp_ ? "" : (", socket drops " + std::to_string(drops)).c_str(), percentile(reader.latencyMs, 0.5),
                    percentile(reader.latencyMs, 0.99), percentile(reader.latencyMs, 1.0), drainedMs,
                    load.describe().c_str(), server.describe(result.received).c_str());
        if (reader.stray || reader.garbled || reader.other)
            std::printf("           (%llu late from an earlier flood, %llu garbled, %llu logouts or drops)\n",
                        static_cast<unsigned long long>(reader.stray), static_cast<unsigned long long>(reader.garbled),
                        static_cast<unsigned long long>(reader.other));
        const unsigned bad = (after.MalformedFrames - before.MalformedFrames) + (after.BeforeLogin - before.BeforeLogin) +
                             (after.TimedOut - before.TimedOut) + (after.GarbageFrames - before.GarbageFrames);
        if (bad) std::printf("           (%u frames malformed, garbage, before login or timed out)\n", bad);
        if (o_.reply) std::printf("           acknowledgements back at the terminals: %s\n", fleet_.order("acks").c_str());
        if (probing)
            std::printf("           beside it, a byte through a loopback socket to a waiting reader: p50 %.2f, p99 %.2f "
                        "ms; a posted message to the window: p50 %.2f, p99 %.2f ms\n",
                        percentile(probe.socketMs(), 0.5), percentile(probe.socketMs(), 0.99),
                        percentile(reader.messageMs, 0.5), percentile(reader.messageMs, 0.99));
        if (o_.trace) printLateStretches();
        return result;
    }

    // Halves the step between the highest rate that lost nothing and the lowest that lost some.
    void refineKnee(std::vector<FloodResult>& results) {
        const KneeBracket bracket = RefineKnee(results, o_.refine, [this](double rate) { return flood(rate); });
        const double good = bracket.good;
        const double bad = bracket.bad;
        if (bad == 0)
            std::printf("%s knee: above %.0f events/s (no rate tried lost anything), %d terminals\n", name_, good, terminals_);
        else
            std::printf("%s knee: %.0f events/s, the highest rate with nothing lost (%.0f/s lost some), %d terminals\n",
                        name_, good, bad, terminals_);
    }

    // The stretches of the flood in which some event came more than 10 ms late, by 100-ms slots
    // of the time it was read: a tail spread thinly over the run and one that builds up and
    // drains look alike in a percentile.
    void printLateStretches() const {
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
        std::printf("           100-ms stretches with an event over %.0f ms late: %zu of %zu%s%s\n", kLateMs, lateSlots,
                    worst.size(), stretches.empty() ? "" : ": ", stretches.c_str());
    }

    HWND window_;
    NativeFleet& fleet_;
    const Options& o_;
    bool tcp_;
    int terminals_;
    const char* name_;
    int port_ = 0;
    unsigned floodNumber_ = 0;
};

std::vector<double> parseRates(const std::string& text) {
    std::vector<double> rates;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ','))
        if (std::atof(item.c_str()) > 0) rates.push_back(std::atof(item.c_str()));
    std::sort(rates.begin(), rates.end());
    return rates;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") o.trace = true;
        else if (arg == "--reply") o.reply = true;
        else if (i + 1 == argc) return false;
        else if (arg == "--udp-terminals") o.udpTerminals = std::atoi(argv[++i]);
        else if (arg == "--tcp-terminals") o.tcpTerminals = std::atoi(argv[++i]);
        else if (arg == "--rates") o.rates = parseRates(argv[++i]);
        else if (arg == "--seconds") o.seconds = static_cast<DWORD>(std::max(1, std::atoi(argv[++i])));
        else if (arg == "--size") o.size = std::atoi(argv[++i]);
        else if (arg == "--refine") o.refine = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--stall-ms") o.stallMs = static_cast<DWORD>(std::atoi(argv[++i]));
        else if (arg == "--fleet") o.fleet = argv[++i];
        else return false;
    }
    return !o.rates.empty() && o.size >= static_cast<int>(kStampedPayloadMin) && o.size <= 1024 &&
           o.udpTerminals >= 0 && o.udpTerminals <= 4000 && o.tcpTerminals >= 0 && o.tcpTerminals <= 4000;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: linkbench [--udp-terminals N] [--tcp-terminals N] [--rates R1,R2,...] [--seconds S]\n"
                     "                 [--size BYTES] [--refine STEPS] [--reply] [--stall-ms MS] [--trace] [--fleet PATH]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    NativeFleet fleet;
    if (!fleet.start(o.fleet.empty() ? NativeFleet::defaultProgram() : o.fleet) || !fleet.calibrate()) return 1;
    printReceiveBuffer();

    HWND window = CreateHiddenWindow("LinkBench", windowProc);
    bool ok = true;
    if (o.udpTerminals > 0) ok = ProtocolBench(window, fleet, o, false, o.udpTerminals).run() && ok;
    if (o.tcpTerminals > 0) ok = ProtocolBench(window, fleet, o, true, o.tcpTerminals).run() && ok;
    DestroyWindow(window);
    return ok ? 0 : 1;
}
