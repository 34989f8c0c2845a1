// The tool idle with its modem: Marqtel.exe on one end of a serial pair and the modem simulator
// gsmsim.exe on the other, no message to send or to receive, the tool polling every 5 seconds.
// Prints the CPU time the program used over the measured seconds, as a share of one core, the
// polls the modem answered meanwhile and the program's threads at the start and at the end.
// Under Wine the times come from the kernel's account of the program's process (/proc, seen
// as Z:\proc), which holds the threads that came and went too; GetProcessTimes of another
// process leaves those out there. Elsewhere they come from GetProcessTimes.
//   modemidlebench [--seconds S]
// Run with a serial pair: scripts/wine-run.sh --state build/wine --serial 1 build/bin/modemidlebench.exe
#include "LoginAnswerer.h"
#include "TestProfile.h"
#include "TestSupport.h"

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

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

PROCESS_INFORMATION Start(const std::string& commandLine, const std::string& folder)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string line = commandLine;
    if (!::CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &pi))
        std::fprintf(stderr, "modemidlebench: cannot start %s\n", commandLine.c_str());
    return pi;
}

std::string ReadWhole(const std::string& path)
{
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0,
                                 NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return "";
    std::string bytes;
    char chunk[4096];
    DWORD dwRead = 0;
    while (::ReadFile(hFile, chunk, sizeof chunk, &dwRead, NULL) && dwRead > 0)
        bytes.append(chunk, dwRead);
    ::CloseHandle(hFile);
    return bytes;
}

// The kernel's process whose command line names the program file; empty when there is none.
std::string KernelProcessFolder(const std::string& exe)
{
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA("Z:\\proc\\*", &found);
    std::string folder;
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore && folder.empty(); bMore = ::FindNextFileA(hFind, &found)) {
        if (found.cFileName[0] < '1' || found.cFileName[0] > '9')
            continue;
        std::string candidate = std::string("Z:\\proc\\") + found.cFileName;
        std::string commandLine = ReadWhole(candidate + "\\cmdline");
        if (commandLine.find(exe) != std::string::npos)
            folder = candidate;
    }
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
    return folder;
}

// User and system time from the process's stat line: fields 14 and 15, in clock ticks of 1/100 s.
double KernelCpuSeconds(const std::string& folder)
{
    std::string stat = ReadWhole(folder + "\\stat");
    size_t at = stat.rfind(')'); // the program name may hold blanks
    if (at == std::string::npos)
        return -1;
    unsigned long long fields[13] = {};
    // After the name: state (field 3), then the numbers up to stime (field 15).
    if (std::sscanf(stat.c_str() + at + 1, " %*c %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu %llu",
                    &fields[0], &fields[1], &fields[2], &fields[3], &fields[4], &fields[5], &fields[6], &fields[7],
                    &fields[8], &fields[9], &fields[10], &fields[11]) != 12)
        return -1;
    return (double)(fields[10] + fields[11]) / 100.0;
}

double ProcessCpuSeconds(HANDLE hProcess)
{
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(hProcess, &created, &exited, &kernel, &user))
        return -1;
    ULARGE_INTEGER k, u;
    k.LowPart = kernel.dwLowDateTime;
    k.HighPart = kernel.dwHighDateTime;
    u.LowPart = user.dwLowDateTime;
    u.HighPart = user.dwHighDateTime;
    return (double)(k.QuadPart + u.QuadPart) / 1e7;
}

int ThreadCount(DWORD processId)
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int nThreads = 0;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        nThreads += entry.th32OwnerProcessID == processId;
    ::CloseHandle(hSnapshot);
    return nThreads;
}

std::string StatusText(HWND hFrame)
{
    HWND hStatusBar = ::FindWindowExA(hFrame, NULL, STATUSCLASSNAMEA, NULL);
    char text[512] = "";
    DWORD_PTR dwResult = 0;
    ::SendMessageTimeoutA(hStatusBar, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &dwResult);
    return text;
}

