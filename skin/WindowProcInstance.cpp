#include "WindowProcInstance.h"

const char* TWindowProcInstance::PropertyName(TWindowProcKind kind) {
    switch (kind) {
    case TWindowProcKind::SkinnedWindow: return "SkinEngine.Window";
    case TWindowProcKind::MDIClient: return "SkinEngine.MDIClient";
    case TWindowProcKind::PopupMenu: return "SkinEngine.PopupMenu";
    case TWindowProcKind::ControlSkin: return "SkinEngine.Control";
    }
    return "SkinEngine.Window";
}

template <TWindowProcKind Kind>
LRESULT CALLBACK TWindowProcInstance::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWindowProcInstance*>(GetPropA(window, PropertyName(Kind)));
    if (self && self->FHandler) return self->FHandler(msg, wParam, lParam);
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
    if (FWindow || !IsWindow(window) || GetPropA(window, PropertyName(FKind))) return false;
    FWindow = window;
    FUnicode = unicode;
    FHandler = std::move(handler);
    SetPropA(window, PropertyName(FKind), this);
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
        if (GetPropA(FWindow, PropertyName(FKind)) == this) RemovePropA(FWindow, PropertyName(FKind));
    }
    // The handler stays: Remove may run inside it (a window that is going lets go of its skin).
    FWindow = nullptr;
}

LRESULT TWindowProcInstance::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!FOldProc || !FWindow) return 0;
    return FUnicode ? CallWindowProcW(FOldProc, FWindow, msg, wParam, lParam)
                    : CallWindowProcA(FOldProc, FWindow, msg, wParam, lParam);
}
