// The console under load: its main form in this process (logging on, memo display on), 1,000
// simulated terminals in a child process, logging in spread over ten seconds and then sending
// together at rising rates. Prints the machine's load, what the spread logins cost the window's
// thread, the time to rebuild the terminal list, for each rate whether the console keeps up
// (the link library's event queue does not grow), and the working set.
//   consolebench [--terminals N] [--login-seconds L] [--seconds S] [--rates R1,R2,...] [--display-off]
//               [--skin-off]
// --skin-off switches the main form's skin off before it shows, to compare with the skinned console.
// The child is this program again: consolebench --fleet PORT TERMINALS LOGIN-SECONDS SECONDS RATES TAG
#include <winsock2.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DtuTerminal.h"
#include "SettingsFile.h"
#include "TestSupport.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "WinSkinData.h"
#include "fmMain.h"
#include "unitCustomDialogs.h"

namespace {

struct TOptions {
    int terminals = 1000;
    int loginSeconds = 10;
    int seconds = 4;
    std::vector<int> rates{50, 100, 200, 300, 400, 500, 700, 1000, 1500, 2000, 3000, 5000};
    bool displayOff = false;
    bool skinOff = false;
};

std::vector<int> ParseRates(const std::string& text) {
    std::vector<int> rates;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ','))
        if (std::atoi(item.c_str()) > 0) rates.push_back(std::atoi(item.c_str()));
    return rates;
}

std::string JoinRates(const std::vector<int>& rates) {
    std::string text;
    for (int r : rates) text += (text.empty() ? "" : ",") + std::to_string(r);
    return text;
}

HANDLE NamedEvent(const std::string& tag, const char* what) {
    return CreateEventA(nullptr, FALSE, FALSE, ("ConsoleBench-" + tag + "-" + what).c_str());
}

// ---- the terminals' side (child process) ------------------------------------------------------

int FleetMain(int port, int count, int loginSeconds, int seconds, const std::vector<int>& rates, const std::string& tag) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    HANDLE go = NamedEvent(tag, "go");
    HANDLE done = NamedEvent(tag, "done");
    std::vector<std::unique_ptr<DtuTerminal>> terminals;
    WaitForSingleObject(go, INFINITE);
    // The logins spread evenly over the time given.
    const DWORD start = GetTickCount();
    for (int i = 0; i < count; ++i) {
        const DWORD due = static_cast<DWORD>(static_cast<double>(loginSeconds) * 1000.0 * i / count);
        while (GetTickCount() - start < due) Sleep(1);
        auto t = std::make_unique<DtuTerminal>(DtuProtocol::Udp, std::to_string(13900000000ULL + static_cast<unsigned>(i)),
                                               0x0A000001u + static_cast<unsigned>(i), static_cast<std::uint16_t>(7000 + i % 1000));
        if (!t->connect("127.0.0.1", static_cast<std::uint16_t>(port)) || !t->sendLogin()) return 1;
        terminals.push_back(std::move(t));
    }
    SetEvent(done);  // logins sent
    std::vector<std::uint8_t> payload(32);
    for (int rate : rates) {
        WaitForSingleObject(go, INFINITE);
        const DWORD start = GetTickCount();
        std::uint64_t sent = 0;
        std::size_t next = 0;
        for (DWORD elapsed = 0; elapsed < static_cast<DWORD>(seconds) * 1000; elapsed = GetTickCount() - start) {
            const auto due = static_cast<std::uint64_t>(static_cast<double>(rate) * elapsed / 1000.0);
            for (; sent < due; ++sent) {
                for (std::size_t b = 0; b < payload.size(); ++b) payload[b] = static_cast<std::uint8_t>('0' + (sent + b) % 10);
                terminals[next]->sendData(payload);
                next = (next + 1) % terminals.size();
            }
            std::vector<verrin::Frame> ignored;
            for (std::size_t i = 0; i < 8; ++i) terminals[(next + i) % terminals.size()]->drain(ignored);
            Sleep(1);
        }
        SetEvent(done);
    }
    WaitForSingleObject(go, 30000);  // the console has read what it needed
    return 0;
}

// ---- the console's side -------------------------------------------------------------------------

TLinkCounters Counters() {
    TLinkCounters c{};
    get_link_counters(&c);
    return c;
}

long Backlog() {
    const TLinkCounters c = Counters();
    return static_cast<long>(c.EventsQueued) - static_cast<long>(c.EventsRead);
}

// Handles the console's messages one at a time until the event is set (or the time is up);
// true when it was. One at a time, so that a flood of messages cannot hide the moment.
double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// The longest a single message kept the window's thread busy, and the time spent on link
// events, paints and timers, since they were last reset.
double longestMessageMs = 0;
double linkEventMs = 0, paintMs = 0, timerMs = 0, otherMs = 0;

void ResetMessageTimes() { longestMessageMs = linkEventMs = paintMs = timerMs = otherMs = 0; }

