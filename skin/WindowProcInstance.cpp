#include "WindowProcInstance.h"

#include <array>
#include <exception>
#include <unordered_map>

#include "ImgUtil.h"
#include "components/TApplication.h"

namespace {

// The bindings of each kind, by window. Kept in the process rather than as window properties,
// which would cost a round trip to the window system for every message; the engine runs on the
// GUI thread alone.
std::unordered_map<HWND, TWindowProcInstance*>& Bindings(TWindowProcKind kind) {
    static std::array<std::unordered_map<HWND, TWindowProcInstance*>, 4> bindings;
    return bindings[static_cast<std::size_t>(kind)];
}

// Nothing may unwind through the system's frames (it would end the program): an exception a
// handler lets through is reported as the component layer reports its own, and the message
// answers 0.
template <class THandlerCall>
LRESULT CallShielded(const THandlerCall& call) {
    try {
        return call();
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
        else SkinLog(std::string("window procedure: ") + e.what());
    } catch (...) {
        SkinLog("window procedure: an exception of unknown kind");
    }
    return 0;
}

}  // namespace

template <TWindowProcKind Kind>
LRESULT CALLBACK TWindowProcInstance::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto& bindings = Bindings(Kind);
    const auto found = bindings.find(window);
    if (found != bindings.end() && found->second->FHandler) {
        // A copy: the binding may let go of its handler (and be freed) while it runs.
        const THandler handler = found->second->FHandler;
        return CallShielded([&] { return handler(msg, wParam, lParam); });
    }
    // A binding that let go while the system still routed a message here.
    return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam) : DefWindowProcA(window, msg, wParam, lParam);
}

WNDPROC TWindowProcInstance::DispatchProc() const {
    switch (FKind) {
    case TWindowProcKind::SkinnedWindow: return &Dispatch<TWindowProcKind::SkinnedWindow>;
    case TWindowProcKind::MDIClient: return &Dispatch<TWindowProcKind::MDIClient>;
    case TWindowProcKind::PopupMenu: return &Dispatch<TWindowProcKind::PopupMenu>;
    case TWindowProcKind::ControlSkin: return &Dispatch<TWindowProcKind::ControlSkin>;
    }
    return &Dispatch<TWindowProcKind::SkinnedWindow>;
}

bool TWindowProcInstance::Install(HWND window, bool unicode, THandler handler) {
    if (FWindow || !IsWindow(window) || Bindings(FKind).count(window)) return false;
    FWindow = window;
    FUnicode = unicode;
    FHandler = std::move(handler);
    Bindings(FKind)[window] = this;
    const auto proc = reinterpret_cast<LONG_PTR>(DispatchProc());
    const LONG_PTR old = unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc) : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
    FOldProc = reinterpret_cast<WNDPROC>(old);
    return true;
}

void TWindowProcInstance::Remove() {
    if (!FWindow) return;
    if (IsWindow(FWindow)) {
        const auto old = reinterpret_cast<LONG_PTR>(FOldProc);
        if (FUnicode) SetWindowLongPtrW(FWindow, GWLP_WNDPROC, old);
        else SetWindowLongPtrA(FWindow, GWLP_WNDPROC, old);
    }
    auto& bindings = Bindings(FKind);
    const auto found = bindings.find(FWindow);
    if (found != bindings.end() && found->second == this) bindings.erase(found);
    // The handler stays: Remove may run inside it (a window that is going lets go of its skin).
    FWindow = nullptr;
}

LRESULT TWindowProcInstance::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!FOldProc || !FWindow) return 0;
    return FUnicode ? CallWindowProcW(FOldProc, FWindow, msg, wParam, lParam)
                    : CallWindowProcA(FOldProc, FWindow, msg, wParam, lParam);
}
