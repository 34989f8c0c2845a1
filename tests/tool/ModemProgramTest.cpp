// Marqtel.exe with the modem simulator gsmsim.exe on the far end of a serial pair: the program
// starts the modem, and a message the modem holds is logged, shown and deleted.
#include <gtest/gtest.h>

#include "LoginAnswerer.h"
#include "TestProfile.h"
#include "TestSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>

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

class ModemProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FirstSerialPair(m_nPort, m_nModemPort)) << "run with a serial pair (SERIAL_PAIRS)";
        m_folder = TempPath("marqtel-modem-" + std::to_string(::GetCurrentProcessId()));
        ::CreateDirectoryA(m_folder.c_str(), NULL);
        m_exe = m_folder + "\\Marqtel.exe";
        ASSERT_TRUE(::CopyFileA((ProgramFolder() + MARQTEL_EXE).c_str(), m_exe.c_str(), FALSE));
        m_transcript = m_folder + "\\transcript.txt";
        m_state = m_folder + "\\state.txt";
        SetProgramModemPort(m_nPort);
        SetProgramLogin("op", "pw");
        // The program's modem waits, shortened as in the other modem tests; the children
        // inherit it.
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
        const char* files[] = { "\\Marqtel.exe", "\\log.txt", "\\transcript.txt", "\\state.txt" };
        for (const char* file : files)
            ::DeleteFileA((m_folder + file).c_str());
        ::RemoveDirectoryA((m_folder + "\\devices").c_str());
        ::RemoveDirectoryA(m_folder.c_str());
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
    // The status bar answers WM_GETTEXT with its first pane's text, across processes too.
    static std::string StatusText(HWND hFrame)
    {
        HWND hStatusBar = ::FindWindowExA(hFrame, NULL, STATUSCLASSNAMEA, NULL);
        char text[512] = "";
        DWORD_PTR dwResult = 0;
        ::SendMessageTimeoutA(hStatusBar, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &dwResult);
        return text;
    }

    int m_nPort = 0, m_nModemPort = 0;
    std::string m_folder, m_exe, m_transcript, m_state;
    std::vector<PROCESS_INFORMATION> m_processes;
};

TEST_F(ModemProgramTest, AMessageInTheModemIsLoggedShownAndDeleted)
{
    PROCESS_INFORMATION modem = Start("\"" + ProgramFolder() + "gsmsim.exe\" --port " + std::to_string(m_nModemPort) +
                                      " --rate 4800 --sms \"+8613800000001|#T;Q;OK\" --transcript \"" + m_transcript +
                                      "\" --state \"" + m_state + "\"");
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(m_state) == "stored 1\nsent 0\n"; }, 20000));
    PROCESS_INFORMATION program = Start("\"" + m_exe + "\"");
    LoginAnswerer login(program.dwProcessId, { { "op", "pw" } });

    HWND hFrame = WaitForProcessWindow(
        program.dwProcessId,
        [](HWND hWnd) { return WindowClassOf(hWnd) != "#32770" && WindowTextOf(hWnd).find("Marqtel") != std::string::npos; },
        20000);
    ASSERT_NE(HWND(NULL), hFrame);
    std::string received = "收到来自[13800000001]的短信[#T;Q;OK]，发送时间为[09/01/06,";
    // Ready at once, the first poll 5 seconds later.
    ASSERT_TRUE(WaitUntil([&] { return ReadFileBytes(m_state) == "stored 0\nsent 0\n"; }, 30000));
    std::string log = ReadFileBytes(m_folder + "\\log.txt");
    EXPECT_NE(std::string::npos, log.find("|||初始化短信模块(串口[COM" + std::to_string(m_nPort) + "])...\r\n"));
    EXPECT_NE(std::string::npos, log.find("|||短信模块就绪\r\n"));
    EXPECT_NE(std::string::npos, log.find("|||" + received));
    EXPECT_EQ(0u, StatusText(hFrame).find(received));
    std::string transcript = ReadFileBytes(m_transcript);
    EXPECT_EQ(0u, transcript.find("ATE0\r\n"));
    EXPECT_NE(std::string::npos, transcript.find("AT+CMGF=1\rAT+CMGL=\"ALL\"\rAT+CMGD=1\r"));

    ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(program.hProcess, 20000));
    ::TerminateProcess(modem.hProcess, 0);
}

} // namespace
