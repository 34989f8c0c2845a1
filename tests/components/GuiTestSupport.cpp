#include "GuiTestSupport.h"

#include <map>

#include "components/TApplication.h"

void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        Application->ProcessMessages();
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    Application->ProcessMessages();
}

namespace {
std::map<UINT_PTR, std::function<void()>>& Pending() {
    static std::map<UINT_PTR, std::function<void()>> pending;
    return pending;
}

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = Pending().find(id);
    if (it == Pending().end()) return;
    auto action = std::move(it->second);
    Pending().erase(it);
    action();
}

BOOL CALLBACK MatchClass(HWND window, LPARAM data) {
    auto* wanted = reinterpret_cast<std::pair<std::string, HWND>*>(data);
    if (IsWindowVisible(window) && WindowClassOf(window) == wanted->first) {
        wanted->second = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void RunLater(std::function<void()> action, int milliseconds) {
    const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), RunPending);
    Pending()[id] = std::move(action);
}

HWND FindThreadWindow(const std::string& className) {
    std::pair<std::string, HWND> wanted{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&wanted));
    return wanted.second;
}

std::vector<std::string>& ReportedErrors() {
    static std::vector<std::string> errors;
    return errors;
}

void PrepareApplication() {
    static bool done = false;
    if (done) return;
    done = true;
    Application->Initialize();
    Application->SetTitle("Components");
    Application->OnException = [](TObject*, const std::exception& e) { ReportedErrors().push_back(e.what()); };
}
