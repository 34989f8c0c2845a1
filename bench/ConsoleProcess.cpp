#include <winsock2.h>

#include "ConsoleProcess.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "TestSupport.h"

namespace {

constexpr int kConsolePort = 5002;
constexpr DWORD kStartMs = 60000;
constexpr DWORD kCloseMs = 15000;

struct ChildSearch {
    std::string windowClass;
    std::string text;  // empty: any
    HWND found;
};

BOOL CALLBACK matchChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (WindowClassOf(window) == search->windowClass && (search->text.empty() || WindowTextOf(window) == search->text)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK collectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

bool ConsolePortFree(bool tcp) {
    SOCKET s = ::socket(AF_INET, tcp ? SOCK_STREAM : SOCK_DGRAM, tcp ? IPPROTO_TCP : IPPROTO_UDP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(kConsolePort);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    const bool free = ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    closesocket(s);
    return free;
}

ConsoleProcess::~ConsoleProcess() { close(); }

bool ConsoleProcess::start(const std::string& sourceFolder, const std::string& runFolder, bool tcp) {
    CreateDirectoryA(runFolder.c_str(), nullptr);
    for (const char* file : {"Sablink.exe", "verrin.dll"}) {
        if (!CopyFileA((sourceFolder + "\\" + file).c_str(), (runFolder + "\\" + file).c_str(), FALSE)) {
            std::fprintf(stderr, "cannot copy %s\\%s\n", sourceFolder.c_str(), file);
            return false;
        }
    }
    // The service starts as soon as the window shows.
    WritePrivateProfileStringA("SYSTEM", "m_iStartType", "1", (runFolder + "\\Sablink.ini").c_str());
    const std::string exe = runFolder + "\\Sablink.exe";
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, runFolder.c_str(), &startup,
                        &process_)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        return false;
    }
    HWND question = waitForWindow("TMessageForm", kStartMs);
    if (!question) {
        std::fprintf(stderr, "the console asked no protocol question\n");
        return false;
    }
    ChildSearch answer{"TButton", tcp ? "否" : "是", nullptr};
    EnumChildWindows(question, matchChild, reinterpret_cast<LPARAM>(&answer));
    SendMessageA(answer.found, BM_CLICK, 0, 0);
    form_ = waitForWindow("TForm1", kStartMs);
    if (!form_) return false;
    memo_ = child("TMemo", "");
    list_ = child("TListView", "");
    std::vector<HWND> children;
    EnumChildWindows(form_, collectChild, reinterpret_cast<LPARAM>(&children));
    const DWORD deadline = GetTickCount() + kStartMs;
    while (textOf(memo_).find("GPRS/CDMA 服务已启动") == std::string::npos) {
        if (GetTickCount() > deadline || textOf(memo_).find("启动 GPRS/CDMA 服务失败") != std::string::npos) {
            std::fprintf(stderr, "the console's service did not start: %s\n", textOf(memo_).c_str());
            return false;
        }
        Sleep(50);
    }
    for (HWND window : children)
        if (WindowClassOf(window) == "TPanel" && allDigits(textOf(window))) counter_ = window;
    return memo_ && list_ && counter_;
}

void ConsoleProcess::close() {
    if (!process_.hProcess) return;
    if (form_ && IsWindow(form_)) {
        PostMessageA(form_, WM_CLOSE, 0, 0);
        if (HWND question = waitForWindow("TMessageForm", kCloseMs)) {
            ChildSearch yes{"TButton", "是", nullptr};
            EnumChildWindows(question, matchChild, reinterpret_cast<LPARAM>(&yes));
            if (yes.found) PostMessageA(yes.found, BM_CLICK, 0, 0);
            WaitForSingleObject(process_.hProcess, kCloseMs);
        }
    }
    terminate();
}

void ConsoleProcess::terminate() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = PROCESS_INFORMATION{};
}

HWND ConsoleProcess::waitForWindow(const std::string& windowClass, DWORD timeoutMs) const {
    return WaitForProcessWindow(
        process_.dwProcessId, [&](HWND window) { return WindowClassOf(window) == windowClass; },
        static_cast<int>(timeoutMs));
}

HWND ConsoleProcess::child(const std::string& windowClass, const std::string& text) const {
    ChildSearch search{windowClass, text, nullptr};
    EnumChildWindows(form_, matchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Sent with a time-out, so that a console busy for seconds does not hold the benchmark.
std::string ConsoleProcess::textOf(HWND window) const {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return std::string();
    std::vector<char> text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &copied);
    return std::string(text.data(), copied);
}

void ConsoleProcess::click(HWND box) const { SendMessageA(box, BM_CLICK, 0, 0); }

int ConsoleProcess::listedTerminals() const {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(list_, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
    return static_cast<int>(count);
}

long ConsoleProcess::eventCount() const {
    const std::string text = textOf(counter_);
    return allDigits(text) ? std::atol(text.c_str()) : -1;
}

double ConsoleProcess::cpuSeconds() const {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process_.hProcess, &created, &exited, &kernel, &user)) return 0;
    const auto value = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7; };
    return value(kernel) + value(user);
}
