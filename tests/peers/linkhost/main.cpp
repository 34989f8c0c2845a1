// linkhost: the console's side of the link service, without the console. Starts verrin.dll on
// a hidden window, prints every event and, now and then, the terminals online; for the
// demonstration in scripts/run.sh until the console takes its place.
//   linkhost [--udp|--tcp] [--port N] [--seconds S] [--reply]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "TestSupport.h"
#include "verrin.h"

namespace {

constexpr UINT WM_LINKEVENT = 4567;
constexpr UINT_PTR kListTimer = 1;
constexpr UINT_PTR kEndTimer = 2;
DWORD replyFlag = 0;

// The library's texts are GBK; the terminal this prints to reads UTF-8.
std::string utf8(const char* gbk) {
    wchar_t wide[512];
    char narrow[1024];
    const int n = MultiByteToWideChar(936, 0, gbk, -1, wide, 512);
    if (n <= 0 || WideCharToMultiByte(CP_UTF8, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr) <= 0)
        return gbk;
    return narrow;
}

std::string field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

std::string dotted(std::uint32_t a) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", a >> 24, (a >> 16) & 0xFF, (a >> 8) & 0xFF, a & 0xFF);
    return text;
}

void printEvent() {
    TUserDataRecord record;
    char aux[1024];
    if (do_read_proc(&record, aux, replyFlag) <= 0) return;
    const std::string id = field(record.Id, sizeof record.Id);
    const std::string time = field(record.Time, sizeof record.Time);
    switch (record.Kind) {
        case LINK_EVENT_LOGIN: std::printf("%s  login   %s from %s\n", time.c_str(), id.c_str(), aux); break;
        case LINK_EVENT_LOGOUT: std::printf("%s  logout  %s\n", time.c_str(), id.c_str()); break;
        case LINK_EVENT_DROPPED: std::printf("%s  dropped %s\n", time.c_str(), id.c_str()); break;
        case LINK_EVENT_DATA: {
            std::printf("%s  data    %s %u bytes:", time.c_str(), id.c_str(), record.DataLength);
            for (unsigned i = 0; i < record.DataLength && i < 16; ++i) std::printf(" %02X", record.Data[i]);
            std::printf("%s\n", record.DataLength > 16 ? " ..." : "");
            break;
        }
        default: break;
    }
}

void printOnline() {
    const int slots = get_max_user_amount();
    int online = 0;
    for (int i = 0; i < slots; ++i) {
        TUserInfoRecord info;
        get_user_at(i, &info);
        if (info.Status != LINK_SLOT_ONLINE) continue;
        if (online++ == 0) std::printf("-- online terminals:\n");
        std::printf("   %-12s mobile %s:%u  public %s:%u  since %s\n", field(info.Id, 12).c_str(),
                    dotted(info.MobileAddress).c_str(), info.MobilePort, dotted(info.PublicAddress).c_str(),
                    info.PublicPort, field(info.LoginTime, 20).c_str());
    }
    if (online == 0) std::printf("-- no terminal online\n");
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LINKEVENT) {
        printEvent();
        return 0;
    }
    if (message == WM_TIMER && wParam == kListTimer) {
        printOnline();
        return 0;
    }
    if (message == WM_TIMER && wParam == kEndTimer) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    int protocol = LINK_PROTOCOL_UDP;
    int port = 5002;
    int seconds = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--udp") protocol = LINK_PROTOCOL_UDP;
        else if (arg == "--tcp") protocol = LINK_PROTOCOL_TCP;
        else if (arg == "--reply") replyFlag = 1;
        else if (arg == "--port" && i + 1 < argc) port = std::atoi(argv[++i]);
        else if (arg == "--seconds" && i + 1 < argc) seconds = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: linkhost [--udp|--tcp] [--port N] [--seconds S] [--reply]\n");
            return 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    HWND window = CreateHiddenWindow("LinkHost", windowProc);

    char status[256];
    if (SelectProtocol(protocol) < 0 || start_gprs_server(window, WM_LINKEVENT, port, status) < 0) {
        std::printf("linkhost: %s\n", utf8(status).c_str());
        return 1;
    }
    std::printf("linkhost: %s\n", utf8(status).c_str());
    SetTimer(window, kListTimer, 5000, nullptr);
    if (seconds > 0) SetTimer(window, kEndTimer, static_cast<UINT>(seconds) * 1000, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);

    printOnline();
    do_close_all_user(status);
    std::printf("linkhost: %s\n", utf8(status).c_str());
    stop_gprs_server(status);
    std::printf("linkhost: %s\n", utf8(status).c_str());
    DestroyWindow(window);
    return 0;
}
