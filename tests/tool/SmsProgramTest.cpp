// Marqtel.exe with gsmsim.exe on the far end of a serial pair and a scripted terminal behind it:
// the first run creates the user, the next refuses a wrong password and logs in, and a status
// query of the selected device is answered by the terminal, shown on the page and logged.
#include <gtest/gtest.h>

#include "LoginAnswerer.h"
#include "SmsFrame.h"
#include "TestProfile.h"
#include "TestSupport.h"
#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string ProgramFolder()
{
    char exe[MAX_PATH];
    ::GetModuleFileNameA(NULL, exe, MAX_PATH);
    std::string path = exe;
    return path.substr(0, path.find_last_of('\\') + 1);
}

bool WaitUntil(const std::function<bool()>& done, DWORD dwTimeout)
{
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwTimeout; ::Sleep(100))
        if (done())
            return true;
    return done();
}

struct ClassSearch {
    const char* className;
    HWND hFound;
};

BOOL CALLBACK FindVisibleOfClass(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    if (WindowClassOf(hWnd) != search->className || !::IsWindowVisible(hWnd))
        return TRUE;
    search->hFound = hWnd;
    return FALSE;
}

HWND FindChildOfClass(HWND hParent, const char* className)
{
    ClassSearch search = { className, NULL };
    ::EnumChildWindows(hParent, FindVisibleOfClass, (LPARAM)&search);
    return search.hFound;
}

// A control's text in another process: asked for, since GetWindowText does not ask there.
std::string ControlText(HWND hWnd)
{
    char text[512] = "";
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &dwResult);
    return text;
}

const char kHeader[] = "设备名称,序列号,手机号码,设备型号,软件版本,信号质量\n";
const char kPhone[] = "13900000001";

class SmsProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FirstSerialPair(m_nPort, m_nModemPort)) << "run with a serial pair (SERIAL_PAIRS)";
        m_folder = TempPath("marqtel-sms-program-" + std::to_string(::GetCurrentProcessId()));
        ::CreateDirectoryA(m_folder.c_str(), NULL);
        m_exe = m_folder + "\\Marqtel.exe";
        ASSERT_TRUE(::CopyFileA((ProgramFolder() + MARQTEL_EXE).c_str(), m_exe.c_str(), FALSE));
        WriteFile(m_folder + "\\devices.csv", std::string(kHeader) + "站1,," + kPhone + ",,,\n");
        m_transcript = m_folder + "\\transcript.txt";
        SetProgramModemPort(m_nPort);
        SetProgramLogin("", "");
        ::SetEnvironmentVariableA("MARQTEL_MODEM_STEP_MS", "20");
    }
    void TearDown() override
    {
        for (PROCESS_INFORMATION& pi : m_processes) {
            if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(pi.hProcess, 1);
            ::WaitForSingleObject(pi.hProcess, 5000);
            ::CloseHandle(pi.hProcess);
            ::CloseHandle(pi.hThread);
        }
        SetProgramModemPort(-1);
        SetProgramLogin("", "");
        const char* files[] = { "\\Marqtel.exe", "\\log.txt", "\\transcript.txt", "\\devices.csv",
                                "\\devices\\站1.ini" };
        for (const char* file : files)
            ::DeleteFileA((m_folder + file).c_str());
        ::RemoveDirectoryA((m_folder + "\\devices").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        DWORD dwWritten = 0;
        ::WriteFile(h, bytes.data(), (DWORD)bytes.size(), &dwWritten, NULL);
        ::CloseHandle(h);
    }
    PROCESS_INFORMATION Start(const std::string& commandLine)
    {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string line = commandLine;
        EXPECT_TRUE(::CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, m_folder.c_str(), &si, &pi));
        m_processes.push_back(pi);
        return pi;
    }
    HWND FrameOf(DWORD processId)
    {
        return WaitForProcessWindow(
            processId,
            [](HWND hWnd) {
                return WindowClassOf(hWnd) != "#32770" && WindowTextOf(hWnd).find("Marqtel") != std::string::npos;
            },
            20000);
    }
    std::string Log() { return ReadFileBytes(m_folder + "\\log.txt"); }
    bool Logged(const std::string& part) { return Log().find(part) != std::string::npos; }

    int m_nPort = 0, m_nModemPort = 0;
    std::string m_folder, m_exe, m_transcript;
    std::vector<PROCESS_INFORMATION> m_processes;
};

