// Sablink.exe as the user starts it: another process, driven through its windows and read from
// the screen.
#include <winsock2.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScreenReading.h"
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

// The tool bar's panel that counts the packets received: its text is a number.
BOOL CALLBACK MatchPacketCounter(HWND window, LPARAM data) {
    const std::string text = WindowTextOf(window);
    if (WindowClassOf(window) != "TPanel" || text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
}

HWND PacketCounter(HWND console) {
    HWND found = nullptr;
    EnumChildWindows(console, MatchPacketCounter, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The text of the message label of a console message box (the one static-looking label).
std::string MessageOf(HWND box) {
    HWND label = Child(box, "TLabel");
    return label ? WindowTextOf(label) : std::string();
}

// A skinned window answers the skin's query with 1.
constexpr UINT SkinQueryMessage = 0x3523;

bool WaitUntilSkinned(HWND window, int timeoutMs = 10000) {
    for (const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);; Sleep(20)) {
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(window, SkinQueryMessage, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) && answer == 1) return true;
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    }
}

// The popup menu a menu-bar item dropped, once it shows.
HWND WaitForPopupMenu(DWORD process) {
    return WaitForProcessWindow(process, [](HWND w) { return WindowClassOf(w) == "#32768"; }, 10000);
}

bool WaitUntilGone(HWND window, int timeoutMs = 10000) {
    for (const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs); IsWindowVisible(window); Sleep(20))
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
    return true;
}

// How the window's title bar and borders lie: the client area's offset from the window's corner.
struct TFrameMetrics {
    int Left = 0, Top = 0;
};
TFrameMetrics FrameOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return TFrameMetrics{origin.x - r.left, origin.y - r.top};
}

// The caption of each child, or each area, read from the picture: at least 4.5:1.
void ExpectReadable(const TScreenShot& shot, const std::string& what, const RECT& area) {
    const TCaptionReading reading = ReadCaption(shot, area);
    EXPECT_GE(reading.Contrast, ReadableContrast) << what << ": " << Describe(reading);
}

void ExpectChildReadable(const TScreenShot& shot, HWND child, const std::string& what, int inset = 3) {
    ASSERT_NE(child, nullptr) << what;
    ExpectReadable(shot, what, ScreenRectOf(child, inset));
}

// The title of a dialog (no window icon; a title that takes less than half the width): readable,
// and shown whole, not cut short to an ellipsis.
void ExpectWholeTitle(const TScreenShot& shot, HWND window, int titleHeight) {
    const TFrameMetrics frame = FrameOf(window);
    RECT r = ScreenRectOf(window);
    const RECT area{r.left + frame.Left, r.top + 2, r.left + (r.right - r.left) / 2, r.top + titleHeight};
    const TCaptionReading reading = ReadCaption(shot, area);
    EXPECT_GE(reading.Contrast, ReadableContrast) << WindowTextOf(window) << ": " << Describe(reading);
    EXPECT_GE(reading.TextWidth(), TitleTextWidth(window) - 2) << WindowTextOf(window) << " shows cut short";
}

// Where the screenshots go for the documentation: the folder in SABLINK_SCREENSHOTS, if any.
void Keep(const TScreenShot& shot, const std::string& name) {
    const char* folder = std::getenv("SABLINK_SCREENSHOTS");
    if (!folder || !*folder) return;
    EXPECT_TRUE(shot.SaveBitmap(std::string(folder) + "\\" + name + ".bmp")) << name;
}

