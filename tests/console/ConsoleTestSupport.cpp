#include "ConsoleTestSupport.h"

#include <algorithm>

#include "components/TApplication.h"
#include "components/TButton.h"
#include "components/TButtonControl.h"
#include "components/TCustomEdit.h"
#include "components/TCustomForm.h"
#include "components/TCustomLabel.h"
#include "components/TMenuItem.h"
#include "components/TToolButton.h"
#include "unitCustomDialogs.h"

namespace {

constexpr int PollMs = 20;
constexpr int PollTries = 250;

void Poll(const std::string& windowClass, std::function<void(HWND, TDialogSeen&)> action, TDialogWatch seen, int triesLeft) {
    HWND window = FindThreadWindow(windowClass);
    if (window) {
        seen->Seen = true;
        seen->Caption = WindowTextOf(window);
        action(window, *seen);
        return;
    }
    if (triesLeft > 0) RunLater([=] { Poll(windowClass, action, seen, triesLeft - 1); }, PollMs);
}

BOOL CALLBACK FindStaticText(HWND child, LPARAM data) {
    auto* text = reinterpret_cast<std::string*>(data);
    if (WindowClassOf(child) == "Static" && !WindowTextOf(child).empty()) {
        *text = WindowTextOf(child);
        return FALSE;
    }
    return TRUE;
}

template <class T>
T* FindOwned(TComponent* owner, const std::function<bool(T*)>& wanted) {
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<T*>(owner->Components(i)); c && wanted(c)) return c;
    return nullptr;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    while (!done()) {
        if (static_cast<int>(end - GetTickCount()) <= 0) return false;
        Application->ProcessMessages();
        Sleep(2);
    }
    return true;
}

TDialogWatch WhenShown(const std::string& windowClass, std::function<void(HWND, TDialogSeen&)> action) {
    auto seen = std::make_shared<TDialogSeen>();
    RunLater([=] { Poll(windowClass, action, seen, PollTries); }, PollMs);
    return seen;
}

TDialogWatch AnswerMessageBox(const std::string& button) {
    return WhenShown("TMessageForm", [button](HWND window, TDialogSeen& seen) {
        auto* box = dynamic_cast<TMessageForm*>(TControl::FindControl(window));
        if (!box) return;
        seen.Text = box->Message()->Caption();
        if (auto* b = dynamic_cast<TButton*>(box->FindComponent(button))) SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    });
}

TDialogWatch AnswerInputBox(const std::string& text, bool ok) {
    return WhenShown("TForm", [text, ok](HWND window, TDialogSeen& seen) {
        auto* box = dynamic_cast<TCustomForm*>(TControl::FindControl(window));
        if (!box) return;
        if (auto* edit = FindOwned<TCustomEdit>(box, [](TCustomEdit*) { return true; })) {
            seen.Text = edit->Text();
            edit->SetText(text);
        }
        const int result = ok ? mrOk : mrCancel;
        if (auto* b = FindOwned<TButton>(box, [result](TButton* b) { return b->ModalResult() == result; }))
            SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    });
}

TDialogWatch AnswerSystemMessageBox() {
    return WhenShown("#32770", [](HWND window, TDialogSeen& seen) {
        EnumChildWindows(window, FindStaticText, reinterpret_cast<LPARAM>(&seen.Text));
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    });
}

void ClickControl(TControl* control) {
    if (dynamic_cast<TButtonControl*>(control)) {
        SendMessageA(control->Handle(), BM_CLICK, 0, 0);
        return;
    }
    SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

void ChooseMenuItem(TCustomForm* form, TMenuItem* item) {
    SendMessageA(form->Handle(), WM_COMMAND, static_cast<WPARAM>(item->Command()), 0);
}

std::string MakeTempFolder() {
    static int counter = 0;
    for (;;) {
        const std::string path = TempPath("sablink-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter));
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
    }
}

void RemoveFolder(const std::string& path) {
    if (path.empty()) return;
    for (const std::string& name : FilesIn(path)) {
        const std::string full = path + "\\" + name;
        if (GetFileAttributesA(full.c_str()) & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(full);
        else DeleteFileA(full.c_str());
    }
    RemoveDirectoryA(path.c_str());
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

// The host kernel's unlink(2), called straight from this program: under Wine the program runs
// on the host, and its kernel knows nothing of Windows' sharing rules.
long HostUnlink(const char* path) {
    long result = -1;
#if defined(__x86_64__)
    __asm__ volatile("syscall" : "=a"(result) : "a"(87L), "D"(path) : "rcx", "r11", "memory");
#elif defined(__i386__)
    __asm__ volatile("int $0x80" : "=a"(result) : "a"(10L), "b"(path) : "memory");
#endif
    return result;
}

}  // namespace

bool RemoveFromHost(const std::string& path) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    wchar_t wide[MAX_PATH] = {0};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* name = unixName(wide);
    if (!name) return false;
    const long result = HostUnlink(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result == 0 && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}