void NoteMessageTime(UINT message, double ms) {
    longestMessageMs = std::max(longestMessageMs, ms);
    (message == WM_LINKEVENT ? linkEventMs : message == WM_PAINT ? paintMs : message == WM_TIMER ? timerMs : otherMs) += ms;
}

bool PumpUntilSignalled(HANDLE event, DWORD timeoutMs, const std::function<void()>& sample = {}) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const LARGE_INTEGER before = Now();
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            NoteMessageTime(msg.message, 1000.0 * Seconds(before, Now()));
        } else if (MsgWaitForMultipleObjects(1, &event, FALSE, 5, QS_ALLINPUT) == WAIT_OBJECT_0) {
            return true;  // the wait took the event's signal
        }
        if (sample) sample();
    }
}

bool PumpUntilDrained(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (Backlog() > 0) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application->ProcessMessages();
        Sleep(1);
    }
    Application->ProcessMessages();
    return true;
}

BOOL CALLBACK ClickYes(HWND window, LPARAM) {
    auto* box = dynamic_cast<TMessageForm*>(TControl::FindControl(window));
    if (!box || !IsWindowVisible(window)) return TRUE;
    if (auto* yes = dynamic_cast<TButton*>(box->FindComponent("Yes"))) SendMessageA(yes->Handle(), BM_CLICK, 0, 0);
    return FALSE;
}

// Answers the protocol question with Yes as soon as it shows.
void CALLBACK AnswerUdp(HWND, UINT, UINT_PTR id, DWORD) {
    if (!EnumThreadWindows(GetCurrentThreadId(), ClickYes, 0)) KillTimer(nullptr, id);
}

// CPU time of this thread, in seconds.
double ThreadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; };
    return value(kernel) + value(user);
}

// The machine's load (runnable tasks averaged over 1, 5 and 15 minutes), as the host tells it.
std::string MachineLoad() {
    std::FILE* file = std::fopen("Z:\\proc\\loadavg", "r");
    if (!file) return "unknown";
    char text[128] = {0};
    const bool read = std::fgets(text, sizeof text, file) != nullptr;
    std::fclose(file);
    if (!read) return "unknown";
    double one = 0, five = 0, fifteen = 0;
    if (std::sscanf(text, "%lf %lf %lf", &one, &five, &fifteen) != 3) return "unknown";
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char line[128];
    std::snprintf(line, sizeof line, "%.2f %.2f %.2f on %lu cores", one, five, fifteen, static_cast<unsigned long>(system.dwNumberOfProcessors));
    return line;
}

