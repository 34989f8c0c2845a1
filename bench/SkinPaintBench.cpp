// The time to repaint the console's main form, frame and client area with all its controls,
// skinned with the console's skin and then, in the same run, given back to the system's frame.
//   skinpaintbench [--rounds N] [--repaints M]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "SettingsFile.h"
#include "WinSkinDlg.h"
#include "WinSkinForm.h"
#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TTimer.h"
#include "fmMain.h"
#include "unitCustomDialogs.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump(int milliseconds) {
    const double until = Now() + milliseconds;
    while (Now() < until) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(1);
    }
}

BOOL CALLBACK ClickYes(HWND window, LPARAM) {
    auto* box = dynamic_cast<TMessageForm*>(TControl::FindControl(window));
    if (!box || !IsWindowVisible(window)) return TRUE;
    if (auto* yes = dynamic_cast<TButton*>(box->FindComponent("Yes"))) SendMessageA(yes->Handle(), BM_CLICK, 0, 0);
    return FALSE;
}

// Answers the protocol question the main form asks when it is made.
void CALLBACK AnswerUdp(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), ClickYes, 0); }

bool Skinned(HWND window) {
    TWinSkinForm* skin = SkinManager ? SkinManager->FindForm(window) : nullptr;
    return skin && skin->Started;
}

// The median time of one repaint, in milliseconds, over rounds of repaints.
double MedianMs(int rounds, int repaints, const std::function<void()>& repaint) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const double start = Now();
        for (int i = 0; i < repaints; ++i) repaint();
        times.push_back((Now() - start) / repaints);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct TFigures {
    double Whole;  // frame, client area and every control
    double Frame;  // the frame alone
};

TFigures Measure(HWND window, int rounds, int repaints) {
    const auto whole = [window] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    const auto frame = [window] { SendMessageA(window, WM_NCPAINT, 1, 0); };
    MedianMs(2, repaints, whole);
    return TFigures{MedianMs(rounds, repaints, whole), MedianMs(rounds, repaints, frame)};
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 21, repaints = 20;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--repaints") == 0) repaints = std::max(1, std::atoi(argv[i + 1]));
    }
    Application->Initialize();
    Application->SetTitle("SABLINK");
    WriteStartMode(StartManual);
    const UINT_PTR answering = SetTimer(nullptr, 0, 10, AnswerUdp);
    Application->CreateForm(Form1);
    KillTimer(nullptr, answering);
    Form1->Show();
    HWND window = Form1->Handle();
    for (int i = 0; i < 300 && !Skinned(window); ++i) Pump(10);
    if (!Skinned(window)) {
        std::printf("skinpaintbench: the main form was not skinned\n");
        return 1;
    }
    Pump(100);
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("skinpaintbench: the console's main form, %ld x %ld, repainted whole (frame, client, controls); "
                "median of %d rounds of %d repaints\n",
                r.right - r.left, r.bottom - r.top, rounds, repaints);
    const TFigures skinned = Measure(window, rounds, repaints);

    Form1->SkinData1->SetActive(false);
    for (int i = 0; i < 300 && (Skinned(window) || SkinManager->Timer->Enabled()); ++i) Pump(10);
    Pump(100);
    const TFigures plain = Measure(window, rounds, repaints);

    std::printf("                                 skinned   unskinned   skinned / unskinned\n");
    std::printf("  whole form, ms per repaint: %10.3f  %10.3f   %8.2f (goal: at most 1.5)\n", skinned.Whole, plain.Whole,
                skinned.Whole / plain.Whole);
    std::printf("  frame alone (WM_NCPAINT):   %10.3f  %10.3f   %8.2f\n", skinned.Frame, plain.Frame, skinned.Frame / plain.Frame);
    return 0;
}
