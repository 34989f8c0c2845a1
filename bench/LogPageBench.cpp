// Marqtel's log page with a long operation log: the time to open the page (the whole file read
// into the list) and to reload it after one more line, for a log of N lines.
//   logpagebench [--lines N]        (default 20,000; log.txt beside the program is replaced)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Log.h"
#include "SyslogView.h"
#include "afxext.h"
#include "resource.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The CPU time this thread has used, in seconds: on a busy machine the wall clock also counts
// the time others had the processor.
double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k{ { kernel.dwLowDateTime, kernel.dwHighDateTime } };
    ULARGE_INTEGER u{ { user.dwLowDateTime, user.dwHighDateTime } };
    return double(k.QuadPart + u.QuadPart) / 1e7;
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

void WriteLines(int nLines)
{
    CloseLog();
    ::DeleteFileA(GetLogPath());
    OpenLog();
    for (int i = 0; i < nLines; ++i)
        WriteLog(1 + i % 3, "设备1", "13800000000", "短信[%d]已经发送", i);
}

// Runs the messages the page's repaint left, so that their cost counts too.
void Settle()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int nLines = 20000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--lines") == 0)
            nLines = std::atoi(argv[i + 1]);

    AfxWinInit(::GetModuleHandleA(NULL), NULL, ::GetCommandLineA(), SW_SHOW);
    WriteLines(nLines);

    CWnd parent;
    parent.CreateEx(0, NULL, "log page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 600, NULL, NULL);
    CSyslogView* pPage = static_cast<CSyslogView*>(RUNTIME_CLASS(CSyslogView)->CreateObject());
    pPage->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 880, 560), &parent, AFX_IDW_PANE_FIRST, NULL);
    Settle();

    LARGE_INTEGER start = Now();
    double cpuStart = ThreadSeconds();
    pPage->SendMessage(WM_INITIALUPDATE);
    Settle();
    LARGE_INTEGER opened = Now();
    std::printf("log page, %d lines: opened in %.2f s, %.2f s of it on the processor (%d rows)\n", nLines,
                Seconds(start, opened), ThreadSeconds() - cpuStart, pPage->m_list.GetItemCount());

    ::Sleep(1100); // a new modification time for the reload to see
    WriteLog(1, NULL, NULL, "one more line");
    start = Now();
    cpuStart = ThreadSeconds();
    pPage->SendMessage(WM_TIMER, TIMER_LOG_RELOAD);
    Settle();
    std::printf("log page, %d lines: reloaded after a change in %.2f s, %.2f s of it on the processor (%d rows)\n",
                nLines + 1, Seconds(start, Now()), ThreadSeconds() - cpuStart, pPage->m_list.GetItemCount());

    parent.DestroyWindow();
    CloseLog();
    return 0;
}