std::string TempFolder() {
    const std::string path = TempPath("consolebench-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void RemoveLogs(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.log").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

PROCESS_INFORMATION StartFleet(int port, const TOptions& o, const std::string& tag) {
    char self[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = "\"" + std::string(self) + "\" --fleet " + std::to_string(port) + " " + std::to_string(o.terminals) + " " +
                          std::to_string(o.loginSeconds) + " " + std::to_string(o.seconds) + " " + JoinRates(o.rates) + " " + tag;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        std::fprintf(stderr, "consolebench: cannot start the terminals' process\n");
    return process;
}

int ConsoleMain(const TOptions& o) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    // The steps run longer than the terminals' idle time-out would allow without heartbeats.
    SetEnvironmentVariableA("VERRIN_IDLE_TIMEOUT_MS", "3600000");
    Application->Initialize();
    Application->SetTitle("SABLINK");
    WriteStartMode(StartManual);
    SetTimer(nullptr, 0, 50, AnswerUdp);
    std::unique_ptr<TForm1> form(NewForm<TForm1>(nullptr));
    Form1 = form.get();
    const std::string folder = TempFolder();
    form->LogDir = folder;
    form->ListenPort = FreePort(false);
    if (o.skinOff && form->SkinData1) form->SkinData1->SetActive(false);
    form->Show();
    form->ToolButton1Click(form.get());
    form->CheckBox4->SetChecked(true);
    if (o.displayOff) form->N13Click(form.get());
    std::printf("consolebench: %d UDP terminals, logging on, memo display %s, skin %s, %d s per rate\n",
                o.terminals, o.displayOff ? "off" : "on", o.skinOff ? "off" : "on", o.seconds);
    std::printf("machine load: %s\n", MachineLoad().c_str());

    const std::string tag = std::to_string(GetCurrentProcessId());
    HANDLE go = NamedEvent(tag, "go");
    HANDLE done = NamedEvent(tag, "done");
    PROCESS_INFORMATION fleet = StartFleet(form->ListenPort, o, tag);
    if (!fleet.hProcess) return 1;

    // Logins spread over time: each is an event without data that changes the list.
    const double busyBefore = ThreadSeconds();
    const LARGE_INTEGER loginStart = Now();
    ResetMessageTimes();
    SetEvent(go);
    PumpUntilSignalled(done, static_cast<DWORD>(o.loginSeconds) * 1000 + 120000);
    const LARGE_INTEGER loginsSent = Now();
    const DWORD deadline = GetTickCount() + 300000;
    while (form->ListView1->Items()->Count() < o.terminals || Backlog() > 0) {
        if (GetTickCount() > deadline) break;
        PumpUntilSignalled(done, 1);
    }
    const LARGE_INTEGER loginsListed = Now();
    const double busy = ThreadSeconds() - busyBefore;
    std::printf("logins: %d terminals logged in over %.1f s, all listed %.2f s after the last; the window's thread busy %.0f ms (%.1f%%), "
                "longest message %.1f ms\n",
                form->ListView1->Items()->Count(), Seconds(loginStart, loginsSent), Seconds(loginsSent, loginsListed), 1000.0 * busy,
                100.0 * busy / Seconds(loginStart, loginsListed), longestMessageMs);
    std::printf("        (messages: link events %.0f ms, paints %.0f ms, timers %.0f ms, others %.0f ms)\n", linkEventMs, paintMs, timerMs, otherMs);

    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    constexpr int Rebuilds = 5;
    QueryPerformanceCounter(&t0);
    for (int i = 0; i < Rebuilds; ++i) form->Timer1Timer(form->Timer1);
    QueryPerformanceCounter(&t1);
    std::printf("terminal list: %d rows rebuilt in %.1f ms\n", form->ListView1->Items()->Count(),
                1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(frequency.QuadPart) / Rebuilds);
    {
        const int slots = get_max_user_amount();
        const LARGE_INTEGER before = Now();
        for (int slot = 0; slot < slots; ++slot) {
            TUserInfoRecord info{};
            get_user_at(slot, &info);
        }
        std::printf("        (of which reading the library's %d slots: %.1f ms)\n", slots, 1000.0 * Seconds(before, Now()));
    }

    int best = 0;
    std::printf("%10s %10s %10s %12s %12s %10s\n", "rate/s", "queued/s", "handled/s", "backlog end", "backlog max", "keeps up");
    for (int rate : o.rates) {
        const TLinkCounters before = Counters();
        long maxBacklog = 0;
        const DWORD start = GetTickCount();
        ResetMessageTimes();
        SetEvent(go);
        PumpUntilSignalled(done, static_cast<DWORD>(o.seconds) * 1000 + 60000, [&] { maxBacklog = std::max(maxBacklog, Backlog()); });
        const double elapsed = (GetTickCount() - start) / 1000.0;
        const TLinkCounters after = Counters();
        const long backlog = Backlog();
        const double queued = (after.EventsQueued - before.EventsQueued) / elapsed;
        const double handled = (after.EventsRead - before.EventsRead) / elapsed;
        const bool keepsUp = after.EventsLost == before.EventsLost && backlog <= rate / 4 + 50;
        std::printf("%10d %10.0f %10.0f %12ld %12ld %10s   (%.1f s; link events %.0f ms, paints %.0f, timers %.0f, others %.0f)\n", rate,
                    queued, handled, backlog, maxBacklog, keepsUp ? "yes" : "no", elapsed, linkEventMs, paintMs, timerMs, otherMs);
        if (after.BeforeLogin != before.BeforeLogin || after.MalformedFrames != before.MalformedFrames)
            std::printf("           (%u packets from terminals not logged in, %u malformed)\n", after.BeforeLogin - before.BeforeLogin,
                        after.MalformedFrames - before.MalformedFrames);
        if (!keepsUp) break;
        best = rate;
        if (!PumpUntilDrained(60000)) break;
    }
    SetEvent(go);  // lets the terminals' process finish
    WaitForSingleObject(fleet.hProcess, 30000);
    CloseHandle(fleet.hProcess);
    CloseHandle(fleet.hThread);

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("highest rate kept up: %d data events/s (%d terminals together)\n", best, o.terminals);
    std::printf("working set: %.1f MB now, %.1f MB at peak\n", memory.WorkingSetSize / 1048576.0, memory.PeakWorkingSetSize / 1048576.0);

    char status[256];
    do_close_all_user(status);
    stop_gprs_server(status);
    form.reset();
    RemoveLogs(folder);
    DeleteFileA(SettingsFilePath().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 4096);
    if (argc == 8 && std::string(argv[1]) == "--fleet")
        return FleetMain(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), ParseRates(argv[6]), argv[7]);
    TOptions o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--terminals" && hasValue) o.terminals = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--seconds" && hasValue) o.seconds = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--login-seconds" && hasValue) o.loginSeconds = std::max(0, std::atoi(argv[++i]));
        else if (arg == "--rates" && hasValue) o.rates = ParseRates(argv[++i]);
        else if (arg == "--display-off") o.displayOff = true;
        else if (arg == "--skin-off") o.skinOff = true;
        else {
            std::fprintf(stderr, "usage: consolebench [--terminals N] [--login-seconds L] [--seconds S] [--rates R1,R2,...] [--display-off] [--skin-off]\n");
            return 2;
        }
    }
    return ConsoleMain(o);
}