int Count(const std::string& text, const std::string& part)
{
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

void End(PROCESS_INFORMATION& pi)
{
    if (pi.hProcess == NULL)
        return;
    if (::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
        ::TerminateProcess(pi.hProcess, 1);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
}

} // namespace

int main(int argc, char** argv)
{
    int nSeconds = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--seconds")
            nSeconds = std::atoi(argv[++i]);
    int nPort = 0, nModemPort = 0;
    if (!FirstSerialPair(nPort, nModemPort)) {
        std::fprintf(stderr, "modemidlebench: run with a serial pair (wine-run.sh --serial 1)\n");
        return 2;
    }
    // The program runs from a folder of its own, where its log and device files go.
    std::string folder = TempPath("marqtel-idle-" + std::to_string(::GetCurrentProcessId()));
    ::CreateDirectoryA(folder.c_str(), NULL);
    std::string exe = folder + "\\Marqtel.exe";
    std::string transcript = folder + "\\transcript.txt";
    if (!::CopyFileA((ProgramFolder() + "Marqtel.exe").c_str(), exe.c_str(), FALSE)) {
        std::fprintf(stderr, "modemidlebench: Marqtel.exe is not beside the benchmark\n");
        return 2;
    }
    SetProgramModemPort(nPort);
    SetProgramLogin("bench", "bench");

    PROCESS_INFORMATION modem = Start("\"" + ProgramFolder() + "gsmsim.exe\" --port " + std::to_string(nModemPort) +
                                          " --transcript \"" + transcript + "\"",
                                      folder);
    ::Sleep(1000);
    PROCESS_INFORMATION program = Start("\"" + exe + "\"", folder);
    int nResult = 1;
    {
        LoginAnswerer login(program.dwProcessId, { { "bench", "bench" } });
        HWND hFrame = WaitForProcessWindow(
            program.dwProcessId,
            [](HWND hWnd) {
                return WindowClassOf(hWnd) != "#32770" && WindowTextOf(hWnd).find("Marqtel") != std::string::npos;
            },
            30000);
        if (hFrame != NULL && WaitUntil([&] { return StatusText(hFrame) == "短信模块就绪"; }, 60000)) {
            // The first poll behind it, the program settles.
            ::Sleep(6000);
            int nThreadsBefore = ThreadCount(program.dwProcessId);
            int nPollsBefore = Count(ReadFileBytes(transcript), "AT+CMGL");
            std::string kernelFolder = KernelProcessFolder(exe.substr(exe.find("marqtel-idle-")));
            auto cpuSeconds = [&] {
                return kernelFolder.empty() ? ProcessCpuSeconds(program.hProcess) : KernelCpuSeconds(kernelFolder);
            };
            double dCpuBefore = cpuSeconds();
            DWORD dwStart = ::GetTickCount();
            ::Sleep((DWORD)nSeconds * 1000);
            double dElapsed = (::GetTickCount() - dwStart) / 1000.0;
            double dCpu = cpuSeconds() - dCpuBefore;
            int nPolls = Count(ReadFileBytes(transcript), "AT+CMGL") - nPollsBefore;
            std::printf("Marqtel.exe idle with its modem for %.1f s: %.2f CPU seconds, %.1f%% of one core; "
                        "%d polls answered; threads %d at the start, %d at the end (times from %s)\n",
                        dElapsed, dCpu, 100.0 * dCpu / dElapsed, nPolls, nThreadsBefore,
                        ThreadCount(program.dwProcessId), kernelFolder.empty() ? "GetProcessTimes" : "the kernel");
            nResult = 0;
            ::PostMessageA(hFrame, WM_CLOSE, 0, 0);
            ::WaitForSingleObject(program.hProcess, 20000);
        } else {
            std::fprintf(stderr, "modemidlebench: the program's modem did not come up\n");
        }
        login.Stop();
    }
    End(program);
    End(modem);
    SetProgramModemPort(-1);
    const char* files[] = { "\\Marqtel.exe", "\\log.txt", "\\transcript.txt", "\\devices.csv" };
    for (const char* file : files)
        ::DeleteFileA((folder + file).c_str());
    ::RemoveDirectoryA((folder + "\\devices").c_str());
    ::RemoveDirectoryA(folder.c_str());
    return nResult;
}