TEST_F(SmsProgramTest, FirstRunLoginAndAStatusQueryAnsweredByATerminal)
{
    Start("\"" + ProgramFolder() + "gsmsim.exe\" --port " + std::to_string(m_nModemPort) + " --rate 4800 --terminal " +
          kPhone + "|500 --transcript \"" + m_transcript + "\"");

    // The first run: the user is created, and the program goes on to start the modem.
    PROCESS_INFORMATION first = Start("\"" + m_exe + "\"");
    {
        LoginAnswerer login(first.dwProcessId, { { "op", "secret" } });
        HWND hFrame = FrameOf(first.dwProcessId);
        ASSERT_NE(HWND(NULL), hFrame);
        ASSERT_TRUE(WaitUntil([&] { return Logged("|||短信模块就绪\r\n"); }, 30000));
        login.Stop();
        EXPECT_EQ(std::vector<std::string>{ "创建新用户" }, login.m_captions);
        ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(first.hProcess, 20000));
    }

    // The next: a wrong password is refused, the right one logs in.
    PROCESS_INFORMATION program = Start("\"" + m_exe + "\"");
    LoginAnswerer answerer(program.dwProcessId, { { "op", "wrong" }, { "op", "secret" } }, true);
    HWND hFrame = FrameOf(program.dwProcessId);
    ASSERT_NE(HWND(NULL), hFrame);
    ASSERT_TRUE(WaitUntil([&] { return Log().find("|||短信模块就绪\r\n") != Log().rfind("|||短信模块就绪\r\n"); },
                          30000));
    HWND hList = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (hList = FindChildOfClass(hFrame, "SysListView32")) != NULL; }, 10000));
    HWND hPage = ::GetParent(hList);

    // The user picks the device in the list and presses 查询状态.
    // The list's Home key selects its first row.
    ::PostMessageA(hList, WM_KEYDOWN, VK_HOME, 0);
    ::PostMessageA(hList, WM_KEYUP, VK_HOME, 0);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(::GetDlgItem(hPage, IDC_DEVICE_NAME)) == "站1"; }, 10000));
    ::PostMessageA(hPage, WM_COMMAND, MAKEWPARAM(IDC_QUERY_DEVICE, BN_CLICKED),
                   (LPARAM)::GetDlgItem(hPage, IDC_QUERY_DEVICE));

    std::string ip = "查询[站1(13900000001)]的IP成功，IP: 10.20.30.40!";
    ASSERT_TRUE(WaitUntil([&] { return ControlText(::GetDlgItem(hPage, IDC_SIGNAL)) == "23"; }, 30000));
    ASSERT_TRUE(WaitUntil([&] { return Logged(ip); }, 10000));
    ::Sleep(1000); // the last box is answered
    answerer.Stop();
    EXPECT_EQ((std::vector<std::string>{ "用户登录", "用户登录" }), answerer.m_captions);
    std::string status = "[站1(13900000001)]的信号是23; IMSI号是460001234567890; IMEI号是861234567890123; "
                         "基站小区ID是1A2B; 版本号是 V2.3; 厂商标识是 3; 网管设备号是 345012345";
    EXPECT_EQ((std::vector<std::string>{ "用户名或密码错误！", "短信发送成功！", status, ip }), answerer.m_messages);
    EXPECT_EQ("V2.3", ControlText(::GetDlgItem(hPage, IDC_VERSION)));

    // The first frame of a run: the unseeded generator's first pair, and the frame's own code.
    std::string frame = SignFrame("+frT6x;Fq;");
    EXPECT_NE(std::string::npos, ReadFileBytes(m_transcript).find("AT+CMGS=13900000001\r" + frame + "\x1A"));
    EXPECT_TRUE(Logged("|站1|13900000001|正在发送短信[" + frame + "]\r\n"));
    EXPECT_TRUE(Logged("|站1|13900000001|收到短信息[#frT6x:23,0,460001234567890,"));
    EXPECT_TRUE(Logged("|站1|13900000001|查询[站1(13900000001)]的工作状态成功，信号值: 23!\r\n"));
    EXPECT_TRUE(Logged("|站1|13900000001|" + status + "\r\n"));

    // The record holds the answer: saved with the list on closing.
    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    HWND hQuestion = WaitForProcessWindow(
        program.dwProcessId, [](HWND hWnd) { return WindowClassOf(hWnd) == "#32770"; }, 20000);
    ASSERT_NE(HWND(NULL), hQuestion);
    ::PostMessageA(hQuestion, WM_COMMAND, IDYES, 0);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(program.hProcess, 20000));
    EXPECT_EQ(std::string(kHeader) + "站1,," + kPhone + ",,V2.3,23\n", ReadFileBytes(m_folder + "\\devices.csv"));
}

} // namespace
