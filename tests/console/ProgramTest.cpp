// Sablink.exe as the user starts it: another process, driven through its windows.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

namespace {

std::string ProgramFolder() {
    char path[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

struct TChildSearch {
    std::string Class;
    std::string Text;  // empty: any
    HWND Found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<TChildSearch*>(data);
    if (WindowClassOf(window) == s->Class && (s->Text.empty() || WindowTextOf(window) == s->Text)) {
        s->Found = window;
        return FALSE;
    }
    return TRUE;
}

// A shown window of the process and class, waited for.
HWND WaitForWindow(DWORD process, const std::string& windowClass, int timeoutMs = 15000) {
    return WaitForProcessWindow(process, [&](HWND window) { return WindowClassOf(window) == windowClass; }, timeoutMs);
}

HWND Child(HWND parent, const std::string& windowClass, const std::string& text = "") {
    TChildSearch s{windowClass, text, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

// The text of the message label of a console message box (the one static-looking label).
std::string MessageOf(HWND box) {
    HWND label = Child(box, "TLabel");
    return label ? WindowTextOf(label) : std::string();
}

class Program : public ::testing::Test {
protected:
    void SetUp() override {
        settings = ProgramFolder() + "\\Sablink.ini";
        // Manual start, so that the run does not take the service's default port.
        WritePrivateProfileStringA("SYSTEM", "m_iStartType", "2", settings.c_str());
    }

    void TearDown() override {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        DeleteFileA(settings.c_str());
    }

    bool Start(const std::string& exe) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string command = "\"" + exe + "\"";
        return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) != FALSE;
    }

    DWORD WaitForExit(int timeoutMs) {
        if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    std::string settings;
    PROCESS_INFORMATION process{};
};

}  // namespace

TEST_F(Program, AsksForTheProtocolShowsTheConsoleAndClosesWhenConfirmed) {
    ASSERT_TRUE(Start(ProgramFolder() + "\\Sablink.exe"));
    HWND question = WaitForWindow(process.dwProcessId, "TMessageForm");
    ASSERT_NE(question, nullptr) << "the protocol question";
    EXPECT_EQ(WindowTextOf(question), "确认");
    EXPECT_EQ(MessageOf(question), "是否以 UDP 协议启动服务程序？\r\r是 = UDP, 否 = TCP");
    EXPECT_EQ(WaitForWindow(process.dwProcessId, "TForm1", 0), nullptr) << "the form waits for the answer";
    SendMessageA(Child(question, "TButton", "否"), BM_CLICK, 0, 0);

    HWND console = WaitForWindow(process.dwProcessId, "TForm1");
    ASSERT_NE(console, nullptr);
    EXPECT_EQ(WindowTextOf(console), "GPRS/CDMA 数据中心演示程序2009-1-6 - TCP");
    HWND application = GetWindow(console, GW_OWNER);
    EXPECT_EQ(WindowClassOf(application), "TApplication");
    EXPECT_EQ(WindowTextOf(application), "SABLINK");
    // The form is designed 544 x 444 with the system's frame and menu bar; its skin, applied a
    // moment after the window shows, swaps both for its own (the window gives up its menu) and
    // keeps the client area.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    const DWORD skinDeadline = GetTickCount() + 10000;
    while (GetMenu(console) != nullptr && GetTickCount() < skinDeadline) Sleep(20);
    EXPECT_EQ(GetMenu(console), nullptr) << "the skin's menu bar replaces the system's";
    // The menu goes and the frame is laid out in two steps: the client area is read once settled.
    const LONG designedHeight = 444 - (frame.bottom - frame.top);
    RECT client;
    for (const DWORD deadline = GetTickCount() + 2000;; Sleep(20)) {
        GetClientRect(console, &client);
        if (client.bottom == designedHeight || GetTickCount() > deadline) break;
    }
    EXPECT_EQ(client.right, 544 - (frame.right - frame.left));
    EXPECT_EQ(client.bottom, designedHeight);
    EXPECT_NE(Child(console, "TListView"), nullptr);
    EXPECT_NE(Child(console, "TToolButton", "启动服务"), nullptr);

    PostMessageA(console, WM_CLOSE, 0, 0);
    HWND exit = WaitForWindow(process.dwProcessId, "TMessageForm");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(MessageOf(exit), "确定要退出吗？");
    SendMessageA(Child(exit, "TButton", "是"), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForExit(10000), 0u);
}

TEST_F(Program, WithoutTheLinkLibraryItStopsBeforeAnyWindow) {
    const std::string folder = TempPath("sablink-alone-" + std::to_string(GetCurrentProcessId()));
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string exe = folder + "\\Sablink.exe";
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\Sablink.exe").c_str(), exe.c_str(), FALSE));
    if (Start(exe)) {
        const DWORD code = WaitForExit(15000);
        EXPECT_NE(code, STILL_ACTIVE);
        EXPECT_NE(code, 0u);
        EXPECT_EQ(WaitForWindow(process.dwProcessId, "TMessageForm", 0), nullptr);
    }
    DeleteFileA(exe.c_str());
    RemoveDirectoryA(folder.c_str());
}