// The two windows together, a moment after they showed: a window and its drop-down menu.
TScreenShot ShotOfBoth(HWND a, HWND b) {
    RECT ra = ScreenRectOf(a), rb = ScreenRectOf(b), both{};
    UnionRect(&both, &ra, &rb);
    Sleep(500);
    return TakeScreenShot(both);
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

    // A menu-bar item opened by its letter, as Alt and the letter open it, once the drop-down
    // menu stands still: it selects its first item as soon as it opens.
    HWND OpenMenu(HWND console, char letter) {
        PostMessageA(console, WM_SYSCOMMAND, SC_KEYMENU, letter);
        HWND popup = WaitForPopupMenu(process.dwProcessId);
        if (popup) TakeSteadyShot(popup, 3000);
        return popup;
    }
    // The item `down` places below the first, chosen with the keys. Home first: whether the
    // menu's own move to its first item comes before these keys or after them, they choose the
    // same item.
    void ChooseMenuItem(HWND console, char letter, int down) {
        HWND popup = OpenMenu(console, letter);
        ASSERT_NE(popup, nullptr);
        PostMessageA(console, WM_KEYDOWN, VK_HOME, 0);
        for (int i = 0; i < down; ++i) PostMessageA(console, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(console, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(WaitUntilGone(popup));
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

// The console as an operator sees it with the skin it ships with, read from the screen: the
// protocol question, the port dialog, the main form serving five terminals, a drop-down menu,
// a settings dialog and the exit question. Every caption reads at 4.5:1 at least against what
// it is drawn on, and every dialog shows its whole title.
TEST_F(Program, ItsWindowsReadOnTheScreen) {
    WSADATA sockets;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &sockets), 0);
    const std::uint16_t port = FreePort(false);
    ASSERT_TRUE(Start(ProgramFolder() + "\\Sablink.exe"));

    HWND question = WaitForWindow(process.dwProcessId, "TMessageForm");
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(WaitUntilSkinned(question));
    TScreenShot shot = TakeSteadyShot(question);
    Keep(shot, "question");
    const int titleHeight = FrameOf(question).Top;
    ASSERT_GT(titleHeight, 10);
    ExpectWholeTitle(shot, question, titleHeight);
    ExpectChildReadable(shot, Child(question, "TLabel"), "the question", 0);
    ExpectChildReadable(shot, Child(question, "TButton", "是"), "是");
    ExpectChildReadable(shot, Child(question, "TButton", "否"), "否");
    SendMessageA(Child(question, "TButton", "是"), BM_CLICK, 0, 0);

    HWND console = WaitForWindow(process.dwProcessId, "TForm1");
    ASSERT_NE(console, nullptr);
    ASSERT_TRUE(WaitUntilSkinned(console));
    for (const DWORD deadline = GetTickCount() + 10000; GetMenu(console) && GetTickCount() < deadline;) Sleep(20);

    // The port, through its dialog; then the service, through its menu item.
    ChooseMenuItem(console, 's', 0);
    HWND portBox = WaitForProcessWindow(process.dwProcessId, [](HWND w) { return WindowTextOf(w) == "端口设置"; }, 10000);
    ASSERT_NE(portBox, nullptr);
    ASSERT_TRUE(WaitUntilSkinned(portBox));
    shot = TakeSteadyShot(portBox);
    ExpectWholeTitle(shot, portBox, titleHeight);
    ExpectChildReadable(shot, Child(portBox, "TButton", "确定"), "确定");
    SetWindowTextA(Child(portBox, "TEdit"), std::to_string(port).c_str());
    SendMessageA(Child(portBox, "TButton", "确定"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntilGone(portBox));
    ChooseMenuItem(console, 'c', 0);
    HWND stop = Child(console, "TToolButton", "停止服务");
    for (const DWORD deadline = GetTickCount() + 10000; !IsWindowEnabled(stop) && GetTickCount() < deadline;) Sleep(20);
    ASSERT_TRUE(IsWindowEnabled(stop)) << "the service runs";

    // Five terminals log in and send a little; once they are quiet the form stands still.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION terminals{};
    std::string command = "\"" + ProgramFolder() + "\\dtusim.exe\" --udp --quiet --port " + std::to_string(port) +
                          " --terminals 5 --rate 1 --duration 60";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &terminals));
    HWND list = Child(console, "TListView");
    for (const DWORD deadline = GetTickCount() + 20000; SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) < 5 && GetTickCount() < deadline;)
        Sleep(100);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5);
    Sleep(2500);
    TerminateProcess(terminals.hProcess, 0);
    CloseHandle(terminals.hProcess);
    CloseHandle(terminals.hThread);

    shot = TakeSteadyShot(console);
    Keep(shot, "main-form");
    const TFrameMetrics frame = FrameOf(console);
    const RECT window = ScreenRectOf(console);
    // The title from after the window icon to before the title buttons; the menu bar below it.
    ExpectReadable(shot, "title", RECT{window.left + frame.Left + 24, window.top + 2, window.right - 110, window.top + titleHeight});
    ExpectReadable(shot, "menu bar", RECT{window.left + frame.Left, window.top + titleHeight, window.right - frame.Left,
                                          window.top + frame.Top});
    ExpectChildReadable(shot, Child(console, "TButton", "发送"), "发送");
    for (const char* tool : {"停止服务", "清除", "退出"}) ExpectChildReadable(shot, Child(console, "TToolButton", tool), tool);
    ExpectChildReadable(shot, Child(console, "TLabel", "终端信息："), "终端信息：", 0);
    ExpectChildReadable(shot, Child(console, "TCheckBox", "写日志"), "写日志", 0);
    ExpectChildReadable(shot, Child(console, "TRadioButton", "文本"), "文本", 0);
    ExpectChildReadable(shot, PacketCounter(console), "the packet counter");
    ExpectChildReadable(shot, Child(console, "TStatusBar"), "status bar", 2);
    ExpectChildReadable(shot, Child(list, "SysHeader32"), "list header", 2);
    HWND group = Child(console, "TGroupBox", "发送信息");
    ASSERT_NE(group, nullptr);
    const RECT groupRect = ScreenRectOf(group);
    ExpectReadable(shot, "发送信息", RECT{groupRect.left + 6, groupRect.top, groupRect.left + 80, groupRect.top + 12});

    HWND popup = OpenMenu(console, 's');
    ASSERT_NE(popup, nullptr);
    shot = ShotOfBoth(console, popup);
    Keep(shot, "menu");
    ExpectChildReadable(shot, popup, "the 设置 menu", 4);
    PostMessageA(console, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntilGone(popup));

    ChooseMenuItem(console, 's', 1);
    HWND settings = WaitForWindow(process.dwProcessId, "Tfcomset");
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(WaitUntilSkinned(settings));
    shot = TakeSteadyShot(settings);
    Keep(shot, "settings-dialog");
    ExpectWholeTitle(shot, settings, titleHeight);
    ExpectChildReadable(shot, Child(settings, "TLabel", "串口号："), "串口号：", 0);
    ExpectChildReadable(shot, Child(settings, "TButton", "确定"), "确定");
    ExpectChildReadable(shot, Child(settings, "TButton", "取消"), "取消");
    SendMessageA(Child(settings, "TButton", "取消"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntilGone(settings));

    PostMessageA(console, WM_CLOSE, 0, 0);
    HWND exit = WaitForWindow(process.dwProcessId, "TMessageForm");
    ASSERT_NE(exit, nullptr);
    ASSERT_TRUE(WaitUntilSkinned(exit));
    shot = TakeSteadyShot(exit);
    Keep(shot, "message-box");
    ExpectWholeTitle(shot, exit, titleHeight);
    ExpectChildReadable(shot, Child(exit, "TButton", "是"), "是");
    ExpectChildReadable(shot, Child(exit, "TButton", "否"), "否");
    SendMessageA(Child(exit, "TButton", "是"), BM_CLICK, 0, 0);
    // The running service is stopped first, once more asked.
    HWND stopQuestion = WaitForProcessWindow(
        process.dwProcessId, [exit](HWND w) { return w != exit && WindowClassOf(w) == "TMessageForm"; }, 10000);
    ASSERT_NE(stopQuestion, nullptr);
    EXPECT_EQ(MessageOf(stopQuestion), "确定要停止服务吗？");
    SendMessageA(Child(stopQuestion, "TButton", "是"), BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForExit(10000), 0u);
    WSACleanup();
}
