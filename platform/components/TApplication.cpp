#include "components/TApplication.h"

#include <commctrl.h>

#include "components/SysUtils.h"
#include "components/TClassInfo.h"
#include "components/TControl.h"
#include "components/TCustomForm.h"
#include "components/TMenu.h"
#include "components/TTimer.h"
#include "components/TWinControl.h"

TApplication* Application = new TApplication(nullptr);

namespace {

// How often the loop looks for input, paints and timers before the posted messages, and how many
// of them it takes ahead in a row at most.
constexpr DWORD LookAheadEveryMs = 15;
constexpr int MostTakenAhead = 32;

}  // namespace

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication").Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

void StartCommonControls() {
    static const bool started = [] {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)started;
}

HWND TApplication::Handle() {
    if (FHandle) return FHandle;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
    FHandle = CreateWindowExA(0, "TApplication", FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                              GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!FHandle) throw EOSError("Cannot create the application window");
    // The program's icon, when it has one, is the window's (asked for with WM_GETICON).
    if (HICON icon = Icon()) {
        SendMessageA(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(FHandle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    return FHandle;
}

LRESULT CALLBACK TApplication::AppWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_TIMER: {
            auto it = Application->FTimers.find(wParam);
            if (it != Application->FTimers.end()) it->second->Tick();
            return 0;
        }
        case WM_DRAWITEM:
        case WM_MEASUREITEM: {
            TMessage m{msg, wParam, lParam, 0};
            if (TMenu::HandleOwnerDraw(m)) return m.Result;
            break;
        }
        case WM_CLOSE:
            if (Application->FMainForm) Application->FMainForm->Close();
            else Application->Terminate();
            return 0;
        default:
            break;
        }
    } catch (const std::exception& e) {
        Application->HandleException(e);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HICON TApplication::Icon() const { return LoadIconA(GetModuleHandleA(nullptr), "MAINICON"); }

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (FHandle) SetWindowTextA(FHandle, title.c_str());
}

void TApplication::Initialize() {
    RegisterComponentClasses();
    StartCommonControls();
}

void TApplication::SetMainFormIfFirst(TCustomForm* form) {
    if (!FMainForm) FMainForm = form;
}

void TApplication::Terminate() {
    if (!FTerminated) PostQuitMessage(0);
    FTerminated = true;
}

void TApplication::Run() {
    if (FMainForm) FMainForm->Show();
    while (!FTerminated) HandleMessage();
    // The forms go before the program ends, so their windows are given back in order.
    DestroyComponents();
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!TakeMessage(msg)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    if (!IsKeyMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// The system hands a thread the messages posted to it before its input, its paints and its
// timers. A program posted thousands of messages a second (the link library posts one for every
// event) would leave the user's clicks and keys, and its own timers, waiting until they stop; so
// every few milliseconds the loop first takes what waits of those, one after the other. Only so
// many in a row, so that a window that never validates what it should paint cannot hold the
// posted messages back in turn.
bool TApplication::TakeMessage(MSG& msg) {
    const DWORD now = GetTickCount();
    if (FTakenAhead > 0 || now - FLastLookAhead >= LookAheadEveryMs) {
        if (FTakenAhead < MostTakenAhead &&
            (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT | PM_QS_PAINT) ||
             PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))) {
            ++FTakenAhead;
            return true;
        }
        FTakenAhead = 0;
        FLastLookAhead = now;
    }
    return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) WaitMessage();
}

// Keys go to the focused control first (CN_xxx), where the form's preview, the control's own key
// events and the dialog keys of the form get them; a key they take is not dispatched.
bool TApplication::IsKeyMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    HWND window = msg.hwnd;
    TControl* control = TControl::FindControl(window);
    while (!control && window) {
        window = GetParent(window);
        control = TControl::FindControl(window);
    }
    auto* target = dynamic_cast<TWinControl*>(control);
    if (!target) return false;
    TMessage m{CN_BASE + msg.message, msg.wParam, msg.lParam, 0};
    try {
        target->WindowProc(m);
    } catch (const std::exception& e) {
        HandleException(e);
        return true;
    }
    if (m.Result != 0) return true;
    msg.wParam = m.WParam;
    return false;
}

void TApplication::HandleException(const std::exception& error) {
    if (OnException) {
        OnException(this, error);
        return;
    }
    HWND owner = GetActiveWindow();
    ::MessageBoxA(owner, error.what(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return ::MessageBoxA(GetActiveWindow(), text.c_str(), caption.empty() ? FTitle.c_str() : caption.c_str(), flags);
}

bool TApplication::HelpContext(int context) {
    if (FHelpFile.empty()) return false;
    return WinHelpA(Handle(), FHelpFile.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(context)) != FALSE;
}

// ---- mouse tracking and hints ---------------------------------------------------------------

void TApplication::NoteMouseOver(TControl* control) {
    if (FMouseControl != control) {
        TControl* old = FMouseControl;
        FMouseControl = control;
        if (old) old->Perform(CM_MOUSELEAVE);
        control->Perform(CM_MOUSEENTER);
    }
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, control->Handle(), 0};
    TrackMouseEvent(&track);
}

void TApplication::NoteMouseLeft(TControl* control) {
    if (FMouseControl != control) return;
    FMouseControl = nullptr;
    control->Perform(CM_MOUSELEAVE);
}

void TApplication::ControlDestroying(TControl* control) {
    if (FMouseControl == control) FMouseControl = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form) {
    if (FMainForm == form) FMainForm = nullptr;
}

static bool HintWanted(TControl* control) {
    if (!Application->ShowHint() || control->Hint().empty()) return false;
    for (TControl* c = control; c; c = c->Parent())
        if (c->ShowHint()) return true;
    return false;
}

void TApplication::UpdateHintTool(TControl* control) {
    if (!control->HandleAllocated()) return;
    if (!FHintWindow) {
        if (!HintWanted(control)) return;
        StartCommonControls();
        FHintWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!FHintWindow) return;
    }
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control->Handle()) ? GetParent(control->Handle()) : control->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    SendMessageA(FHintWindow, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (!HintWanted(control)) return;
    std::string text = control->Hint();
    tool.lpszText = text.data();
    SendMessageA(FHintWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- timers ---------------------------------------------------------------------------------

UINT_PTR TApplication::StartTimer(TTimer* timer, UINT interval) {
    const UINT_PTR id = FNextTimerId++;
    if (!SetTimer(Handle(), id, interval, nullptr)) throw EOSError("Not enough timers available");
    FTimers[id] = timer;
    return id;
}

void TApplication::StopTimer(UINT_PTR id) {
    if (FHandle) KillTimer(FHandle, id);
    FTimers.erase(id);
}
