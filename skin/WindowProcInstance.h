#pragma once
// A window procedure bound to an object: put in place of a window's own procedure, with the
// previous one kept to pass messages on to and to put back. Each kind of binding has a procedure
// and a table of windows of its own, so a window can carry one binding of every kind at the same
// time (a form and its MDI client, say).
#include "components/Win32.h"

#include <functional>

enum class TWindowProcKind { SkinnedWindow, MDIClient, PopupMenu, ControlSkin };

class TWindowProcInstance {
public:
    using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    explicit TWindowProcInstance(TWindowProcKind kind) : FKind(kind) {}
    ~TWindowProcInstance() { Remove(); }
    TWindowProcInstance(const TWindowProcInstance&) = delete;
    TWindowProcInstance& operator=(const TWindowProcInstance&) = delete;

    // Takes the window's messages from now on; a Unicode window is hooked (and its old procedure
    // called) through the wide functions, so that texts pass unchanged. False when the window
    // is gone or carries a binding of this kind already.
    bool Install(HWND window, bool unicode, THandler handler);
    // Puts the old procedure back; nothing when not installed.
    void Remove();
    bool Installed() const { return FWindow != nullptr; }
    HWND Window() const { return FWindow; }
    WNDPROC OldProc() const { return FOldProc; }
    // The message through the window's previous procedure.
    LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    template <TWindowProcKind Kind>
    static LRESULT CALLBACK Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    WNDPROC DispatchProc() const;

    TWindowProcKind FKind;
    HWND FWindow = nullptr;
    WNDPROC FOldProc = nullptr;
    bool FUnicode = false;
    THandler FHandler;
};
