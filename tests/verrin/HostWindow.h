#pragma once
// A hidden window that plays the host: every link message is answered by one do_read_proc.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "verrin.h"

constexpr UINT WM_LINKEVENT = 4567;

class HostWindow {
public:
    HostWindow();
    ~HostWindow();

    HWND handle() const { return window_; }
    void setReplyFlag(DWORD flag) { replyFlag_ = flag; }

    // Runs the message loop until the condition holds or the time is up.
    bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
    void pumpFor(DWORD ms);

    int messages = 0;
    std::vector<TUserDataRecord> records;  // non-empty results of do_read_proc, in order
    std::vector<std::string> auxTexts;     // the aux text that came with each record
    std::vector<int> results;              // do_read_proc's return value per message

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void onLinkEvent();

    HWND window_ = nullptr;
    DWORD replyFlag_ = 0;
};
