#include "HostWindow.h"

#include <cstring>

#include "TestSupport.h"

HostWindow::HostWindow() {
    window_ = CreateHiddenWindow("VerrinTestHost", &HostWindow::windowProc);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HostWindow::~HostWindow() { DestroyWindow(window_); }

bool HostWindow::pumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

void HostWindow::pumpFor(DWORD ms) {
    pumpUntil([] { return false; }, ms);
}

LRESULT CALLBACK HostWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_LINKEVENT && self) {
        self->onLinkEvent();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void HostWindow::onLinkEvent() {
    ++messages;
    TUserDataRecord record;
    char aux[1024];
    const int result = do_read_proc(&record, aux, replyFlag_);
    results.push_back(result);
    if (result > 0) {
        records.push_back(record);
        auxTexts.emplace_back(aux, strnlen(aux, sizeof aux));
    }
}
