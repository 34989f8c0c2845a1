#include "ClickProbe.h"

namespace {

// Longer than this is no answer at all.
constexpr DWORD kAnswerWaitMs = 5000;
constexpr DWORD kPollMs = 5;

double nowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void mouseAt(int x, int y, DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

ClickProbe::ClickProbe(HWND box, DWORD everyMs) : box_(box), everyMs_(everyMs) {
    thread_ = std::thread([this] { run(); });
}

ClickProbe::~ClickProbe() { stop(); }

ClickProbe::Answers ClickProbe::stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> locked(lock_);
    return answers_;
}

void ClickProbe::run() {
    while (!stop_) {
        const double started = nowMs();
        double answerMs = 0;
        const bool answered = clickAndWait(answerMs);
        {
            std::lock_guard<std::mutex> locked(lock_);
            if (answered) answers_.ms.push_back(answerMs);
            else ++answers_.unanswered;
        }
        while (!stop_ && nowMs() - started < everyMs_) Sleep(kPollMs);
    }
}

// -1 when the console did not say within the wait.
int ClickProbe::state() const {
    DWORD_PTR checked = 0;
    if (!SendMessageTimeoutA(box_, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerWaitMs, &checked)) return -1;
    return static_cast<int>(checked);
}

bool ClickProbe::clickAndWait(double& answerMs) {
    const int before = state();
    if (before < 0) return false;
    RECT box;
    GetWindowRect(box_, &box);
    const int x = box.left + 6;  // on the box's mark, whatever its caption
    const int y = (box.top + box.bottom) / 2;
    mouseAt(x, y, 0);
    const double clicked = nowMs();
    mouseAt(x, y, MOUSEEVENTF_LEFTDOWN);
    mouseAt(x, y, MOUSEEVENTF_LEFTUP);
    while (nowMs() - clicked < kAnswerWaitMs) {
        const int now = state();
        if (now >= 0 && now != before) {
            answerMs = nowMs() - clicked;
            return true;
        }
        Sleep(kPollMs);
    }
    return false;
}
